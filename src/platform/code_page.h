// The ANSI code page of the system: Windows-1251 on POSIX. Text files the bench
// writes and the driver's byte strings use it.
#pragma once

#include <string>
#include <string_view>

namespace lk40::platform {

// UTF-8 text to single bytes; a character the code page lacks becomes '?'.
// Malformed UTF-8 sequences become '?' too.
std::string utf8ToAnsi(std::string_view utf8);
// Single bytes to UTF-8; every byte 0..255 maps to a character and back.
std::string ansiToUtf8(std::string_view bytes);

}  // namespace lk40::platform
