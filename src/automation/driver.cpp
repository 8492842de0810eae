#include "automation/driver.h"

#include <exception>
#include <string>

namespace lk40::automation {

DispId Driver::idOf(std::string_view name) const {
  if (!object_) throw Error("No automation object to use '" + std::string(name) + "'");
  const std::optional<DispId> id = object_->idOfName(name);
  if (!id) throw Error(unknownNameMessage(std::string(name)));
  return *id;
}

Variant Driver::get(std::string_view name) const {
  const DispId id = idOf(name);
  Variant value = object_->invoke(id, InvokeKind::MethodOrGet, nullptr);
  if (observer_) observer_->read(name, value);
  return value;
}

void Driver::put(std::string_view name, const Variant& value) const {
  const DispId id = idOf(name);
  object_->invoke(id, InvokeKind::PropertyPut, &value);
  if (observer_) observer_->written(name, value);
}

Variant Driver::invokeCall(std::string_view name, InvokeKind kind) const {
  if (!observer_) {
    const DispId id = idOf(name);
    return object_->invoke(id, kind, nullptr);
  }
  observer_->calling(name);
  Variant value;
  try {
    const DispId id = idOf(name);
    value = object_->invoke(id, kind, nullptr);
  } catch (const std::exception& e) {
    observer_->failed(e.what());
    throw;
  }
  observer_->returned(kind == InvokeKind::Method ? nullptr : &value);
  return value;
}

void Driver::call(std::string_view name) const { invokeCall(name, InvokeKind::Method); }

int32_t Driver::callInt(std::string_view name) const { return invokeCall(name, InvokeKind::MethodOrGet).toInt(); }

}  // namespace lk40::automation
