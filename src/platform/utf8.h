// Decoding and encoding of UTF-8, shared by the code page and the settings file
// so that both treat malformed input the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lk40::platform {

struct Utf8Step {
  char32_t codePoint = 0;  // meaningful only when valid
  std::size_t length = 1;  // bytes consumed, at least 1
  bool valid = false;
};

// Decodes the character at pos (< text.size()). An ill-formed sequence consumes
// its longest well-formed prefix (at least one byte), so each bad sequence is
// reported once: overlong forms, surrogates and values past U+10FFFF are bad.
Utf8Step decodeUtf8(std::string_view text, std::size_t pos);

void appendUtf8(std::string& out, char32_t codePoint);

// True when every sequence of the text decodes (decodeUtf8).
bool isValidUtf8(std::string_view text);

}  // namespace lk40::platform
