#include "core/decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>

namespace lk40::core::detail {

namespace {

void stripTrailingZeros(DecimalDigits& value) {
  while (!value.digits.empty() && value.digits.back() == '0') value.digits.pop_back();
  if (value.digits.empty()) value.point = 0;
}

// Keeps the first `keep` digits, rounding on the digit after them.
void roundKeeping(DecimalDigits& value, int keep) {
  if (keep >= static_cast<int>(value.digits.size())) return;
  if (keep < 0) {
    value.digits.clear();
    value.point = 0;
    return;
  }
  const bool up = value.digits[static_cast<size_t>(keep)] >= '5';
  value.digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && value.digits[static_cast<size_t>(i)] == '9') {
      value.digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      value.digits.insert(value.digits.begin(), '1');
      ++value.point;
    } else {
      ++value.digits[static_cast<size_t>(i)];
    }
  }
  stripTrailingZeros(value);
}

}  // namespace

DecimalDigits toDecimalDigits(double value) {
  // Scientific shortest form: "-d.ddde-XX".
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
  DecimalDigits out;
  const char* p = buffer.data();
  if (*p == '-') {
    out.negative = true;
    ++p;
  }
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p != '.') out.digits.push_back(*p);
  }
  int exponent = 0;
  if (p < result.ptr) {
    ++p;  // 'e'
    const bool negativeExponent = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    std::from_chars(p, result.ptr, exponent);
    if (negativeExponent) exponent = -exponent;
  }
  out.point = exponent + 1;
  stripTrailingZeros(out);
  return out;
}

void roundToFraction(DecimalDigits& value, int fraction) { roundKeeping(value, value.point + fraction); }

void roundToSignificant(DecimalDigits& value, int count) { roundKeeping(value, count); }

std::string fixedText(const DecimalDigits& value, int fraction, char separator) {
  const int size = static_cast<int>(value.digits.size());
  auto digitAt = [&](int i) { return i >= 0 && i < size ? value.digits[static_cast<size_t>(i)] : '0'; };
  std::string text;
  if (value.negative && !value.digits.empty()) text += '-';
  if (value.point <= 0) {
    text += '0';
  } else {
    for (int i = 0; i < value.point; ++i) text += digitAt(i);
  }
  if (fraction > 0) {
    text += separator;
    for (int i = 0; i < fraction; ++i) text += digitAt(value.point + i);
  }
  return text;
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return {};
}

}  // namespace lk40::core::detail
