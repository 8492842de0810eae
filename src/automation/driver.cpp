#include "automation/driver.h"

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
  return object_->invoke(id, InvokeKind::MethodOrGet, nullptr);
}

void Driver::put(std::string_view name, const Variant& value) const {
  const DispId id = idOf(name);
  object_->invoke(id, InvokeKind::PropertyPut, &value);
}

void Driver::call(std::string_view name) const {
  const DispId id = idOf(name);
  object_->invoke(id, InvokeKind::Method, nullptr);
}

int32_t Driver::callInt(std::string_view name) const { return get(name).toInt(); }

}  // namespace lk40::automation
