// The settings store on the registry of the current user. Writes are kept
// until the key is closed and then set value by value; a value the registry
// refuses stays pending with those after it, so closing again retries them.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "platform/wide_text_win.h"

namespace lk40::platform {
namespace {

bool sameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The store's error as the operator is told it: the key and the system's words.
std::string describe(const std::string& keyName, LSTATUS status) {
  std::string text = systemMessage(static_cast<unsigned long>(status));
  if (text.empty()) text = "error " + std::to_string(status);
  return keyName + ": " + text;
}

struct Pending {
  std::wstring name;
  DWORD type = REG_SZ;
  std::wstring text;  // REG_SZ
  DWORD number = 0;   // REG_DWORD
};

class RegistrySettingsKey final : public SettingsKey {
 public:
  RegistrySettingsKey(HKEY key, std::string keyName) : key_(key), keyName_(std::move(keyName)) {}
  ~RegistrySettingsKey() override {
    close();
    RegCloseKey(key_);
  }
  RegistrySettingsKey(const RegistrySettingsKey&) = delete;
  RegistrySettingsKey& operator=(const RegistrySettingsKey&) = delete;

  ReadResult readString(const std::string& name, std::string& value) const override {
    const std::wstring wide = widen(name);
    if (const Pending* p = pending(wide)) {
      if (p->type != REG_SZ) return ReadResult::WrongType;
      value = narrow(p->text);
      return ReadResult::Ok;
    }
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key_, wide.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return ReadResult::Missing;
    if (status != ERROR_SUCCESS) return ReadResult::Missing;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ReadResult::WrongType;
    // The value may change size between the calls; ask again until it fits.
    std::vector<wchar_t> data;
    do {
      data.assign(size / sizeof(wchar_t) + 1, L'\0');
      size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      status = RegQueryValueExW(key_, wide.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    } while (status == ERROR_MORE_DATA);
    if (status == ERROR_FILE_NOT_FOUND) return ReadResult::Missing;
    if (status != ERROR_SUCCESS) return ReadResult::Missing;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ReadResult::WrongType;
    // A stored string need not end in NUL; it ends at the first one if it has one.
    std::wstring_view text(data.data(), size / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    value = narrow(text);
    return ReadResult::Ok;
  }

  ReadResult readInteger(const std::string& name, int32_t& value) const override {
    const std::wstring wide = widen(name);
    if (const Pending* p = pending(wide)) {
      if (p->type != REG_DWORD) return ReadResult::WrongType;
      value = static_cast<int32_t>(p->number);
      return ReadResult::Ok;
    }
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LSTATUS status =
        RegQueryValueExW(key_, wide.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (status == ERROR_FILE_NOT_FOUND) return ReadResult::Missing;
    if (status == ERROR_MORE_DATA) return ReadResult::WrongType;  // longer than any integer
    if (status != ERROR_SUCCESS) return ReadResult::Missing;
    if (type != REG_DWORD || size != sizeof data) return ReadResult::WrongType;
    value = static_cast<int32_t>(data);
    return ReadResult::Ok;
  }

  void writeString(const std::string& name, const std::string& value) override {
    Pending p{widen(name), REG_SZ, widen(value), 0};
    queue(std::move(p));
  }

  void writeInteger(const std::string& name, int32_t value) override {
    // -1 is stored as 0xFFFFFFFF: the registry's integers are unsigned.
    Pending p{widen(name), REG_DWORD, {}, static_cast<DWORD>(value)};
    queue(std::move(p));
  }

  bool close() override {
    error_.clear();
    while (!pending_.empty()) {
      const Pending& p = pending_.front();
      LSTATUS status;
      if (p.type == REG_SZ) {
        const DWORD size = static_cast<DWORD>((p.text.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key_, p.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.text.c_str()), size);
      } else {
        status = RegSetValueExW(key_, p.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&p.number),
                                sizeof p.number);
      }
      if (status != ERROR_SUCCESS) {
        error_ = describe(keyName_, status);
        return false;
      }
      pending_.erase(pending_.begin());
    }
    return true;
  }

  std::string error() const override { return error_; }

 private:
  const Pending* pending(const std::wstring& name) const {
    const auto it = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& p) { return sameName(p.name, name); });
    return it == pending_.end() ? nullptr : &*it;
  }

  void queue(Pending value) {
    const auto it =
        std::find_if(pending_.begin(), pending_.end(), [&](const Pending& p) { return sameName(p.name, value.name); });
    if (it != pending_.end()) pending_.erase(it);
    pending_.push_back(std::move(value));
  }

  HKEY key_;
  std::string keyName_;
  std::vector<Pending> pending_;
  std::string error_;
};

}  // namespace

std::string SettingsStore::defaultFile() { return {}; }

std::unique_ptr<SettingsKey> SettingsStore::open(const std::string& keyPath, bool create, std::string* why) const {
  // file_ names a key standing in for the hive's root (tests use one); empty
  // is the hive itself.
  std::string path = normalizeKeyPath(file_);
  const std::string sub = normalizeKeyPath(keyPath);
  if (!path.empty() && !sub.empty()) path += '\\';
  path += sub;
  const std::wstring wide = widen(path);
  HKEY key = nullptr;
  constexpr REGSAM kAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;
  LSTATUS status;
  if (create) {
    status = RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr,
                             &key, nullptr);
  } else {
    status = RegOpenKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, kAccess, &key);
    // A key that may be read but not written still restores; its close fails.
    if (status == ERROR_ACCESS_DENIED) status = RegOpenKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, KEY_QUERY_VALUE, &key);
  }
  const std::string keyName = path.empty() ? "HKEY_CURRENT_USER" : "HKEY_CURRENT_USER\\" + path;
  if (status != ERROR_SUCCESS) {
    // A key that is not there is no failure to tell of.
    if (why != nullptr && (create || status != ERROR_FILE_NOT_FOUND)) *why = describe(keyName, status);
    return nullptr;
  }
  return std::make_unique<RegistrySettingsKey>(key, keyName);
}

}  // namespace lk40::platform
