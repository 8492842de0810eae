// The ASCII rules by which names, keys and words in the bench's files and the
// driver's members are compared: blanks are spaces and tabs, and case is
// folded for A to Z only, as automation and the registry fold it.
#pragma once

#include <string_view>

namespace lk40::platform {

constexpr char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// The text without the spaces and tabs around it.
std::string_view trimBlanks(std::string_view text);

}  // namespace lk40::platform
