#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/text_file.h"

namespace lk40::platform {

std::unique_ptr<OutputFile> OutputFile::openForAppend(const std::string& path) {
  // One open that creates a missing file and never truncates an existing one,
  // so a file appearing meanwhile cannot be emptied either.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "r+b");
  if (file == nullptr) {
    ::close(fd);
    return nullptr;
  }
  if (!seek(file, 0, SEEK_END)) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<OutputFile>(Key{}, file);
}

std::unique_ptr<OutputFile> OutputFile::recreate(const std::string& path) {
  // A file the user could not write is left to its owner: in a folder that
  // others may write, deleting it would take it over.
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
    return nullptr;
  // unlink, not remove: an empty folder of that name stays, and the open
  // below then fails on it. The open makes a new file only, so a link put
  // in its place meanwhile is not followed.
  ::unlink(path.c_str());
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "w+b");
  if (file == nullptr) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<OutputFile>(Key{}, file);
}

bool OutputFile::seek(std::FILE* file, int64_t offset, int origin) {
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

bool fileExists(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace lk40::platform
