// Script files on disk, for parseScript and loadScript: the bytes of a file
// and one key for all of its names, so that an include cycle is found
// however it is spelt.
#pragma once

#include <cstddef>
#include <string>

namespace lk40::core {

// An IncludeReader over the file system: at most limit + 1 bytes, so that a
// device without end (/dev/zero) is never read until memory runs out.
bool readScriptFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& key,
                    std::string& error);

}  // namespace lk40::core
