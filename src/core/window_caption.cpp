#include "core/window_caption.h"

namespace lk40::core {

std::string captionWithPort(const automation::Driver& driver, std::string_view caption) {
  std::string text(caption);
  if (driver.getBool("Connected")) text += " (COM" + std::to_string(driver.getInt("ComNumber")) + ")";
  return text;
}

}  // namespace lk40::core
