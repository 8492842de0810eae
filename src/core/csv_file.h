// Saving a CSV text the bench made to a file the operator named: in the ANSI
// code page, the file replaced whole so that nobody ever sees it half written.
#pragma once

#include <string>
#include <string_view>

namespace lk40::core {

// csvUtf8 is UTF-8 like every text. False when the file could not be written,
// also when a link stands in its place or the user could not write it in
// place (an export, not the bench's own store); an earlier file of that name
// is then intact.
bool saveCsvFile(const std::string& path, std::string_view csvUtf8);

}  // namespace lk40::core
