// The version resource of an executable file: its fixed file information.
#include <windows.h>

#include <vector>

#include "platform/file_version.h"
#include "platform/module_file_win.h"
#include "platform/wide_text_win.h"

namespace lk40::platform {

std::optional<FileVersion> readFileVersion(const std::string& path) {
  const std::wstring file = widen(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, buffer.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &length) || info == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  FileVersion version;
  version.major = HIWORD(info->dwFileVersionMS);
  version.minor = LOWORD(info->dwFileVersionMS);
  version.release = HIWORD(info->dwFileVersionLS);
  version.build = LOWORD(info->dwFileVersionLS);
  return version;
}

std::wstring moduleFileName(HMODULE module) {
  // The buffer grows until the whole path fits; long paths exceed MAX_PATH.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

std::string currentExecutablePath() { return narrow(moduleFileName(nullptr)); }

}  // namespace lk40::platform
