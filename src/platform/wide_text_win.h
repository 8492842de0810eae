// UTF-8, the text of the bench, to and from the UTF-16 of the Windows API,
// and the system's own texts in it. Windows only; malformed input becomes
// U+FFFD rather than an error.
#pragma once

#include <string>
#include <string_view>

namespace lk40::platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// File paths cross the platform layer in the system's narrow encoding, as
// QFile::encodeName and the C library hand them over: UTF-8 on POSIX, the
// ANSI code page on Windows.
std::wstring widenPath(std::string_view path);
std::string narrowPath(std::wstring_view path);

// The system's words for an error or HRESULT code, in UTF-8 without the
// line end; empty when the system has none.
std::string systemMessage(unsigned long code);

}  // namespace lk40::platform
