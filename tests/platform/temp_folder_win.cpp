// The Windows twin of temp_folder.cpp: the same helpers over the C runtime's
// wide environment and a uniquely named folder in the temporary folder.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "temp_folder.h"

namespace lk40::platform::testing {

TempFolder::TempFolder() {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        base / ("lk40-platform-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) +
                "-" + std::to_string(attempt));
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

ScopedEnv::ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) {
    had_ = true;
    old_ = old;
  }
  _putenv_s(name_.c_str(), value != nullptr ? value : "");
}

ScopedEnv::~ScopedEnv() { _putenv_s(name_.c_str(), had_ ? old_.c_str() : ""); }

}  // namespace lk40::platform::testing
