// The simulated module's wire framing, shown to the operator as the driver's
// Input and Output texts. A frame is
//   0x02, length, command, data..., check
// where length counts the bytes from the command to the last data byte and
// check is the XOR of every byte after the start byte (length included).
// A reply carries the module's error byte right after the command, and its
// data only when that byte is 0. Multi-byte numbers are little-endian.
// Also the driver's result codes, of which the module's own travel in that
// error byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk40::sim {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kFrameStart = 0x02;
constexpr size_t kMaxFrameData = 254;  // the length byte must hold 1 + data

// Raises std::length_error when the data does not fit the length byte.
Bytes makeFrame(uint8_t command, const Bytes& data);

// "02 01 FC FD": upper-case hex, one blank between bytes, empty for no bytes.
std::string hexDump(const Bytes& bytes);

// Whether a value fits the one byte the frame gives it.
constexpr bool fitsByte(int32_t value) { return value >= 0 && value <= 0xFF; }

void putU8(Bytes& out, uint32_t value);
void putU16(Bytes& out, uint32_t value);
void putI32(Bytes& out, int32_t value);
void putI64(Bytes& out, int64_t value);

// The module's bytes as the driver's texts: bytes in the ANSI code page to
// UTF-8 and back, through the platform's code page, so that the driver and
// the bench read the same bytes the same way (characters the code page lacks,
// and malformed UTF-8, become '?').
std::string ansiToUtf8(const Bytes& bytes);
Bytes utf8ToAnsi(std::string_view utf8);

// The module's own text as it goes on the wire: in its code page, 1251 (its
// UCodePage says so), whatever the PC's ANSI code page is.
Bytes moduleText(std::string_view utf8);

// A weight in kg as the module sends it: a signed count of 10^degree kg,
// clamped to the 32-bit range.
int32_t weightUnits(double kg, int32_t degree);

// The result codes of the simulated driver.
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
