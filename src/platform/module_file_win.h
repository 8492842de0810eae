// The file a module of this process was loaded from, in the wide text of the
// Windows API. Windows only.
#pragma once

#include <windows.h>

#include <string>

namespace lk40::platform {

// module nullptr: the executable. Empty when it cannot be told.
std::wstring moduleFileName(HMODULE module);

}  // namespace lk40::platform
