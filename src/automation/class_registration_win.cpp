#include <windows.h>

#include "automation/class_registration.h"
#include "automation/com_object_win.h"
#include "platform/registry_view_win.h"
#include "platform/wide_text_win.h"

namespace lk40::automation {

ClassRegistration findClassRegistration(const std::string& progId) {
  using platform::registryKeyExists;
  using platform::registryText;
  ClassRegistration found;
  // HKEY_CLASSES_ROOT merges the user's classes with the machine's, in the
  // view asked for.
  const std::wstring classKey = platform::widen(progId) + L"\\CLSID";
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    if (const auto clsid = registryText(HKEY_CLASSES_ROOT, classKey, L"", view)) {
      found.clsid = platform::narrow(*clsid);
      break;
    }
  }
  if (found.clsid.empty()) return found;
  const std::wstring server = L"CLSID\\" + platform::widen(found.clsid) + L"\\InprocServer32";
  found.for32Bit = registryKeyExists(HKEY_CLASSES_ROOT, server, KEY_WOW64_32KEY);
  found.for64Bit = registryKeyExists(HKEY_CLASSES_ROOT, server, KEY_WOW64_64KEY);
  return found;
}

std::string failureText(const Error& error) {
  return error.code() == 0 ? std::string(error.what()) : detail::hresultText(error.code());
}

}  // namespace lk40::automation
