// The driver as the bench uses it: members by name, each use looked up anew.
#pragma once

#include <memory>
#include <string_view>

#include "dispatch.h"
#include "error.h"
#include "variant.h"

namespace lk40::automation {

// Sees every use made of the driver through a Driver and its copies, in
// order, after the fact: what was written, each call with how it ended, what
// was read. It makes no use of the driver itself.
class DriverObserver {
 public:
  virtual ~DriverObserver() = default;
  virtual void written(std::string_view name, const Variant& value) = 0;
  virtual void calling(std::string_view method) = 0;
  // The call has returned: with its value for callInt, null for call.
  virtual void returned(const Variant* value) = 0;
  // The call raised an error (a missing member included); it is passed on.
  virtual void failed(std::string_view message) = 0;
  virtual void read(std::string_view name, const Variant& value) = 0;
};

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

  // Copies made afterwards share the observer; null takes it away.
  void setObserver(std::shared_ptr<DriverObserver> observer) { observer_ = std::move(observer); }
  const std::shared_ptr<DriverObserver>& observer() const { return observer_; }

 private:
  DispId idOf(std::string_view name) const;  // raises the "not supported" Error
  Variant invokeCall(std::string_view name, InvokeKind kind) const;
  std::shared_ptr<Dispatch> object_;
  std::shared_ptr<DriverObserver> observer_;
};

}  // namespace lk40::automation
