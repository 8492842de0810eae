// The simulated module's wire framing, shown to the operator as the driver's
// Input and Output texts. A frame is
//   0x02, length, command, data..., check
// where length counts the bytes from the command to the last data byte and
// check is the XOR of every byte after the start byte (length included).
// A reply carries the module's error byte right after the command, and its
// data only when that byte is 0. Multi-byte numbers are little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lk40::sim {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kFrameStart = 0x02;
constexpr size_t kMaxFrameData = 254;  // the length byte must hold 1 + data

// Raises std::length_error when the data does not fit the length byte.
Bytes makeFrame(uint8_t command, const Bytes& data);

// "02 01 FC FD": upper-case hex, one blank between bytes, empty for no bytes.
std::string hexDump(const Bytes& bytes);

void putU8(Bytes& out, uint32_t value);
void putU16(Bytes& out, uint32_t value);
void putI32(Bytes& out, int32_t value);
void putI64(Bytes& out, int64_t value);

// A weight in kg as the module sends it: a signed count of 10^degree kg,
// clamped to the 32-bit range.
int32_t weightUnits(double kg, int32_t degree);

}  // namespace lk40::sim
