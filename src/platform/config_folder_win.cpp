#include <cstdlib>

#include "platform/config_folder.h"

namespace lk40::platform {

std::filesystem::path configFolder() {
  // The per-user roaming folder; the variables of a Unix home mean nothing here.
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == L'\0') return {};
  return std::filesystem::path(appData) / "lk40-drvtest";
}

}  // namespace lk40::platform
