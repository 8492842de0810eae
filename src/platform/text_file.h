// Files the bench writes: logging files kept open for appending, and the test
// log that is written in order and patched in place. Paths are UTF-8, as
// every text of the bench, so any name the operator can type is the name
// the file gets.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace lk40::platform {

class OutputFile {
  // Only the factories can make one, so only they construct.
  struct Key {
    explicit Key() = default;
  };

 public:
  // Opens an existing file for writing at its end; when that fails, creates it
  // empty. nullptr when it can be neither opened nor created.
  static std::unique_ptr<OutputFile> openForAppend(const std::string& path);
  // Deletes a file of that name if there is one and creates it empty; a
  // folder of that name is never deleted and gives nullptr.
  static std::unique_ptr<OutputFile> recreate(const std::string& path);

  OutputFile(Key, std::FILE* file) : file_(file) {}
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Writes the bytes at the current position, unbuffered past the call.
  // False when not all of them reached the file.
  bool write(std::string_view bytes);
  // Writes at an absolute position and returns to the end.
  bool writeAt(int64_t offset, std::string_view bytes);

 private:
  // The system's 64-bit seek; the rest of the class is portable (text_file.cpp).
  static bool seek(std::FILE* file, int64_t offset, int origin);

  std::FILE* file_;
};

bool fileExists(const std::string& path);

}  // namespace lk40::platform
