#include "platform/settings_store.h"

namespace lk40::platform {

SettingsStore::SettingsStore(std::string storeFile)
    : file_(storeFile.empty() ? defaultFile() : std::move(storeFile)) {}

std::string SettingsStore::normalizeKeyPath(const std::string& keyPath) {
  const std::size_t first = keyPath.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  return keyPath.substr(first, keyPath.find_last_not_of('\\') - first + 1);
}

}  // namespace lk40::platform
