// The decimal digits of a double and their rounding: the one place where the
// bench's number formats decide how a value rounds.
#pragma once

#include <string>

namespace lk40::core::detail {

// value = (negative ? -1 : 1) * 0.digits * 10^point; no leading or trailing
// zeros in digits, which is empty for zero.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int point = 0;
};

// The shortest digits that read back as the same double, so that a value the
// operator typed as 1.00005 rounds as 1.00005 and not as its binary neighbour.
// value must be finite.
DecimalDigits toDecimalDigits(double value);

// Half away from zero, keeping `fraction` digits after the decimal point.
void roundToFraction(DecimalDigits& value, int fraction);
// Half away from zero, keeping at most `count` significant digits.
void roundToSignificant(DecimalDigits& value, int count);

// Fixed notation with exactly `fraction` decimals (none and no separator for
// 0); a value that rounded to zero has no minus sign.
std::string fixedText(const DecimalDigits& value, int fraction, char separator);

// "NAN", "INF" or "-INF" for a value that is not finite, empty otherwise.
std::string nonFiniteText(double value);

}  // namespace lk40::core::detail
