// The automation value that crosses the driver boundary, with the conversions
// the bench needs. A conversion that cannot be made raises Error, never a 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lk40::automation {

// Automation currency: a 64-bit fixed point number with four decimals.
struct Currency {
  int64_t scaled = 0;  // value * 10000
  static Currency fromDouble(double value);  // rounds to 4 decimals; Error on overflow
  double toDouble() const { return static_cast<double>(scaled) / 10000.0; }
  friend bool operator==(Currency a, Currency b) { return a.scaled == b.scaled; }
};

class Variant {
 public:
  enum class Type { Empty, Int, Double, Bool, Currency, Text };

  Variant() = default;
  Variant(int32_t value) : type_(Type::Int), i_(value) {}
  Variant(double value) : type_(Type::Double), d_(value) {}
  Variant(bool value) : type_(Type::Bool), i_(value ? -1 : 0) {}
  Variant(Currency value) : type_(Type::Currency), c_(value.scaled) {}
  Variant(std::string value) : type_(Type::Text), s_(std::move(value)) {}
  Variant(const char* value) : type_(Type::Text), s_(value) {}
  Variant(std::string_view value) : type_(Type::Text), s_(value) {}

  Type type() const { return type_; }
  bool isEmpty() const { return type_ == Type::Empty; }

  // Reads as the given type the way automation's VariantChangeType does:
  // doubles and currency round to the nearest integer (halves to even),
  // booleans are -1 / 0, texts must hold a number in C notation
  // (blanks around it allowed). Raises Error ("Type mismatch: ...") when the
  // value cannot be read as asked, and on 32-bit overflow.
  int32_t toInt() const;
  double toDouble() const;
  bool toBool() const;
  Currency toCurrency() const;
  // Integers in decimal, booleans "True"/"False", doubles in shortest C
  // notation, currency with up to four decimals, empty as "".
  std::string toText() const;
  // The text as bytes of the ANSI code page (characters it lacks become '?').
  std::string toAnsiBytes() const;

  // The raw stored values, for the boundary code.
  int32_t rawInt() const { return i_; }
  double rawDouble() const { return d_; }
  int64_t rawCurrency() const { return c_; }
  const std::string& rawText() const { return s_; }

  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

 private:
  Type type_ = Type::Empty;
  int32_t i_ = 0;
  double d_ = 0.0;
  int64_t c_ = 0;
  std::string s_;
};

// "Empty", "Integer", "Double", "Boolean", "Currency", "String": for messages.
const char* typeName(Variant::Type type);

// For test failure output and diagnostics: "Integer 5", "String \"x\"".
std::string describe(const Variant& value);

}  // namespace lk40::automation
