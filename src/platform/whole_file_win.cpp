// Whole files on Windows, through the wide API: a replace writes
// "<file>.tmp-<pid>" beside the file, flushes it to the disk and moves it over
// the file in one step.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/whole_file.h"

namespace lk40::platform {
namespace {

namespace fs = std::filesystem;

constexpr std::wstring_view kTemporaryTag = L".tmp-";

std::error_code lastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

// Closes the handle it owns.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool reset() {
    const bool ok = !valid() || CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

fs::path folderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

fs::path temporaryPath(const fs::path& file) {
  return file.native() + std::wstring(kTemporaryTag) + std::to_wstring(GetCurrentProcessId());
}

// "<file>.tmp-<pid>" of a process that no longer runs: a replace killed
// before its move.
bool isLeftover(const std::wstring& name, const std::wstring& fileName) {
  const std::wstring prefix = fileName + std::wstring(kTemporaryTag);
  if (name.size() <= prefix.size() || name.size() > prefix.size() + 10 || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  const std::wstring digits = name.substr(prefix.size());
  if (digits.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
  const unsigned long pid = std::stoul(digits);
  if (pid == GetCurrentProcessId()) return true;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process != nullptr) {
    CloseHandle(process);
    return false;
  }
  return GetLastError() == ERROR_INVALID_PARAMETER;  // no process has that id
}

void removeLeftovers(const fs::path& file) {
  std::error_code error;
  const std::wstring fileName = file.filename().native();
  for (fs::directory_iterator it(folderOf(file), error), end; !error && it != end; it.increment(error)) {
    if (isLeftover(it->path().filename().native(), fileName)) DeleteFileW(it->path().c_str());
  }
}

Handle createNew(const fs::path& path) {
  DeleteFileW(path.c_str());
  return Handle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::error_code readWholeFile(const fs::path& file, std::string& bytes) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::make_error_code(std::errc::is_a_directory);
  const Handle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
      return std::make_error_code(std::errc::no_such_file_or_directory);
    return {static_cast<int>(code), std::system_category()};
  }
  bytes.clear();
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(handle.get(), buffer, sizeof buffer, &read, nullptr)) return lastError();
    if (read == 0) return {};
    bytes.append(buffer, read);
  }
}

std::error_code probeFolderFor(const fs::path& file) {
  const fs::path probe = temporaryPath(file);
  Handle handle = createNew(probe);
  if (!handle.valid()) return lastError();
  handle.reset();
  DeleteFileW(probe.c_str());
  return {};
}

std::error_code replaceFileAtomically(const fs::path& file, std::string_view bytes, FileRole role) {
  // A link in an exported file's place is refused, not replaced; a read-only
  // file refuses the move by itself, and a new file takes its folder's rights.
  std::error_code error;
  if (role == FileRole::Export && fs::is_symlink(fs::symlink_status(file, error)))
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
  error.clear();
  removeLeftovers(file);
  const fs::path temporary = temporaryPath(file);
  Handle handle = createNew(temporary);
  if (!handle.valid()) return lastError();
  if (!writeAll(handle.get(), bytes) || !FlushFileBuffers(handle.get())) error = lastError();
  if (!handle.reset() && !error) error = lastError();
  if (!error && !MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = lastError();
  if (error) DeleteFileW(temporary.c_str());
  return error;
}

}  // namespace lk40::platform
