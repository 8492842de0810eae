// The driver as the bench uses it: members by name, each use looked up anew.
#pragma once

#include <memory>
#include <string_view>

#include "dispatch.h"
#include "error.h"
#include "variant.h"

namespace lk40::automation {

class Driver {
 public:
  Driver() = default;
  explicit Driver(std::shared_ptr<Dispatch> object) : object_(std::move(object)) {}

  // Reads a property (invoked as method-or-get).
  Variant get(std::string_view name) const;
  // Writes a property.
  void put(std::string_view name, const Variant& value) const;
  // Calls a method whose value is not used: invoked as a method, its result
  // dropped unconverted, so a result of any type is no error.
  void call(std::string_view name) const;
  // Calls a method whose value is used: invoked as method-or-get, and its
  // result converted to the integer every method returns.
  [[nodiscard]] int32_t callInt(std::string_view name) const;

  int32_t getInt(std::string_view name) const { return get(name).toInt(); }
  double getDouble(std::string_view name) const { return get(name).toDouble(); }
  bool getBool(std::string_view name) const { return get(name).toBool(); }
  std::string getText(std::string_view name) const { return get(name).toText(); }

  explicit operator bool() const { return object_ != nullptr; }
  void reset() { object_.reset(); }
  const std::shared_ptr<Dispatch>& object() const { return object_; }

 private:
  DispId idOf(std::string_view name) const;  // raises the "not supported" Error
  std::shared_ptr<Dispatch> object_;
};

}  // namespace lk40::automation
