// The command codes of the module's protocol, one per request frame.
#pragma once

#include <cstdint>

namespace lk40::command {

constexpr uint8_t kSetMode = 0x07;
constexpr uint8_t kKeyEmulation = 0x08;
constexpr uint8_t kLockKeyboard = 0x09;
constexpr uint8_t kGetChannelStatusEx = 0x11;
constexpr uint8_t kGetMode = 0x12;
constexpr uint8_t kSetExchangeParam = 0x14;
constexpr uint8_t kGetExchangeParam = 0x15;
constexpr uint8_t kSetPassword = 0x16;
constexpr uint8_t kSetZero = 0x30;
constexpr uint8_t kSetTare = 0x31;
constexpr uint8_t kSetTareValue = 0x32;
constexpr uint8_t kSetGoodData = 0x33;
constexpr uint8_t kGetChannelStatus = 0x3A;
constexpr uint8_t kSetFixedPoint = 0x70;
constexpr uint8_t kGetFixedPoint = 0x71;
constexpr uint8_t kStartCalibration = 0x72;
constexpr uint8_t kGetCalibrationStatus = 0x73;
constexpr uint8_t kBreakCalibration = 0x74;
constexpr uint8_t kGetADCValue = 0x75;
constexpr uint8_t kGetChannelsCount = 0xE5;
constexpr uint8_t kSetActiveChannel = 0xE6;
constexpr uint8_t kSetChannelMode = 0xE7;
constexpr uint8_t kGetChannelParam = 0xE8;
constexpr uint8_t kSetChannelParam = 0xE9;
constexpr uint8_t kGetActiveChannel = 0xEA;
constexpr uint8_t kRestartChannel = 0xEF;
constexpr uint8_t kReset = 0xF0;
constexpr uint8_t kTestGet = 0xF1;
constexpr uint8_t kGetDeviceCRC = 0xF2;
constexpr uint8_t kGetVoltage = 0xF3;
constexpr uint8_t kTestClr = 0xF8;
constexpr uint8_t kGetDeviceMetrics = 0xFC;

}  // namespace lk40::command
