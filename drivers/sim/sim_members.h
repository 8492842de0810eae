// Every member of the driver object, generated from the shared member list so
// that none is missing: its name, kind, value type, access and dispatch id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "contract/drvtarvo_members.h"

namespace lk40::sim {

enum class Method : int32_t {
#define LK40_SIM_METHOD_ENUM(name) name,
  LK40_DRV_METHODS(LK40_SIM_METHOD_ENUM)
#undef LK40_SIM_METHOD_ENUM
};

enum class Prop : int32_t {
#define LK40_SIM_PROP_ENUM(name, type, access) name,
  LK40_DRV_PROPERTIES(LK40_SIM_PROP_ENUM)
#undef LK40_SIM_PROP_ENUM
};

enum class ValueType : uint8_t { Int, Double, Currency, Bool, Text };
enum class Access : uint8_t { R = 1, W = 2, RW = 3 };

constexpr size_t kMethodCount = 0
#define LK40_SIM_COUNT(...) +1
    LK40_DRV_METHODS(LK40_SIM_COUNT);
constexpr size_t kPropCount = 0 LK40_DRV_PROPERTIES(LK40_SIM_COUNT);
#undef LK40_SIM_COUNT

struct Member {
  std::string_view name;
  bool isMethod;
  int32_t index;   // into Method or Prop
  ValueType type;  // Int for methods: their result
  bool readable;
  bool writable;
};

// Dispatch ids are 1 + the position in the member table: methods, then properties.
const Member* memberById(int32_t dispid);
// ASCII case is folded, as automation looks names up.
const Member* findMember(std::string_view name);
int32_t dispIdOf(const Member& member);

// The value type of a property, for the checks of the property store.
ValueType typeOf(Prop prop);

size_t memberCount();

}  // namespace lk40::sim
