// Files the bench writes, opened through the wide API with sharing as a POSIX
// open allows it; paths are UTF-8 like every text of the bench.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/text_file.h"
#include "platform/wide_text_win.h"

namespace lk40::platform {
namespace {

// Others may read, write or remove the file meanwhile, as with a POSIX open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::FILE* streamOf(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "r+b");
  if (file == nullptr) _close(fd);  // closes the handle too
  return file;
}

HANDLE openHandle(const std::string& path, DWORD disposition) {
  return CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::unique_ptr<OutputFile> OutputFile::openForAppend(const std::string& path) {
  // One open that creates a missing file and never truncates an existing one.
  std::FILE* file = streamOf(openHandle(path, OPEN_ALWAYS));
  if (file == nullptr) return nullptr;
  if (!seek(file, 0, SEEK_END)) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<OutputFile>(Key{}, file);
}

std::unique_ptr<OutputFile> OutputFile::recreate(const std::string& path) {
  DeleteFileW(widen(path).c_str());
  std::FILE* file = streamOf(openHandle(path, CREATE_ALWAYS));
  if (file == nullptr) return nullptr;
  return std::make_unique<OutputFile>(Key{}, file);
}

bool OutputFile::seek(std::FILE* file, int64_t offset, int origin) {
  return _fseeki64(file, offset, origin) == 0;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace lk40::platform
