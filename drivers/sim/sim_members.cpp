#include "sim_members.h"

#include <array>
#include <cstdint>
#include <unordered_map>

#include "platform/ascii_text.h"


namespace lk40::sim {
namespace {

using Table = std::array<Member, kMethodCount + kPropCount>;

constexpr Table kMembers = {{
#define LK40_SIM_METHOD_ROW(name) \
  {#name, true, static_cast<int32_t>(Method::name), ValueType::Int, true, false},
    LK40_DRV_METHODS(LK40_SIM_METHOD_ROW)
#undef LK40_SIM_METHOD_ROW
#define LK40_SIM_PROP_ROW(name, type, access)                                     \
  {#name, false, static_cast<int32_t>(Prop::name), ValueType::type,               \
   (static_cast<int>(Access::access) & static_cast<int>(Access::R)) != 0,         \
   (static_cast<int>(Access::access) & static_cast<int>(Access::W)) != 0},
        LK40_DRV_PROPERTIES(LK40_SIM_PROP_ROW)
#undef LK40_SIM_PROP_ROW
}};

struct FoldedHash {
  size_t operator()(std::string_view s) const noexcept {
    // 64-bit FNV-1a over the folded bytes, whatever the width of size_t; a
    // 32-bit size_t takes both halves, so no byte of the name is lost to it.
    uint64_t h = 14695981039346656037ull;
    for (const char c : s) h = (h ^ static_cast<unsigned char>(platform::foldAscii(c))) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 32));
  }
};

struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return platform::equalsIgnoringAsciiCase(a, b);
  }
};

using Index = std::unordered_map<std::string_view, const Member*, FoldedHash, FoldedEqual>;

const Index& nameIndex() {
  static const Index index = [] {
    Index built;
    built.reserve(kMembers.size());
    for (const Member& m : kMembers) built.emplace(m.name, &m);
    return built;
  }();
  return index;
}

constexpr std::array<ValueType, kPropCount> kPropTypes = {{
#define LK40_SIM_PROP_TYPE(name, type, access) ValueType::type,
    LK40_DRV_PROPERTIES(LK40_SIM_PROP_TYPE)
#undef LK40_SIM_PROP_TYPE
}};

}  // namespace

const Member* memberById(int32_t dispid) {
  if (dispid < 1 || static_cast<size_t>(dispid) > kMembers.size()) return nullptr;
  return &kMembers[static_cast<size_t>(dispid) - 1];
}

const Member* findMember(std::string_view name) {
  const Index& index = nameIndex();
  const auto it = index.find(name);
  return it == index.end() ? nullptr : it->second;
}

int32_t dispIdOf(const Member& member) { return static_cast<int32_t>(&member - kMembers.data()) + 1; }

ValueType typeOf(Prop prop) { return kPropTypes[static_cast<size_t>(prop)]; }

size_t memberCount() { return kMembers.size(); }

}  // namespace lk40::sim
