// The settings store as one registry export file per user. The file is read
// when a key is opened and replaced whole when it is closed (whole_file.h), so
// it is never seen half written.
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/config_folder.h"
#include "platform/reg_file.h"
#include "platform/settings_store.h"
#include "platform/whole_file.h"

namespace lk40::platform {
namespace {

namespace fs = std::filesystem;

// The store's error as the operator is told it: the file and the system's words.
std::string describe(const fs::path& file, const std::error_code& error) {
  return (file.empty() ? std::string() : file.string() + ": ") + error.message();
}

class FileSettingsKey final : public SettingsKey {
 public:
  FileSettingsKey(fs::path file, RegFile content, std::string keyName, bool dirty)
      : file_(std::move(file)), content_(std::move(content)), keyName_(std::move(keyName)), dirty_(dirty) {}

  // A key dropped without close still saves what was written.
  ~FileSettingsKey() override {
    if (dirty_) close();
  }

  ReadResult readString(const std::string& name, std::string& value) const override {
    return content_.readString(keyName_, name, value);
  }
  ReadResult readInteger(const std::string& name, int32_t& value) const override {
    return content_.readInteger(keyName_, name, value);
  }
  void writeString(const std::string& name, const std::string& value) override {
    content_.writeString(keyName_, name, value);
    dirty_ = true;
  }
  void writeInteger(const std::string& name, int32_t value) override {
    content_.writeInteger(keyName_, name, value);
    dirty_ = true;
  }

  // A failed close leaves the writes pending, so closing again retries them.
  bool close() override {
    error_.clear();
    if (!dirty_) return true;
    if (const std::error_code error = replaceFileAtomically(file_, content_.serialise())) {
      error_ = describe(file_, error);
      return false;
    }
    dirty_ = false;
    return true;
  }

  std::string error() const override { return error_; }

 private:
  fs::path file_;
  RegFile content_;
  std::string keyName_;
  bool dirty_;
  std::string error_;
};

}  // namespace

std::string SettingsStore::defaultFile() {
  const fs::path folder = configFolder();
  return folder.empty() ? std::string() : (folder / "HKEY_CURRENT_USER.reg").string();
}

std::unique_ptr<SettingsKey> SettingsStore::open(const std::string& keyPath, bool create, std::string* why) const {
  const auto fail = [why](const fs::path& file, const std::error_code& error) -> std::unique_ptr<SettingsKey> {
    if (why != nullptr) *why = describe(file, error);
    return nullptr;
  };
  // No home folder to hold the store.
  if (file_.empty()) return fail({}, std::make_error_code(std::errc::no_such_file_or_directory));
  const fs::path file(file_);
  const std::string path = normalizeKeyPath(keyPath);
  const std::string keyName = path.empty() ? "HKEY_CURRENT_USER" : "HKEY_CURRENT_USER\\" + path;
  if (create) {
    if (const std::error_code error = prepareFolderFor(file)) return fail(file, error);
  }

  std::string bytes;
  const std::error_code error = readWholeFile(file, bytes);
  const bool missing = error == std::errc::no_such_file_or_directory;
  if (missing && !create) return nullptr;
  // A store that exists but cannot be read must not be replaced by one that
  // holds only this key.
  if (error && !missing) return fail(file, error);
  RegFile content = RegFile::parse(bytes);
  const bool exists = content.hasKey(keyName);
  if (!exists) {
    if (!create) return nullptr;
    content.addKey(keyName);
  }
  // A key just created is saved on close even when nothing is written to it.
  return std::make_unique<FileSettingsKey>(file, std::move(content), keyName, !exists);
}

}  // namespace lk40::platform
