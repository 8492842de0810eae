// The late-bound object interface: IDispatch in C++ terms. A plugin driver, a
// COM object on Windows and the in-process fakes of the tests all implement it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "variant.h"

namespace lk40::automation {

using DispId = int32_t;

enum class InvokeKind : uint32_t {
  Method = 1,       // a call whose value is not used: its result is not converted
  PropertyGet = 2,
  MethodOrGet = 3,  // what a client uses when it reads a call's value
  PropertyPut = 4,
};

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // The id of a member, found without regard to ASCII case; nullopt when the
  // object has no member of that name.
  virtual std::optional<DispId> idOfName(std::string_view name) = 0;
  // Invokes a member: arg is null except for PropertyPut. Raises Error. The
  // result of Method is not used: the backends hand back Empty without
  // converting what the member gave.
  virtual Variant invoke(DispId id, InvokeKind kind, const Variant* arg) = 0;
};

}  // namespace lk40::automation
