#include "platform/registry_view_win.h"

#include <vector>

namespace lk40::platform {
namespace {

// A key open for reading, closed however the scope ends.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::wstring& subKey, REGSAM view) {
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool registryKeyExists(HKEY root, const std::wstring& subKey, REGSAM view) {
  return OpenKey(root, subKey, view).get() != nullptr;
}

std::optional<std::wstring> registryText(HKEY root, const std::wstring& subKey, const std::wstring& name,
                                         REGSAM view) {
  const OpenKey key(root, subKey, view);
  if (key.get() == nullptr) return std::nullopt;
  // The value may grow between the two calls; ask again until it fits.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    std::wstring text(data.data(), got / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
  return std::nullopt;
}

}  // namespace lk40::platform
