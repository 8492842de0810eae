#include "core/csv_file.h"

#include <filesystem>

#include "platform/code_page.h"
#include "platform/whole_file.h"

namespace lk40::core {

bool saveCsvFile(const std::string& path, std::string_view csvUtf8) {
  return !platform::replaceFileAtomically(std::filesystem::u8path(path), platform::utf8ToAnsi(csvUtf8),
                                          platform::FileRole::Export);
}

}  // namespace lk40::core
