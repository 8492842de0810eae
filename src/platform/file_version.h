// The four-part version recorded in an executable file: an ELF note on POSIX,
// the version resource on Windows. Read back from the file itself, so that the
// About window shows what was built, not a constant compiled beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lk40::platform {

struct FileVersion {
  uint16_t major = 0;
  uint16_t minor = 0;
  uint16_t release = 0;
  uint16_t build = 0;
};

// Empty when the file cannot be read or carries no version record.
std::optional<FileVersion> readFileVersion(const std::string& path);

// The path of the running executable's file; empty when it cannot be told.
std::string currentExecutablePath();

}  // namespace lk40::platform
