// Text helpers of the simulated driver: the module's bytes as the driver's
// texts, UTF-8 checks and ASCII case folding for member names. The code page
// is the platform's, so the driver and the bench read the same bytes the same
// way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk40::sim {

// Bytes in the ANSI code page (Windows-1251 on POSIX) to UTF-8; every byte
// maps to a character and back.
std::string ansiToUtf8(const std::vector<uint8_t>& bytes);

// UTF-8 to bytes in the ANSI code page; characters the code page lacks, and
// malformed sequences, become '?'.
std::vector<uint8_t> utf8ToAnsi(std::string_view utf8);

bool isValidUtf8(std::string_view text);

inline char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace lk40::sim
