// The settings store as one registry export file per user. The file is read
// when a key is opened and replaced whole when it is closed, through a
// temporary file renamed over it, so it is never seen half written; the
// temporary file has no name until the moment before the rename.
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/reg_file.h"
#include "platform/settings_store.h"

namespace lk40::platform {
namespace {

namespace fs = std::filesystem;

// Owns a file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { reset(); }
  Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, reporting what close reports: data may fail to land only then.
  bool reset() {
    const bool ok = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

// What the system call that just failed reports.
std::error_code systemError() { return {errno, std::generic_category()}; }

// Empty when the whole file was read; no_such_file_or_directory when there is
// none; anything else means it exists and cannot be read.
std::error_code readFile(const fs::path& path, std::string& bytes) {
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return systemError();
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return systemError();
  if (!S_ISREG(info.st_mode)) return std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                                                : std::errc::invalid_argument);
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) return {};
    if (n < 0) {
      if (errno == EINTR) continue;
      return systemError();
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

fs::path folderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// The name a save of this process gives its temporary file while it links it
// into place: "<store>.tmp-<pid>". A save killed in that moment leaves it
// behind, and the pid in the name tells a later save that nobody owns it.
constexpr std::string_view kTemporaryTag = ".tmp-";

fs::path temporaryPath(const fs::path& target) {
  return target.string() + std::string(kTemporaryTag) + std::to_string(::getpid());
}

// What a save that was killed left beside target: "<store>.tmp-<pid>" exactly
// as temporaryPath names it, owned by this user, of a process that no longer
// runs (or of this one, which is not saving now). Nothing else is taken for a
// leftover: a copy the operator made beside the store looks like a store too.
bool isLeftover(const fs::path& entry, const struct stat& info, const std::string& storeName) {
  const std::string name = entry.filename().string();
  const std::string prefix = storeName + std::string(kTemporaryTag);
  if (info.st_uid != ::geteuid() || name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  const std::string digits = name.substr(prefix.size());
  // No pid is larger than Linux's limit, and a save writes it without leading zeros.
  if (digits.size() > 7 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const long pid = std::stol(digits);
  if (pid <= 0 || pid > 4194304 || std::to_string(pid) != digits) return false;
  return pid == ::getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}

void removeLeftovers(const fs::path& target) {
  std::error_code error;
  const std::string storeName = target.filename().string();
  for (fs::directory_iterator it(folderOf(target), error), end; !error && it != end; it.increment(error)) {
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) && isLeftover(it->path(), info, storeName))
      ::unlink(it->path().c_str());
  }
}

// A file beside target without a name, so that a save killed while writing it
// leaves nothing; where the file system cannot do that, the named temporary.
Descriptor createUnnamed(const fs::path& target) {
  return Descriptor(::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
}

Descriptor createNamed(const fs::path& path) {
  ::unlink(path.c_str());
  return Descriptor(::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600));
}

// Empty when the folder exists or was made and a file can be created in it;
// else why not.
std::error_code folderProblem(const fs::path& file) {
  std::error_code error;
  const fs::path folder = folderOf(file);
  fs::create_directories(folder, error);
  if (std::error_code kind; !fs::is_directory(folder, kind))
    return error ? error : std::make_error_code(std::errc::not_a_directory);
  if (createUnnamed(file).valid()) return {};
  const fs::path probe = temporaryPath(file);
  Descriptor fd = createNamed(probe);
  if (!fd.valid()) return systemError();
  fd.reset();
  ::unlink(probe.c_str());
  return {};
}

// Gives the written unnamed file fd the name path.
bool linkUnnamed(const Descriptor& fd, const fs::path& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
  ::unlink(path.c_str());
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Empty when the file was replaced; else why not, the old file being intact.
std::error_code replaceAtomically(const fs::path& file, const std::string& bytes) {
  // Write beside the file the link points to, so the link itself survives.
  std::error_code error;
  fs::path target = file;
  if (fs::is_symlink(fs::symlink_status(file, error))) {
    target = fs::canonical(file, error);
    // A link to a file not made yet: the save makes it.
    if (error == std::errc::no_such_file_or_directory) target = folderOf(file) / fs::read_symlink(file, error);
    if (error) return error;
  } else if (error && error != std::errc::no_such_file_or_directory) {
    return error;
  }
  error.clear();
  removeLeftovers(target);

  const fs::path temporary = temporaryPath(target);
  Descriptor unnamedFd = createUnnamed(target);
  const bool unnamed = unnamedFd.valid();
  Descriptor fd = unnamed ? std::move(unnamedFd) : createNamed(temporary);
  if (!fd.valid()) return systemError();
  struct stat old {};
  const bool keepMode = ::stat(target.c_str(), &old) == 0;
  if ((keepMode && fchmod(fd.get(), old.st_mode & 07777) != 0) || !writeAll(fd.get(), bytes) ||
      fsync(fd.get()) != 0 || (unnamed && !linkUnnamed(fd, temporary)))
    error = systemError();
  if (!fd.reset() && !error) error = systemError();
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = systemError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  // Make the rename itself durable; the new file is in place either way.
  const Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.valid()) fsync(folder.get());
  return {};
}

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
    if (const std::error_code error = replaceAtomically(file_, content_.serialise())) {
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

std::optional<std::string> homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return std::string(home);
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && *found->pw_dir != '\0')
    return std::string(found->pw_dir);
  return std::nullopt;
}

}  // namespace

std::string SettingsStore::defaultFile() {
  fs::path config;
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    config = xdg;
  } else if (const auto home = homeFolder()) {
    config = fs::path(*home) / ".config";
  } else {
    return {};
  }
  return (config / "lk40-drvtest" / "HKEY_CURRENT_USER.reg").string();
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
    if (const std::error_code error = folderProblem(file)) return fail(file, error);
  }

  std::string bytes;
  const std::error_code error = readFile(file, bytes);
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
