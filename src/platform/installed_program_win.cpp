#include "platform/installed_program.h"

#include "platform/registry_view_win.h"
#include "platform/wide_text_win.h"

namespace lk40::platform {

std::string installedProgramValue(const std::string& key, const std::string& value) {
  // The same key for the 32-bit and the 64-bit process alike.
  const auto text = registryText(HKEY_LOCAL_MACHINE,
                                 L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + widen(key),
                                 widen(value), KEY_WOW64_64KEY);
  return text ? narrow(*text) : std::string();
}

}  // namespace lk40::platform
