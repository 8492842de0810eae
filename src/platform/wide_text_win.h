// UTF-8, the text of the bench, to and from the UTF-16 of the Windows API,
// and the system's own texts in it. Windows only; malformed input becomes
// U+FFFD rather than an error. File paths take the same road: never the ANSI
// code page, which lacks letters a path may hold.
#pragma once

#include <string>
#include <string_view>

namespace lk40::platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The system's words for an error or HRESULT code, in UTF-8 without the
// line end; empty when the system has none.
std::string systemMessage(unsigned long code);

}  // namespace lk40::platform
