// Where an installer recorded a program it installed: a string value of the
// program's uninstall key (HKLM, SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<key>),
// which installers write in the registry's 64-bit view on a 64-bit Windows.
#pragma once

#include <string>

namespace lk40::platform {

// UTF-8; empty when there is no such value, and always on POSIX.
std::string installedProgramValue(const std::string& key, const std::string& value);

}  // namespace lk40::platform
