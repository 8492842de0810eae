// The portable half of the whole-file helpers: making the folder.
#include "platform/whole_file.h"

namespace lk40::platform {

std::error_code prepareFolderFor(const std::filesystem::path& file) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  fs::create_directories(folder, error);
  if (std::error_code kind; !fs::is_directory(folder, kind))
    return error ? error : std::make_error_code(std::errc::not_a_directory);
  return probeFolderFor(file);
}

}  // namespace lk40::platform
