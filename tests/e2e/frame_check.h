// Test helpers: reading the driver's Input/Output hex dumps back into bytes
// and checking the module's framing, independently of the driver's own code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lk40::test {

// "02 01 FC FD" -> bytes; nullopt unless it is upper-case hex pairs separated
// by single blanks.
inline std::optional<std::vector<uint8_t>> parseHexDump(const std::string& text) {
  std::vector<uint8_t> bytes;
  if (text.empty()) return bytes;
  const auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (size_t i = 0; i < text.size(); i += 3) {
    if (i + 1 >= text.size()) return std::nullopt;
    const int high = digit(text[i]);
    const int low = digit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    if (i + 2 < text.size() && text[i + 2] != ' ') return std::nullopt;
    if (i + 2 == text.size() - 1) return std::nullopt;  // trailing blank
    bytes.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return bytes;
}

// Why the frame is not a well-formed frame of the command, or "" when it is.
inline std::string frameProblem(const std::vector<uint8_t>& f, uint8_t command) {
  if (f.size() < 4) return "shorter than 4 bytes";
  if (f[0] != 0x02) return "start byte is not 02";
  if (f[1] != f.size() - 3) return "length byte does not match";
  if (f[2] != command) return "wrong command code";
  uint8_t check = 0;
  for (size_t i = 1; i + 1 < f.size(); ++i) check ^= f[i];
  if (check != f.back()) return "check byte is not the XOR";
  return "";
}

}  // namespace lk40::test
