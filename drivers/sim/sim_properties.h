// The values of the driver object's properties, one slot per property, each
// read and written only as the type the member list gives it.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "sim_members.h"

namespace lk40::sim {

class Properties {
 public:
  int32_t getInt(Prop p) const { return slot(p, ValueType::Int).number; }
  double getDouble(Prop p) const { return slot(p, ValueType::Double).real; }
  int64_t getCurrency(Prop p) const { return slot(p, ValueType::Currency).wide; }
  bool getBool(Prop p) const { return slot(p, ValueType::Bool).number != 0; }
  const std::string& getText(Prop p) const { return slot(p, ValueType::Text).text; }

  void setInt(Prop p, int32_t v) { slot(p, ValueType::Int).number = v; }
  void setDouble(Prop p, double v) { slot(p, ValueType::Double).real = v; }
  void setCurrency(Prop p, int64_t v) { slot(p, ValueType::Currency).wide = v; }
  void setBool(Prop p, bool v) { slot(p, ValueType::Bool).number = v ? 1 : 0; }
  void setText(Prop p, std::string v) { slot(p, ValueType::Text).text = std::move(v); }

 private:
  struct Slot {
    int32_t number = 0;
    double real = 0;
    int64_t wide = 0;
    std::string text;
  };

  // A slot used as another type is a bug of the driver; it surfaces as an
  // error at the boundary instead of as a wrong value.
  Slot& slot(Prop p, ValueType type) {
    check(p, type);
    return slots_[static_cast<size_t>(p)];
  }
  const Slot& slot(Prop p, ValueType type) const {
    check(p, type);
    return slots_[static_cast<size_t>(p)];
  }
  static void check(Prop p, ValueType type) {
    if (typeOf(p) != type) throw std::logic_error("property used as the wrong type");
  }

  std::array<Slot, kPropCount> slots_;
};

}  // namespace lk40::sim
