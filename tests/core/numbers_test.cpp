#include "core/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include <cmath>
#include <limits>

namespace lk40::core {
namespace {

TEST(IntegerConversion, AcceptsDecimalAndEveryHexPrefix) {
  const std::pair<const char*, int32_t> cases[] = {
      {"0", 0},           {"  12", 12},       {"007", 7},
      {"+5", 5},          {"-17", -17},       {"$1F", 31},
      {"0x1F", 31},       {"x1f", 31},        {"0XfF", 255},
      {"-$10", -16},      {"$FFFFFFFF", -1},  {"$80000000", std::numeric_limits<int32_t>::min()},
      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"$000000001", 1},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(tryParseInt(text), std::optional<int32_t>(expected)) << text;
  }
}

TEST(IntegerConversion, RefusesTrailingTextAndOverflow) {
  for (const char* text : {"", "   ", "+", "-", "$", "x", "0x", "12 ", "1a2", "abc", "1.5", "2147483648",
                           "-2147483649", "$100000000", "99999999999", "0x-1", "- 1"}) {
    EXPECT_EQ(tryParseInt(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(parseIntOr("abc"), 0);
  EXPECT_EQ(parseIntOr("", -1), -1);
  EXPECT_EQ(parseIntOr("42", -1), 42);
}

TEST(DecimalConversion, TakesOnlyTheGivenSeparator) {
  EXPECT_EQ(tryParseDecimal("12,5", ','), 12.5);
  EXPECT_EQ(tryParseDecimal(" -1,5e2  ", ','), -150.0);
  EXPECT_EQ(tryParseDecimal(",5", ','), 0.5);
  EXPECT_EQ(tryParseDecimal("5,", ','), 5.0);
  EXPECT_EQ(tryParseDecimal("+1E-2", ','), 0.01);
  EXPECT_EQ(tryParseDecimal("1e2", '.'), 100.0);
  EXPECT_EQ(tryParseDecimal("1.5", '.'), 1.5);
  EXPECT_EQ(tryParseDecimal("1e-400", '.'), 0.0);  // below the smallest double
  for (const char* text : {"", " ", "1.5", "1,2,3", ",", "1e", "1e+", "e5", "abc", "1 2", "--1", "1e400",
                           "inf", "nan", "0x10"}) {
    EXPECT_EQ(tryParseDecimal(text, ','), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(tryParseDecimal("1,5", '.'), std::nullopt);
}

TEST(DecimalConversion, ErrorCarriesTheTextAsGiven) {
  try {
    parseDecimal(" 1.5 ", ',');
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "' 1.5 ' is not a valid floating point value");
  }
}

TEST(FormatDecimals, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(formatDecimals(0.5, 0, ','), "1");
  EXPECT_EQ(formatDecimals(1.5, 0, ','), "2");
  EXPECT_EQ(formatDecimals(2.5, 0, ','), "3");
  EXPECT_EQ(formatDecimals(-2.5, 0, ','), "-3");
  EXPECT_EQ(formatDecimals(1.00005, 4, ','), "1,0001");
  EXPECT_EQ(formatDecimals(2.675, 2, '.'), "2.68");  // binary 2.67499999...
  EXPECT_EQ(formatDecimals(0.99995, 4, ','), "1,0000");
  EXPECT_EQ(formatDecimals(999.995, 2, ','), "1000,00");
  EXPECT_EQ(formatDecimals(0.05, 4, ','), "0,0500");
  EXPECT_EQ(formatDecimals(-0.00001, 4, ','), "0,0000");
  EXPECT_EQ(formatDecimals(1e20, 2, '.'), "100000000000000000000.00");
  EXPECT_EQ(formatFixed(-1.5, 9, 4, ','), "  -1,5000");
  EXPECT_EQ(formatFixed(123456.5, 9, 4, '.'), "123456.5000");  // wider than the field
  EXPECT_EQ(formatDecimals(std::nan(""), 4, '.'), "NAN");
  EXPECT_EQ(formatDecimals(-HUGE_VAL, 4, '.'), "-INF");
}

TEST(FormatGeneral, FifteenDigitsThenScientific) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "0"},          {-0.0, "0"},           {2.5, "2,5"},
      {-1.5, "-1,5"},      {100.0, "100"},        {0.1 + 0.2, "0,3"},
      {1.0 / 3, "0,333333333333333"},             {2.0 / 3, "0,666666666666667"},
      {0.00001, "0,00001"}, {0.0000099, "9,9E-6"}, {1.5e-7, "1,5E-7"},
      {-1.25e-9, "-1,25E-9"}, {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},      {1e20, "1E20"},        {1.5e300, "1,5E300"},
      {999999999999999.9, "1E15"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(formatGeneral(value, ','), expected) << value;
  EXPECT_EQ(formatGeneral(2.5, '.'), "2.5");
}

TEST(FormatCurrency, AtMostFourDecimals) {
  EXPECT_EQ(formatCurrency(125000, ','), "12,5");
  EXPECT_EQ(formatCurrency(30000, ','), "3");
  EXPECT_EQ(formatCurrency(-1, ','), "-0,0001");
  EXPECT_EQ(formatCurrency(0, ','), "0");
  EXPECT_EQ(formatCurrency(-123456, '.'), "-12.3456");
  EXPECT_EQ(formatCurrency(std::numeric_limits<int64_t>::min(), '.'), "-922337203685477.5808");
}

TEST(FormatHex, UpperCaseTwosComplement) {
  EXPECT_EQ(formatHex(0x1A2B, 4), "1A2B");
  EXPECT_EQ(formatHex(255, 4), "00FF");
  EXPECT_EQ(formatHex(0x12345, 4), "12345");
  EXPECT_EQ(formatHex(-1, 4), "FFFFFFFF");
}

TEST(PortItemIndex, EveryDriverValueWithoutOverflow) {
  const std::pair<int32_t, int32_t> cases[] = {
      {1, 0}, {32, 31}, {0, -1}, {-5, -1}, {INT32_MIN, -1}, {INT32_MAX, INT32_MAX - 1}};
  for (const auto& [port, item] : cases) EXPECT_EQ(portItemIndex(port), item) << port;
}

TEST(KeyFilters, IntegerFieldsTakeDigitsAndBackspace) {
  for (char32_t ch : {U'0', U'9', char32_t{8}}) EXPECT_TRUE(acceptIntegerKey(ch)) << ch;
  for (char32_t ch : {U'a', U'-', U' ', U'.', char32_t{3}, char32_t{22}, char32_t{13}, U'٣'}) {
    EXPECT_FALSE(acceptIntegerKey(ch)) << ch;
  }
}

TEST(KeyFilters, DecimalFieldsTakeOneSeparator) {
  EXPECT_TRUE(acceptDecimalKey(U"12", U',', ','));
  EXPECT_FALSE(acceptDecimalKey(U"12,", U',', ','));  // whatever is selected
  EXPECT_FALSE(acceptDecimalKey(U"12", U'.', ','));
  EXPECT_TRUE(acceptDecimalKey(U"12", U'.', '.'));
  EXPECT_TRUE(acceptDecimalKey(U"1,2", U'5', ','));
  EXPECT_TRUE(acceptDecimalKey(U"1,2", char32_t{8}, ','));
  EXPECT_FALSE(acceptDecimalKey(U"", U'-', ','));
}

TEST(ExitHandlers, BadTextBecomesZero) {
  EXPECT_EQ(integerFieldOnExit("abc"), "0");
  EXPECT_EQ(integerFieldOnExit(""), "0");
  EXPECT_EQ(integerFieldOnExit("007"), "007");
  EXPECT_EQ(integerFieldOnExit("4294967296"), "0");

  EXPECT_EQ(decimalFieldOnExit("12,5", 4, ','), "12,5000");
  EXPECT_EQ(decimalFieldOnExit("", 4, ','), "0");
  EXPECT_EQ(decimalFieldOnExit("0", 4, ','), "0,0000");
  EXPECT_EQ(decimalFieldOnExit("12.5", 4, ','), "0");
  EXPECT_EQ(decimalFieldOnExit("3", 2, ','), "3,00");
  EXPECT_EQ(decimalFieldOnExit("1e2", 2, ','), "100,00");
  EXPECT_EQ(decimalFieldOnExit("12.5", 4, '.'), "12.5000");
}

}  // namespace
}  // namespace lk40::core
