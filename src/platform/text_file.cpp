// The portable half of OutputFile: writing, patching in place and closing.
// Opening and seeking are the system's (text_file_posix.cpp, text_file_win.cpp).
#include "platform/text_file.h"

namespace lk40::platform {

OutputFile::~OutputFile() { std::fclose(file_); }

bool OutputFile::write(std::string_view bytes) {
  const bool complete = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  return std::fflush(file_) == 0 && complete;
}

bool OutputFile::writeAt(int64_t offset, std::string_view bytes) {
  const bool written = offset >= 0 && seek(file_, offset, SEEK_SET) && write(bytes);
  // Back to the end whatever happened, so later lines still append.
  const bool atEnd = seek(file_, 0, SEEK_END);
  return written && atEnd;
}

}  // namespace lk40::platform
