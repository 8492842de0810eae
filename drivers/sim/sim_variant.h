// The values that cross the plugin boundary, converted to the type a property
// holds the way automation converts them (VariantChangeType): numbers round
// to the nearest (halves to even), booleans are -1 and 0, texts hold a number
// in C notation. nullopt when the value cannot be had as that type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "contract/plugin_abi.h"

namespace lk40::sim {

std::optional<int32_t> toInt(const lk40_variant& value);
std::optional<double> toDouble(const lk40_variant& value);
std::optional<int64_t> toCurrency(const lk40_variant& value);  // value * 10000
std::optional<bool> toBool(const lk40_variant& value);
std::optional<std::string> toText(const lk40_variant& value);  // valid UTF-8 only

}  // namespace lk40::sim
