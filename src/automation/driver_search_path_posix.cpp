#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "automation/factory.h"

#ifndef LK40_INSTALL_DRIVER_DIR
#define LK40_INSTALL_DRIVER_DIR ""
#endif
#ifndef LK40_INSTALL_DRIVER_DIR_FROM_BIN
#define LK40_INSTALL_DRIVER_DIR_FROM_BIN ""
#endif

namespace lk40::automation {

namespace {

// Only absolute folders count: a relative one would be resolved against
// whatever the current directory happens to be.
bool isAbsolute(std::string_view folder) { return !folder.empty() && folder.front() == '/'; }

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::vector<std::string> foldersFromList(std::string_view list) {
  std::vector<std::string> folders;
  while (true) {
    const size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (isAbsolute(entry)) folders.emplace_back(entry);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return folders;
}

std::string perUserFolder() {
  const std::string dataHome = environment("XDG_DATA_HOME");
  if (isAbsolute(dataHome)) return dataHome + "/lk40-drvtest/drivers";
  const std::string home = environment("HOME");
  if (isAbsolute(home)) return home + "/.local/share/lk40-drvtest/drivers";
  return {};
}

std::string executableFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) return {};
  path.resize(static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash);
}

// The install folder as seen from an installed executable: found wherever the
// tree was installed or unpacked, not only under the prefix it was built for.
std::string installFolderOf(const std::string& executableFolder) {
  const std::string_view fromBin = LK40_INSTALL_DRIVER_DIR_FROM_BIN;
  if (executableFolder.empty() || fromBin.empty()) return {};
  return std::filesystem::path(executableFolder + "/" + std::string(fromBin))
      .lexically_normal()
      .string();
}

}  // namespace

std::vector<std::string> driverSearchPath() {
  if (const char* list = std::getenv("LK40_DRIVER_PATH")) return foldersFromList(list);

  const std::string exeFolder = executableFolder();
  std::vector<std::string> folders;
  for (const std::string& folder :
       {perUserFolder(), exeFolder.empty() ? std::string() : exeFolder + "/drivers",
        installFolderOf(exeFolder), std::string(LK40_INSTALL_DRIVER_DIR)}) {
    if (isAbsolute(folder) &&
        std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  return folders;
}

}  // namespace lk40::automation
