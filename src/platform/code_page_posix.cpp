// Windows-1251, the code page of a Russian Windows, so that files written here
// read the same there.
#include "platform/code_page.h"

#include "platform/windows_1251.h"

namespace lk40::platform {

std::string utf8ToAnsi(std::string_view utf8) { return utf8ToWindows1251(utf8); }

std::string ansiToUtf8(std::string_view bytes) { return windows1251ToUtf8(bytes); }

}  // namespace lk40::platform
