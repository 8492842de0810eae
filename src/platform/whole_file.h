// Files read and written whole: read in one go, and replaced so that no
// reader ever sees half of one (the bytes go to a temporary file beside it,
// reach the disk, and are renamed over it). The settings store and the
// simulated driver's own files both keep their text this way.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace lk40::platform {

// Empty when the whole file was read into bytes; no_such_file_or_directory
// when there is none; anything else means it exists and cannot be read.
std::error_code readWholeFile(const std::filesystem::path& file, std::string& bytes);

// Makes the file's folder when it is missing. Empty when the folder is there
// and a file can be created in it; else why not.
std::error_code prepareFolderFor(const std::filesystem::path& file);
// The system's half of it: whether a file can be created in the folder that
// is there (whole_file_posix.cpp, whole_file_win.cpp).
std::error_code probeFolderFor(const std::filesystem::path& file);

// Whose file a replace writes.
enum class FileRole {
  // The bench's or the driver's own store: a link is followed and stays a
  // link; a new file is the user's alone (0600 on POSIX).
  Store,
  // A file the operator named, say in a save dialog: a link there is refused
  // rather than followed, as is a file the user could not write in place; a
  // new file gets the mode the umask gives any saved file.
  Export,
};

// Replaces the file with bytes, or creates it. On POSIX the file keeps its
// mode. Empty when done; else why not, and the old file is intact. A
// temporary file left by a replace that was killed is removed by the next one.
std::error_code replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                                      FileRole role = FileRole::Store);

}  // namespace lk40::platform
