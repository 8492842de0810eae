#include "recording_driver.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "automation/error.h"
#include "automation/factory.h"
#include "contract/drvtarvo_members.h"

namespace lk40::testing {

using automation::Currency;
using automation::Variant;

namespace {
std::string folded(std::string_view name) {
  std::string out(name);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

Variant initial(const char* type) {
  const std::string t = type;
  if (t == "Int") return Variant(int32_t{0});
  if (t == "Double") return Variant(0.0);
  if (t == "Currency") return Variant(Currency{0});
  if (t == "Bool") return Variant(false);
  return Variant(std::string());
}
}  // namespace

RecordingDriver::RecordingDriver() {
  auto add = [this](const char* name, bool method, Variant value) {
    byFoldedName_[folded(name)] = members_.size();
    Member m;
    m.name = name;
    m.method = method;
    m.value = std::move(value);
    members_.push_back(std::move(m));
  };
#define LK40_ADD_METHOD(Name) add(#Name, true, Variant(int32_t{0}));
#define LK40_ADD_PROPERTY(Name, Type, Access) add(#Name, false, initial(#Type));
  LK40_DRV_METHODS(LK40_ADD_METHOD)
  LK40_DRV_PROPERTIES(LK40_ADD_PROPERTY)
#undef LK40_ADD_METHOD
#undef LK40_ADD_PROPERTY
}

std::shared_ptr<RecordingDriver> RecordingDriver::install() {
  auto driver = std::make_shared<RecordingDriver>();
  automation::registerFactory("AddIn.DrvTarvo", [driver] { return driver; });
  return driver;
}

void RecordingDriver::uninstall() { automation::unregisterFactory("AddIn.DrvTarvo"); }

RecordingDriver::Member& RecordingDriver::member(const std::string& name) {
  const auto it = byFoldedName_.find(folded(name));
  if (it == byFoldedName_.end()) throw std::logic_error("the driver contract has no member " + name);
  return members_[it->second];
}

const RecordingDriver::Member& RecordingDriver::member(const std::string& name) const {
  return const_cast<RecordingDriver*>(this)->member(name);
}

void RecordingDriver::set(const std::string& name, const Variant& value) { member(name).value = value; }
Variant RecordingDriver::value(const std::string& name) const { return member(name).value; }
void RecordingDriver::setResult(const std::string& method, int32_t result) { member(method).result = result; }
void RecordingDriver::onCall(const std::string& method, std::function<void(RecordingDriver&)> action) {
  member(method).action = std::move(action);
}
void RecordingDriver::failOn(const std::string& name, const std::string& message) { member(name).failure = message; }
void RecordingDriver::delayIn(const std::string& method, int milliseconds) { member(method).delayMs = milliseconds; }
void RecordingDriver::remove(const std::string& name) { member(name).removed = true; }

std::optional<automation::DispId> RecordingDriver::idOfName(std::string_view name) {
  const auto it = byFoldedName_.find(folded(name));
  if (it == byFoldedName_.end() || members_[it->second].removed) return std::nullopt;
  return static_cast<automation::DispId>(it->second);
}

Variant RecordingDriver::invoke(automation::DispId id, automation::InvokeKind kind, const Variant* arg) {
  Member& m = members_.at(static_cast<size_t>(id));
  if (!m.failure.empty()) throw automation::Error(m.failure);
  if (kind == automation::InvokeKind::PropertyPut) {
    if (m.method || !arg) throw automation::Error("Member not found");
    m.value = *arg;
    events_.push_back({Kind::Put, m.name, *arg});
    return {};
  }
  if (!m.method) {
    events_.push_back({Kind::Get, m.name, m.value});
    return m.value;
  }
  if (m.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(m.delayMs));
  if (m.action) m.action(*this);
  events_.push_back({Kind::Call, m.name, Variant(m.result)});
  return Variant(m.result);
}

std::string valueText(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Bool: return value.toBool() ? "true" : "false";
    case Variant::Type::Text: return "\"" + value.rawText() + "\"";
    default: return value.toText();
  }
}

std::vector<std::string> RecordingDriver::writesAndCalls() const {
  std::vector<std::string> out;
  for (const Event& e : events_) {
    if (e.kind == Kind::Put) out.push_back("put " + e.name + "=" + valueText(e.value));
    if (e.kind == Kind::Call) out.push_back("call " + e.name);
  }
  return out;
}

std::vector<std::string> RecordingDriver::trace() const {
  std::vector<std::string> out;
  for (const Event& e : events_) {
    switch (e.kind) {
      case Kind::Put: out.push_back("put " + e.name + "=" + valueText(e.value)); break;
      case Kind::Call: out.push_back("call " + e.name); break;
      case Kind::Get: out.push_back("get " + e.name); break;
    }
  }
  return out;
}

int RecordingDriver::callCount(const std::string& method) const {
  return static_cast<int>(std::count_if(events_.begin(), events_.end(), [&](const Event& e) {
    return e.kind == Kind::Call && e.name == method;
  }));
}

}  // namespace lk40::testing
