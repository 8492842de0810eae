// Reading the registry in a chosen view: 64-bit Windows keeps the classes
// and the software keys of 32-bit programs apart from those of 64-bit ones,
// and a process sees its own view unless it asks for the other. Windows only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace lk40::platform {

// view: KEY_WOW64_32KEY or KEY_WOW64_64KEY (a 32-bit Windows has only the one).
bool registryKeyExists(HKEY root, const std::wstring& subKey, REGSAM view);
// A string value (name empty: the key's default value); nothing when the key
// or the value is missing or is not a string.
std::optional<std::wstring> registryText(HKEY root, const std::wstring& subKey, const std::wstring& name,
                                         REGSAM view);

}  // namespace lk40::platform
