#include "automation/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/ascii_text.h"

namespace lk40::automation::detail {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar [+-]? (d+ (. d*)? | . d+) ([eE] [+-]? d+)? before the
// text reaches from_chars, which would also take "inf", "nan" and friends.
bool isCNumber(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t intDigits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++intDigits;
  size_t fracDigits = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// For a text from_chars found out of range: whether its magnitude is above
// one (overflow) rather than below (underflow). s is a valid C number.
bool isAboveOne(std::string_view s) {
  size_t i = (s.front() == '-' || s.front() == '+') ? 1 : 0;
  long magnitude = 0;
  bool seenNonZero = false;
  for (; i < s.size() && isDigit(s[i]); ++i) {
    if (s[i] != '0') seenNonZero = true;
    if (seenNonZero) ++magnitude;
  }
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && isDigit(s[i]) && !seenNonZero; ++i) {
      if (s[i] == '0') --magnitude; else seenNonZero = true;
    }
    while (i < s.size() && isDigit(s[i])) ++i;
  }
  long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    const bool negative = s[i] == '-';
    if (s[i] == '-' || s[i] == '+') ++i;
    for (; i < s.size(); ++i) {
      if (exponent < 1000000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent > 0;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
  std::string_view s = platform::trimBlanks(text);
  if (!isCNumber(s)) return std::nullopt;
  if (s.front() == '+') s.remove_prefix(1);  // from_chars takes only '-'
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  // Beyond double itself: an infinity, which callers report as overflow, or
  // a zero for what is too small to tell from one.
  if (ec == std::errc::result_out_of_range) {
    const double sign = s.front() == '-' ? -1.0 : 1.0;
    return isAboveOne(s) ? sign * HUGE_VAL : sign * 0.0;
  }
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::string formatDouble(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return {};
  return std::string(buffer, end);
}

double roundHalfEven(double value) {
  const double nearest = std::round(value);  // halves away from zero
  if (std::fabs(value - std::trunc(value)) == 0.5) {
    return 2.0 * std::round(value / 2.0);
  }
  return nearest;
}

}  // namespace lk40::automation::detail
