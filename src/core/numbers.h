// Number conversions and formats of the bench's input fields and result texts,
// with the decimal separator of the user's regional formats.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lk40::core {

// Raised by the decimal conversion; what() is the text shown to the operator.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Integer conversion: optional leading blanks, an optional sign, decimal digits
// or hexadecimal digits after "$", "x" or "0x" (case-insensitive), nothing
// after; the value must fit a signed 32-bit integer (hexadecimal up to
// 0xFFFFFFFF wraps to negative, as the system's conversion does).
std::optional<int32_t> tryParseInt(std::string_view text);
// The integer conversion with 0 (or def) for text that does not convert.
int32_t parseIntOr(std::string_view text, int32_t def = 0);

// Decimal conversion: optional blanks, an optional sign, digits with at most
// one decimal separator, an optional exponent (e/E, optional sign, digits),
// optional trailing blanks.
std::optional<double> tryParseDecimal(std::string_view text, char separator);
// As above; raises ConversionError "'%s' is not a valid floating point value".
double parseDecimal(std::string_view text, char separator);

// Pattern of one or more integer digits and a fixed number of decimals, such
// as "0.0000" (decimals 4) or "0.00" (decimals 2): rounded half away from
// zero, leading minus, no grouping, the given separator. -0.00001 gives
// "0.0000" without a minus sign. Rounding works on the shortest decimal digits
// that read back as the same double, so 1.00005 gives "1.0001" and 2.5 with
// no decimals "3", whichever binary neighbour the double holds. Values that
// are not finite give "NAN", "INF" or "-INF" (here and in every format below).
std::string formatDecimals(double value, int decimals, char separator);

// C-style "%W.Df": fixed point, width W padded with blanks on the left; the
// rounding is that of formatDecimals.
std::string formatFixed(double value, int width, int decimals, char separator);

// General form of a real: at most 15 significant digits, trailing zeros and a
// trailing separator removed; scientific notation ("1.5E-7", "1E20") when the
// magnitude is below 0.00001 or needs more than 15 integer digits. Scientific
// notation is the mantissa in the same general form, "E", and the exponent
// without leading zeros and with a sign only when negative: "-1.25E-9". Zero,
// negative zero included, is "0".
std::string formatGeneral(double value, char separator);
// General form of a currency (value * 10000): at most four decimals, trailing
// zeros and a trailing separator removed ("12.5", "3", "-0.0001").
std::string formatCurrency(int64_t scaled, char separator);

// The item of a port list (its first item port 1) for a port number that a
// driver gives: the number minus 1, or -1 (no item) for numbers below 1.
// Defined for every 32-bit value: a driver may hand back INT32_MIN.
int32_t portItemIndex(int32_t portNumber);

// Upper-case hexadecimal of the 32-bit two's complement, at least minDigits.
std::string formatHex(int32_t value, int minDigits);

// The key filters of the input fields, given the field's whole text and the
// typed character; true when the character is accepted.
bool acceptIntegerKey(char32_t ch);
bool acceptDecimalKey(std::u32string_view currentText, char32_t ch, char separator);

// The exit handlers: the text that stands after the focus leaves the field.
std::string integerFieldOnExit(const std::string& text);               // "0" if not an integer
std::string decimalFieldOnExit(const std::string& text, int decimals, char separator);  // "0" if not a number

}  // namespace lk40::core
