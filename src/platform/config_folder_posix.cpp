#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/config_folder.h"

namespace lk40::platform {
namespace {

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

std::filesystem::path configFolder() {
  std::filesystem::path config;
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    config = xdg;
  } else if (const auto home = homeFolder()) {
    config = std::filesystem::path(*home) / ".config";
  } else {
    return {};
  }
  return config / "lk40-drvtest";
}

}  // namespace lk40::platform
