#include <fcntl.h>
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
  if (fseeko(file, 0, SEEK_END) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<OutputFile>(Key{}, file);
}

std::unique_ptr<OutputFile> OutputFile::recreate(const std::string& path) {
  std::remove(path.c_str());
  std::FILE* file = std::fopen(path.c_str(), "w+b");
  if (file == nullptr) return nullptr;
  return std::make_unique<OutputFile>(Key{}, file);
}

OutputFile::~OutputFile() { std::fclose(file_); }

bool OutputFile::write(std::string_view bytes) {
  const bool complete = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  return std::fflush(file_) == 0 && complete;
}

bool OutputFile::writeAt(int64_t offset, std::string_view bytes) {
  const bool written = offset >= 0 && fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0 && write(bytes);
  // Back to the end whatever happened, so later lines still append.
  const bool atEnd = fseeko(file_, 0, SEEK_END) == 0;
  return written && atEnd;
}

bool fileExists(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace lk40::platform
