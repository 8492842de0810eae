#include "core/run_script_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace lk40::core {

bool readScriptFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& key,
                    std::string& error) {
  namespace fs = std::filesystem;
  const fs::path file = fs::u8path(path);
  std::error_code code;
  if (fs::is_directory(file, code)) {
    error = "это папка";
    return false;
  }
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = std::error_code(errno != 0 ? errno : ENOENT, std::generic_category()).message();
    return false;
  }
  bytes.clear();
  char buffer[65536];
  while (bytes.size() <= limit) {
    in.read(buffer, sizeof buffer);
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.eof()) break;
    if (!in) {
      error = "ошибка чтения";
      return false;
    }
  }
  const fs::path canonical = fs::canonical(file, code);
  key = (code ? fs::absolute(file, code).lexically_normal() : canonical).u8string();
  return true;
}

}  // namespace lk40::core
