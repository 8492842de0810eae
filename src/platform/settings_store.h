// The per-user settings key. On POSIX a file in the registry export format
// ($XDG_CONFIG_HOME/lk40-drvtest/HKEY_CURRENT_USER.reg) holding the key's
// section among any others, written atomically when the key is closed. On
// Windows the registry of the current user, written value by value on close.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace lk40::platform {

enum class ReadResult { Ok, Missing, WrongType };

class SettingsKey {
 public:
  virtual ~SettingsKey() = default;
  virtual ReadResult readString(const std::string& name, std::string& value) const = 0;
  virtual ReadResult readInteger(const std::string& name, int32_t& value) const = 0;
  virtual void writeString(const std::string& name, const std::string& value) = 0;
  virtual void writeInteger(const std::string& name, int32_t value) = 0;
  // Writes what changed (atomically: aside, then renamed into place) and ends
  // the key's use. False when the store could not be written; the previous
  // store is then intact and the writes stay pending, so closing again retries
  // them. Closing twice is harmless; a key destroyed unclosed saves its writes.
  virtual bool close() = 0;
  // Why the last close failed, in the system's words and naming the store;
  // empty when it succeeded.
  virtual std::string error() const = 0;
};

class SettingsStore {
 public:
  // storeFile empty: the per-user default file. On Windows storeFile names a
  // key under HKEY_CURRENT_USER that stands in for the hive (tests use one),
  // and empty is the hive itself.
  explicit SettingsStore(std::string storeFile = {});

  // keyPath like "SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param" under
  // HKEY_CURRENT_USER. Without create: nullptr when the key does not exist.
  // With create: nullptr when the store cannot be written. Either way, when
  // the store is there but cannot be used, *why (if given) says why as
  // SettingsKey::error() does.
  std::unique_ptr<SettingsKey> open(const std::string& keyPath, bool create, std::string* why = nullptr) const;

  const std::string& file() const { return file_; }
  static std::string defaultFile();
  // The path without leading or trailing backslashes: "\\SOFTWARE\\X" and
  // "SOFTWARE\\X" name the same key.
  static std::string normalizeKeyPath(const std::string& keyPath);

 private:
  std::string file_;
};

}  // namespace lk40::platform
