// The command codes of the module's protocol, one per request frame, each by
// the driver method that sends it: the one table of them.
#pragma once

#include <cstdint>

// X(Method, code), in the order of the codes.
#define LK40_COMMANDS(X) \
  X(SetMode, 0x07) X(KeyEmulation, 0x08) X(LockKeyboard, 0x09) X(GetChannelStatusEx, 0x11) \
  X(GetMode, 0x12) X(SetExchangeParam, 0x14) X(GetExchangeParam, 0x15) X(SetPassword, 0x16) \
  X(SetZero, 0x30) X(SetTare, 0x31) X(SetTareValue, 0x32) X(SetGoodData, 0x33) \
  X(GetChannelStatus, 0x3A) X(SetFixedPoint, 0x70) X(GetFixedPoint, 0x71) X(StartCalibration, 0x72) \
  X(GetCalibrationStatus, 0x73) X(BreakCalibration, 0x74) X(GetADCValue, 0x75) \
  X(GetChannelsCount, 0xE5) X(SetActiveChannel, 0xE6) X(SetChannelMode, 0xE7) \
  X(GetChannelParam, 0xE8) X(SetChannelParam, 0xE9) X(GetActiveChannel, 0xEA) \
  X(RestartChannel, 0xEF) X(Reset, 0xF0) X(TestGet, 0xF1) X(GetDeviceCRC, 0xF2) X(GetVoltage, 0xF3) \
  X(TestClr, 0xF8) X(GetDeviceMetrics, 0xFC)

namespace lk40::command {

#define LK40_COMMAND_CONSTANT(method, code) constexpr uint8_t k##method = code;
LK40_COMMANDS(LK40_COMMAND_CONSTANT)
#undef LK40_COMMAND_CONSTANT

}  // namespace lk40::command
