// Writing a file whole through a temporary beside it, renamed into place, so
// that nobody ever sees it half written and a failed write leaves the old one.
#pragma once

#include <string>
#include <string_view>

namespace lk40::core {

// `path` is UTF-8. False when the bytes are not in place; the old file, if
// any, is then as it was and the temporary ("<path>.tmp") is gone.
bool replaceFile(const std::string& path, std::string_view bytes);

}  // namespace lk40::core
