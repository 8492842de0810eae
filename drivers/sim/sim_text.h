// Text helpers of the simulated driver: the Windows-1251 bytes the module
// speaks, UTF-8 checks and ASCII case folding for member names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk40::sim {

// Each byte becomes the UTF-8 of its Windows-1251 character. The one byte the
// code page leaves undefined (0x98) becomes U+0098, so every byte survives a
// round trip.
std::string cp1251ToUtf8(const std::vector<uint8_t>& bytes);

// UTF-8 to Windows-1251 bytes; characters the code page lacks, and malformed
// sequences, become '?'.
std::vector<uint8_t> utf8ToCp1251(std::string_view utf8);

bool isValidUtf8(std::string_view text);

inline char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace lk40::sim
