// The system's ANSI code page (GetACP), whatever it is set to. A byte the code
// page leaves unassigned comes back as the C1 control character of the same
// number, and that character goes back to the byte, so every byte survives a
// round trip as it does on POSIX.
#include <windows.h>


#include "platform/code_page.h"
#include "platform/utf8.h"

namespace lk40::platform {
namespace {

// The character of each byte in the ANSI code page, built once.
struct ByteTable {
  wchar_t characters[256];
  ByteTable() {
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      wchar_t c = 0;
      if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &c, 1) != 1) c = static_cast<wchar_t>(b);
      characters[b] = c;
    }
  }
};

const ByteTable& table() {
  static const ByteTable instance;
  return instance;
}

}  // namespace

std::string utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const ByteTable& bytes = table();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Utf8Step step = decodeUtf8(utf8, pos);
    pos += step.length;
    char byte = '?';
    if (step.valid && step.codePoint < 0x80) {
      byte = static_cast<char>(step.codePoint);
    } else if (step.valid && step.codePoint <= 0xFFFF) {
      // Exactly the byte whose character this is: no best-fit lookalikes.
      for (int b = 0x80; b < 256; ++b)
        if (bytes.characters[b] == static_cast<wchar_t>(step.codePoint)) {
          byte = static_cast<char>(b);
          break;
        }
    }
    out += byte;
  }
  return out;
}

std::string ansiToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  const ByteTable& map = table();
  for (const char c : bytes) appendUtf8(out, map.characters[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace lk40::platform
