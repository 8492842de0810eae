// The result codes of the simulated driver and their texts. Codes the module
// itself reports travel in the error byte of its reply frame.
#pragma once

#include <cstdint>

namespace lk40::sim {

enum class Result : int32_t {
  Ok = 0,
  NoConnection = 1,
  WrongPassword = 2,
  BadParameter = 3,
  NotInCalibrationMode = 4,
  Busy = 5,
  NotSettled = 6,
  ZeroOutOfRange = 7,
  ChannelOff = 8,
  Overload = 9,
  TareOutOfRange = 10,
  NoSuchDevice = 11,
  NoActiveDevice = 12,
  DialogNotAvailable = 13,
  SettingsNotSaved = 14,
  BadCheckByte = 15,  // a reply came back, but its check byte does not match
};

// The operator's text for a code, in Russian (UTF-8).
const char* resultDescription(Result result);

inline int32_t code(Result result) { return static_cast<int32_t>(result); }

}  // namespace lk40::sim
