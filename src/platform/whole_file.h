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

// Replaces the file with bytes, or creates it. On POSIX the file keeps its
// mode, and a link is followed and stays a link. Empty when done; else why
// not, and the old file is intact. A temporary file left by a replace that was
// killed is removed by the next one.
std::error_code replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace lk40::platform
