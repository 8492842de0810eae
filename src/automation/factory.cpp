#include "automation/factory.h"

#include <map>
#include <mutex>
#include <utility>

#include "automation/system_object.h"
#include "platform/ascii_text.h"

namespace lk40::automation {

namespace {

// ProgIDs are case-insensitive, as automation treats them.
std::string foldKey(const std::string& progId) {
  std::string key = progId;
  for (char& c : key) c = platform::foldAscii(c);
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
  return detail::createSystemObject(progId);
}

}  // namespace lk40::automation
