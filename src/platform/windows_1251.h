// Windows-1251, the Cyrillic code page, whatever the system's own: the code
// page of a Russian Windows, and of the ЛК-40 module's texts on the wire.
#pragma once

#include <string>
#include <string_view>

namespace lk40::platform {

// UTF-8 text to single bytes; a character the code page lacks becomes '?',
// and so does each malformed UTF-8 sequence.
std::string utf8ToWindows1251(std::string_view utf8);
// Single bytes to UTF-8; every byte 0..255 maps to a character and back.
std::string windows1251ToUtf8(std::string_view bytes);

}  // namespace lk40::platform
