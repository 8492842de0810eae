#include "sim_variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/ascii_text.h"
#include "platform/utf8.h"


namespace lk40::sim {
namespace {

constexpr double kCurrencyLimit = 9223372036854775807.0;

std::string_view textOf(const lk40_variant& v) {
  if (v.u.str.data == nullptr) return {};
  return {v.u.str.data, v.u.str.size};
}

// Whether a number that from_chars took but found past the range of double
// is above one in magnitude: from the power of ten of its leading digit and
// the exponent written. number has no sign.
bool aboveOne(std::string_view number) {
  const size_t mark = std::min(number.find_first_of("eE"), number.size());
  int64_t exponent = 0;
  if (mark < number.size()) {
    std::string_view written = number.substr(mark + 1);
    if (!written.empty() && written.front() == '+') written.remove_prefix(1);
    const auto [end, error] = std::from_chars(written.data(), written.data() + written.size(), exponent);
    if (error != std::errc()) exponent = !written.empty() && written.front() == '-' ? INT32_MIN : INT32_MAX;
  }
  const std::string_view digits = number.substr(0, mark);
  const size_t nonZero = digits.find_first_not_of("0.");
  if (nonZero == std::string_view::npos) return false;
  const auto point = static_cast<int64_t>(std::min(digits.find('.'), digits.size()));
  const auto first = static_cast<int64_t>(nonZero);
  const int64_t lead = first < point ? point - first - 1 : point - first;
  return lead + exponent >= 0;
}

// A number past the range of double reads as automation reads it: an
// infinity when it is above one (a value only a Boolean takes), a zero when
// below.
std::optional<double> parseNumber(std::string_view text) {
  text = platform::trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    const bool negative = text.front() == '-';
    const double magnitude = aboveOne(text.substr(negative ? 1 : 0)) ? HUGE_VAL : 0.0;
    return negative ? -magnitude : magnitude;
  }
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> finite(std::optional<double> value) {
  if (value && !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<int32_t> roundToInt(double value) {
  const double rounded = std::nearbyint(value);  // the default mode: halves to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
  return static_cast<int32_t>(rounded);
}

std::optional<int64_t> scaleToCurrency(double value) {
  const double scaled = std::nearbyint(value * 10000.0);
  if (!(scaled > -kCurrencyLimit && scaled < kCurrencyLimit)) return std::nullopt;
  return static_cast<int64_t>(scaled);
}

int64_t currencyToInteger(int64_t scaled) {
  int64_t quotient = scaled / 10000;
  const int64_t rest = scaled % 10000;
  const int64_t magnitude = rest < 0 ? -rest : rest;
  if (magnitude > 5000 || (magnitude == 5000 && quotient % 2 != 0)) quotient += rest < 0 ? -1 : 1;
  return quotient;
}

std::string currencyText(int64_t scaled) {
  const bool negative = scaled < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

}  // namespace

std::optional<int32_t> toInt(const lk40_variant& v) {
  switch (v.vt) {
    case LK40_VT_EMPTY: return 0;
    case LK40_VT_I4: return v.u.i4;
    case LK40_VT_R8: return roundToInt(v.u.r8);
    case LK40_VT_CY: {
      const int64_t whole = currencyToInteger(v.u.cy);
      if (whole < INT32_MIN || whole > INT32_MAX) return std::nullopt;
      return static_cast<int32_t>(whole);
    }
    case LK40_VT_BOOL: return v.u.boolean != 0 ? -1 : 0;
    case LK40_VT_BSTR: {
      const auto number = parseNumber(textOf(v));
      if (!number) return std::nullopt;
      return roundToInt(*number);
    }
    default: return std::nullopt;
  }
}

std::optional<double> toDouble(const lk40_variant& v) {
  switch (v.vt) {
    case LK40_VT_EMPTY: return 0.0;
    case LK40_VT_I4: return static_cast<double>(v.u.i4);
    case LK40_VT_R8: return v.u.r8;
    case LK40_VT_CY: return static_cast<double>(v.u.cy) / 10000.0;
    case LK40_VT_BOOL: return v.u.boolean != 0 ? -1.0 : 0.0;
    case LK40_VT_BSTR: return finite(parseNumber(textOf(v)));
    default: return std::nullopt;
  }
}

std::optional<int64_t> toCurrency(const lk40_variant& v) {
  switch (v.vt) {
    case LK40_VT_EMPTY: return int64_t{0};
    case LK40_VT_I4: return static_cast<int64_t>(v.u.i4) * 10000;
    case LK40_VT_R8: return scaleToCurrency(v.u.r8);
    case LK40_VT_CY: return v.u.cy;
    case LK40_VT_BOOL: return v.u.boolean != 0 ? int64_t{-10000} : int64_t{0};
    case LK40_VT_BSTR: {
      const auto number = parseNumber(textOf(v));
      if (!number) return std::nullopt;
      return scaleToCurrency(*number);
    }
    default: return std::nullopt;
  }
}

std::optional<bool> toBool(const lk40_variant& v) {
  switch (v.vt) {
    case LK40_VT_EMPTY: return false;
    case LK40_VT_I4: return v.u.i4 != 0;
    case LK40_VT_R8: return v.u.r8 != 0.0;
    case LK40_VT_CY: return v.u.cy != 0;
    case LK40_VT_BOOL: return v.u.boolean != 0;
    case LK40_VT_BSTR: {
      const std::string_view text = platform::trimBlanks(textOf(v));
      if (platform::equalsIgnoringAsciiCase(text, "true")) return true;
      if (platform::equalsIgnoringAsciiCase(text, "false")) return false;
      const auto number = parseNumber(text);
      if (!number) return std::nullopt;
      return *number != 0.0;
    }
    default: return std::nullopt;
  }
}

std::optional<std::string> toText(const lk40_variant& v) {
  switch (v.vt) {
    case LK40_VT_EMPTY: return std::string();
    case LK40_VT_I4: return std::to_string(v.u.i4);
    case LK40_VT_R8: {
      char buffer[32];
      const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v.u.r8);
      if (error != std::errc()) return std::nullopt;
      return std::string(buffer, end);
    }
    case LK40_VT_CY: return currencyText(v.u.cy);
    case LK40_VT_BOOL: return std::string(v.u.boolean != 0 ? "True" : "False");
    case LK40_VT_BSTR: {
      const std::string_view text = textOf(v);
      if (!platform::isValidUtf8(text)) return std::nullopt;
      return std::string(text);
    }
    default: return std::nullopt;
  }
}

}  // namespace lk40::sim
