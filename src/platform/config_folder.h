// The per-user folder of the bench's own files, shared by the settings store
// and the simulated driver so that both look in the same place.
#pragma once

#include <filesystem>

namespace lk40::platform {

// On POSIX $XDG_CONFIG_HOME/lk40-drvtest, or ~/.config/lk40-drvtest when the
// variable is unset or not absolute (the home folder from HOME, else from the
// user database); on Windows %APPDATA%\lk40-drvtest. Empty when there is no
// such folder to name.
std::filesystem::path configFolder();

}  // namespace lk40::platform
