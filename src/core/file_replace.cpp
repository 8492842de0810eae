#include "core/file_replace.h"

#include <filesystem>
#include <system_error>

#include "platform/text_file.h"

namespace lk40::core {

bool replaceFile(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp";
  bool written = false;
  if (auto file = platform::OutputFile::recreate(temporary)) written = file->write(bytes);  // closed here
  namespace fs = std::filesystem;
  // u8path: the names are UTF-8 on every system, also where the narrow
  // encoding of paths is the ANSI code page.
  std::error_code error;
  if (written) fs::rename(fs::u8path(temporary), fs::u8path(path), error);
  if (written && !error) return true;
  fs::remove(fs::u8path(temporary), error);
  return false;
}

}  // namespace lk40::core
