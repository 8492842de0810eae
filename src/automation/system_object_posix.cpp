// Drivers as plugins: "<ProgID>.so" in the first folder of the search path
// that holds it.
#include <filesystem>
#include <string>
#include <vector>

#include "automation/factory.h"
#include "automation/system_object.h"

namespace lk40::automation::detail {

namespace {

// The ProgID becomes part of a file path: only a plain file name may come of
// it, never a way into another folder.
bool isPlainFileName(const std::string& progId) {
  if (progId.empty() || progId.front() == '.') return false;
  for (const char c : progId) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                    (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

std::string joined(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& folder : folders) {
    if (!text.empty()) text += ", ";
    text += folder;
  }
  return text;
}

}  // namespace

std::shared_ptr<Dispatch> createSystemObject(const std::string& progId) {
  if (!isPlainFileName(progId)) {
    throw CreationError("'" + progId + "' is not a valid ProgID");
  }
  const std::vector<std::string> folders = driverSearchPath();
  for (const std::string& folder : folders) {
    const std::string path = folder + "/" + progId + ".so";
    std::error_code ec;
    // The first folder that holds the driver decides: a broken driver there
    // is reported, not silently replaced by one further down the path.
    if (std::filesystem::is_regular_file(path, ec)) return createFromPlugin(path, progId);
  }
  if (folders.empty()) {
    throw CreationError("No driver for '" + progId + "': no driver folder to search");
  }
  throw CreationError("No driver for '" + progId + "' (" + progId + ".so) in: " +
                      joined(folders));
}

}  // namespace lk40::automation::detail
