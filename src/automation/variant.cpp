#include "automation/variant.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "automation/error.h"
#include "automation/number_text.h"
#include "platform/ascii_text.h"
#include "platform/code_page.h"

namespace lk40::automation {

namespace {

using detail::formatDouble;
using detail::parseNumber;
using detail::roundHalfEven;
using platform::equalsIgnoringAsciiCase;
using platform::trimBlanks;

// 2^63: the first double past the int64 range; -2^63 is still inside it.
constexpr double kInt64Limit = 9223372036854775808.0;

[[noreturn]] void typeMismatch(const std::string& text, const char* what) {
  throw Error("Type mismatch: '" + text + "' is not " + what);
}

[[noreturn]] void overflow(const std::string& shown, const char* what) {
  throw Error("Overflow: " + shown + " does not fit " + what);
}

int32_t doubleToInt(double value, const std::string& shown) {
  const double rounded = roundHalfEven(value);
  if (std::isnan(rounded) || rounded < -2147483648.0 || rounded > 2147483647.0) {
    overflow(shown, "an integer");
  }
  return static_cast<int32_t>(rounded);
}

// Currency to the nearest integer in exact integer arithmetic, halves to even.
int64_t currencyToWhole(int64_t scaled) {
  int64_t whole = scaled / 10000;
  const int64_t rest = scaled % 10000;  // carries the sign of scaled
  const int64_t away = rest < 0 ? -rest : rest;
  if (away > 5000 || (away == 5000 && whole % 2 != 0)) whole += rest < 0 ? -1 : 1;
  return whole;
}

std::string currencyText(int64_t scaled) {
  // Through unsigned so that the most negative value has a magnitude too.
  const uint64_t magnitude =
      scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = scaled < 0 ? "-" : "";
  text += std::to_string(magnitude / 10000);
  uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text;
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

Currency Currency::fromDouble(double value) {
  const double scaled = roundHalfEven(value * 10000.0);
  if (std::isnan(scaled) || scaled < -kInt64Limit || scaled >= kInt64Limit) {
    overflow(formatDouble(value), "currency");
  }
  return Currency{static_cast<int64_t>(scaled)};
}

int32_t Variant::toInt() const {
  switch (type_) {
    case Type::Empty: return 0;
    case Type::Int:
    case Type::Bool: return i_;
    case Type::Double: return doubleToInt(d_, formatDouble(d_));
    case Type::Currency: {
      const int64_t whole = currencyToWhole(c_);
      if (whole < INT32_MIN || whole > INT32_MAX) overflow(currencyText(c_), "an integer");
      return static_cast<int32_t>(whole);
    }
    case Type::Text: {
      const std::optional<double> number = parseNumber(s_);
      if (!number) typeMismatch(s_, "an integer");
      return doubleToInt(*number, quoted(s_));
    }
  }
  return 0;
}

double Variant::toDouble() const {
  switch (type_) {
    case Type::Empty: return 0.0;
    case Type::Int:
    case Type::Bool: return i_;
    case Type::Double: return d_;
    case Type::Currency: return Currency{c_}.toDouble();
    case Type::Text: {
      const std::optional<double> number = parseNumber(s_);
      if (!number) typeMismatch(s_, "a number");
      if (std::isinf(*number)) overflow(quoted(s_), "a double");
      return *number;
    }
  }
  return 0.0;
}

bool Variant::toBool() const {
  switch (type_) {
    case Type::Empty: return false;
    case Type::Int:
    case Type::Bool: return i_ != 0;
    case Type::Double: return d_ != 0.0;
    case Type::Currency: return c_ != 0;
    case Type::Text: {
      const std::string_view text = trimBlanks(s_);
      if (equalsIgnoringAsciiCase(text, "true")) return true;
      if (equalsIgnoringAsciiCase(text, "false")) return false;
      const std::optional<double> number = parseNumber(text);
      if (!number) typeMismatch(s_, "a boolean");
      return *number != 0.0;
    }
  }
  return false;
}

Currency Variant::toCurrency() const {
  switch (type_) {
    case Type::Empty: return Currency{};
    case Type::Int:
    case Type::Bool: return Currency{static_cast<int64_t>(i_) * 10000};
    case Type::Double: return Currency::fromDouble(d_);
    case Type::Currency: return Currency{c_};
    case Type::Text: {
      const std::optional<double> number = parseNumber(s_);
      if (!number) typeMismatch(s_, "a currency value");
      if (std::isinf(*number)) overflow(quoted(s_), "currency");
      return Currency::fromDouble(*number);
    }
  }
  return Currency{};
}

std::string Variant::toText() const {
  switch (type_) {
    case Type::Empty: return {};
    case Type::Int: return std::to_string(i_);
    case Type::Bool: return i_ != 0 ? "True" : "False";
    case Type::Double: return formatDouble(d_);
    case Type::Currency: return currencyText(c_);
    case Type::Text: return s_;
  }
  return {};
}

std::string Variant::toAnsiBytes() const { return platform::utf8ToAnsi(toText()); }

bool operator==(const Variant& a, const Variant& b) {
  if (a.type_ != b.type_) return false;
  switch (a.type_) {
    case Variant::Type::Empty: return true;
    case Variant::Type::Int:
    case Variant::Type::Bool: return a.i_ == b.i_;
    case Variant::Type::Double: return a.d_ == b.d_;
    case Variant::Type::Currency: return a.c_ == b.c_;
    case Variant::Type::Text: return a.s_ == b.s_;
  }
  return false;
}

const char* typeName(Variant::Type type) {
  switch (type) {
    case Variant::Type::Empty: return "Empty";
    case Variant::Type::Int: return "Integer";
    case Variant::Type::Double: return "Double";
    case Variant::Type::Bool: return "Boolean";
    case Variant::Type::Currency: return "Currency";
    case Variant::Type::Text: return "String";
  }
  return "Unknown";
}

std::string describe(const Variant& value) {
  const std::string name = typeName(value.type());
  switch (value.type()) {
    case Variant::Type::Empty: return name;
    case Variant::Type::Text: return name + " \"" + value.rawText() + "\"";
    default: return name + " " + value.toText();
  }
}

}  // namespace lk40::automation
