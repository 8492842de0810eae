#include "core/numbers.h"

#include <charconv>
#include <cstdlib>
#include <cmath>
#include <system_error>

#include "core/decimal_digits.h"

namespace lk40::core {

namespace {

constexpr char32_t kBackspace = 8;
constexpr long long kExponentCap = 1000000000LL;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

size_t skipBlanks(std::string_view text, size_t i) {
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

std::string withPadding(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

}  // namespace

std::optional<int32_t> tryParseInt(std::string_view text) {
  size_t i = skipBlanks(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;

  // Hexadecimal covers all 32 bits (and wraps to negative), decimal must fit.
  const uint64_t base = hex ? 16 : 10;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? hexDigitValue(text[i]) : (isDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * base + static_cast<uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

int32_t parseIntOr(std::string_view text, int32_t def) { return tryParseInt(text).value_or(def); }

std::optional<double> tryParseDecimal(std::string_view text, char separator) {
  size_t i = skipBlanks(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string integerDigits;
  std::string fractionDigits;
  while (i < text.size() && isDigit(text[i])) integerDigits += text[i++];
  if (i < text.size() && text[i] == separator) {
    ++i;
    while (i < text.size() && isDigit(text[i])) fractionDigits += text[i++];
  }
  if (integerDigits.empty() && fractionDigits.empty()) return std::nullopt;

  std::string exponentText;
  long long exponent = 0;  // saturated: only its sign and rough size matter
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      exponentText += text[i++];
    }
    const size_t firstDigit = i;
    for (; i < text.size() && isDigit(text[i]); ++i) {
      exponentText += text[i];
      if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
    }
    if (i == firstDigit) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (skipBlanks(text, i) != text.size()) return std::nullopt;

  // The digits are checked; the conversion itself is locale-independent.
  std::string normalized = integerDigits.empty() ? "0" : integerDigits;
  if (!fractionDigits.empty()) normalized += "." + fractionDigits;
  if (!exponentText.empty()) normalized += "e" + exponentText;
  double value = 0.0;
  const auto result = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small to represent reads as zero; too large does not convert.
    // Only a non-zero mantissa can be out of range; the value is 0.ddd * 10^magnitude.
    const size_t firstNonZero = (integerDigits + fractionDigits).find_first_not_of('0');
    const long long magnitude =
        static_cast<long long>(integerDigits.size()) - static_cast<long long>(firstNonZero) + exponent;
    if (magnitude > 0) return std::nullopt;
    value = 0.0;
  } else if (result.ec != std::errc() || result.ptr != normalized.data() + normalized.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double parseDecimal(std::string_view text, char separator) {
  if (const auto value = tryParseDecimal(text, separator)) return *value;
  throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

std::string formatDecimals(double value, int decimals, char separator) {
  if (!std::isfinite(value)) return detail::nonFiniteText(value);
  if (decimals < 0) decimals = 0;
  auto digits = detail::toDecimalDigits(value);
  detail::roundToFraction(digits, decimals);
  return detail::fixedText(digits, decimals, separator);
}

std::string formatFixed(double value, int width, int decimals, char separator) {
  return withPadding(formatDecimals(value, decimals, separator), width);
}

std::string formatGeneral(double value, char separator) {
  if (!std::isfinite(value)) return detail::nonFiniteText(value);
  auto d = detail::toDecimalDigits(value);
  detail::roundToSignificant(d, 15);
  if (d.digits.empty()) return "0";

  std::string text = d.negative ? "-" : "";
  if (d.point < -4 || d.point > 15) {
    text += d.digits[0];
    if (d.digits.size() > 1) text += separator + d.digits.substr(1);
    const int exponent = d.point - 1;
    text += 'E';
    if (exponent < 0) text += '-';
    text += std::to_string(std::abs(exponent));
    return text;
  }
  const int fraction = static_cast<int>(d.digits.size()) - d.point;
  return text + detail::fixedText({false, d.digits, d.point}, fraction > 0 ? fraction : 0, separator);
}

std::string formatCurrency(int64_t scaled, char separator) {
  // Unsigned, so that the most negative value has a magnitude too.
  const uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = scaled < 0 ? "-" : "";
  text += std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += separator + fraction;
  return text;
}

int32_t portItemIndex(int32_t portNumber) { return portNumber >= 1 ? portNumber - 1 : -1; }

std::string formatHex(int32_t value, int minDigits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  uint32_t bits = static_cast<uint32_t>(value);
  std::string text;
  do {
    text.insert(text.begin(), kDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  if (static_cast<int>(text.size()) < minDigits) text.insert(0, static_cast<size_t>(minDigits) - text.size(), '0');
  return text;
}

bool acceptIntegerKey(char32_t ch) { return ch == kBackspace || (ch >= U'0' && ch <= U'9'); }

bool acceptDecimalKey(std::u32string_view currentText, char32_t ch, char separator) {
  if (ch == kBackspace) return true;
  if (ch >= U'0' && ch <= U'9') return true;
  const char32_t separatorChar = static_cast<unsigned char>(separator);
  return ch == separatorChar && currentText.find(separatorChar) == std::u32string_view::npos;
}

std::string integerFieldOnExit(const std::string& text) { return tryParseInt(text) ? text : "0"; }

std::string decimalFieldOnExit(const std::string& text, int decimals, char separator) {
  const auto value = tryParseDecimal(text, separator);
  return value ? formatDecimals(*value, decimals, separator) : "0";
}

}  // namespace lk40::core
