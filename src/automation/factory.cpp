#include "automation/factory.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

namespace lk40::automation {

namespace {

// ProgIDs are case-insensitive, as automation treats them.
std::string foldKey(const std::string& progId) {
  std::string key = progId;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

// The in-process factories. They are process-wide by nature: a test registers
// its fake here and the code under test creates it by ProgID.
class FactoryRegistry {
 public:
  static FactoryRegistry& instance() {
    static FactoryRegistry registry;
    return registry;
  }

  void set(const std::string& progId, Factory factory) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (factory) {
      factories_[foldKey(progId)] = std::move(factory);
    } else {
      factories_.erase(foldKey(progId));
    }
  }

  Factory find(const std::string& progId) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = factories_.find(foldKey(progId));
    return it == factories_.end() ? Factory() : it->second;
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::string, Factory> factories_;
};

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

void registerFactory(const std::string& progId, Factory factory) {
  FactoryRegistry::instance().set(progId, std::move(factory));
}

void unregisterFactory(const std::string& progId) {
  FactoryRegistry::instance().set(progId, Factory());
}

std::shared_ptr<Dispatch> createObject(const std::string& progId) {
  // A copy, so that a factory may itself register or unregister.
  if (const Factory factory = FactoryRegistry::instance().find(progId)) {
    std::shared_ptr<Dispatch> object = factory();
    if (!object) throw CreationError("The factory for '" + progId + "' created no object");
    return object;
  }
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

}  // namespace lk40::automation
