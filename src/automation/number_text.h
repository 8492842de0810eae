// Reading numbers from text and writing them back, independent of the locale:
// the C notation the automation conversions use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lk40::automation::detail {

// A number in C notation ("12", "-3", "1.5", "2e3", " 7 "); nullopt for
// anything else, including hexadecimal, "inf" and "nan".
std::optional<double> parseNumber(std::string_view text);

// The shortest text that reads back as the same double.
std::string formatDouble(double value);

// Rounds to the nearest integer, halves to the even one.
double roundHalfEven(double value);

}  // namespace lk40::automation::detail
