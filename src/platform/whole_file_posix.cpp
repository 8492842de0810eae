// Whole files on POSIX. A replace writes a file beside the target that has no
// name until the moment before the rename (where the file system allows it),
// so a replace killed while writing leaves nothing behind.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/whole_file.h"

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

// The name a replace by this process gives its temporary file while it links
// it into place: "<file>.tmp-<pid>". A replace killed in that moment leaves it
// behind, and the pid in the name tells a later one that nobody owns it.
constexpr std::string_view kTemporaryTag = ".tmp-";

fs::path temporaryPath(const fs::path& target) {
  return target.string() + std::string(kTemporaryTag) + std::to_string(::getpid());
}

// What a replace that was killed left beside target: "<file>.tmp-<pid>"
// exactly as temporaryPath names it, owned by this user, of a process that no
// longer runs (or of this one, which is not replacing now). Nothing else is
// taken for a leftover: a copy the operator made beside the file looks like one.
bool isLeftover(const fs::path& entry, const struct stat& info, const std::string& fileName) {
  const std::string name = entry.filename().string();
  const std::string prefix = fileName + std::string(kTemporaryTag);
  if (info.st_uid != ::geteuid() || name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  const std::string digits = name.substr(prefix.size());
  // No pid is larger than Linux's limit, and a replace writes it without leading zeros.
  if (digits.size() > 7 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const long pid = std::stol(digits);
  if (pid <= 0 || pid > 4194304 || std::to_string(pid) != digits) return false;
  return pid == ::getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}

void removeLeftovers(const fs::path& target) {
  std::error_code error;
  const std::string fileName = target.filename().string();
  for (fs::directory_iterator it(folderOf(target), error), end; !error && it != end; it.increment(error)) {
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) && isLeftover(it->path(), info, fileName))
      ::unlink(it->path().c_str());
  }
}

// A file beside target without a name, so that a replace killed while writing it
// leaves nothing; where the file system cannot do that, the named temporary.
// The umask applies to the mode, as to any file made.
Descriptor createUnnamed(const fs::path& target, mode_t mode = 0600) {
  return Descriptor(::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
}

Descriptor createNamed(const fs::path& path, mode_t mode = 0600) {
  ::unlink(path.c_str());
  return Descriptor(::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
}

// Why an exported file may not be replaced: a link in its place (a rename
// would put the file where the link points, in a folder someone else may
// have chosen), or a file the user could not write directly, which the
// rename would take over.
std::error_code refusedExport(const fs::path& file) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) return errno == ENOENT ? std::error_code() : systemError();
  if (S_ISLNK(info.st_mode)) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
  if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) return systemError();
  return {};
}

// Gives the written unnamed file fd the name path.
bool linkUnnamed(const Descriptor& fd, const fs::path& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
  ::unlink(path.c_str());
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

}  // namespace

std::error_code readWholeFile(const fs::path& path, std::string& bytes) {
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

std::error_code probeFolderFor(const fs::path& file) {
  if (createUnnamed(file).valid()) return {};
  const fs::path probe = temporaryPath(file);
  Descriptor fd = createNamed(probe);
  if (!fd.valid()) return systemError();
  fd.reset();
  ::unlink(probe.c_str());
  return {};
}

std::error_code replaceFileAtomically(const fs::path& file, std::string_view bytes, FileRole role) {
  std::error_code error;
  fs::path target = file;
  if (role == FileRole::Export) {
    if ((error = refusedExport(file))) return error;
  } else if (fs::is_symlink(fs::symlink_status(file, error))) {
    // Write beside the file the link points to, so the link itself survives.
    target = fs::canonical(file, error);
    // A link to a file not made yet: the replace makes it.
    if (error == std::errc::no_such_file_or_directory) target = folderOf(file) / fs::read_symlink(file, error);
    if (error) return error;
  } else if (error && error != std::errc::no_such_file_or_directory) {
    return error;
  }
  error.clear();
  removeLeftovers(target);

  const fs::path temporary = temporaryPath(target);
  const mode_t mode = role == FileRole::Export ? 0666 : 0600;
  Descriptor unnamedFd = createUnnamed(target, mode);
  const bool unnamed = unnamedFd.valid();
  Descriptor fd = unnamed ? std::move(unnamedFd) : createNamed(temporary, mode);
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

}  // namespace lk40::platform
