#include "automation/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "automation/error.h"

namespace lk40::automation {
namespace {

// The message of the Error the call raises; fails the test when none is raised.
template <typename F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  ADD_FAILURE() << "no Error raised";
  return {};
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(VariantToInt, RoundsHalvesToEven) {
  EXPECT_EQ(Variant(2.5).toInt(), 2);
  EXPECT_EQ(Variant(3.5).toInt(), 4);
  EXPECT_EQ(Variant(-2.5).toInt(), -2);
  EXPECT_EQ(Variant(-3.5).toInt(), -4);
  EXPECT_EQ(Variant(2.4999).toInt(), 2);
  EXPECT_EQ(Variant(2.5001).toInt(), 3);
  EXPECT_EQ(Variant(-0.4).toInt(), 0);
  EXPECT_EQ(Variant(Currency{25000}).toInt(), 2);
  EXPECT_EQ(Variant(Currency{35000}).toInt(), 4);
  EXPECT_EQ(Variant(Currency{-25000}).toInt(), -2);
  EXPECT_EQ(Variant(Currency{-35000}).toInt(), -4);
  EXPECT_EQ(Variant(Currency{15001}).toInt(), 2);
  EXPECT_EQ(Variant(Currency{-14999}).toInt(), -1);
}

TEST(VariantToInt, OverflowAndNaNRaise) {
  EXPECT_EQ(Variant(2147483647.4).toInt(), 2147483647);
  EXPECT_EQ(Variant(-2147483648.5).toInt(), INT32_MIN);  // -2^31 is even
  for (const double bad : {2147483647.5, -2147483649.0, 1e300,
                           std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
    EXPECT_TRUE(startsWith(errorOf([&] { Variant(bad).toInt(); }), "Overflow")) << bad;
  }
  EXPECT_TRUE(startsWith(errorOf([] { Variant(Currency{21474836480000}).toInt(); }), "Overflow"));
  EXPECT_TRUE(startsWith(errorOf([] { Variant("99999999999").toInt(); }), "Overflow"));
}

TEST(VariantToInt, ReadsNumbersInCNotationFromText) {
  EXPECT_EQ(Variant("12").toInt(), 12);
  EXPECT_EQ(Variant("-3").toInt(), -3);
  EXPECT_EQ(Variant("+4").toInt(), 4);
  EXPECT_EQ(Variant("1.5").toInt(), 2);
  EXPECT_EQ(Variant("2.5").toInt(), 2);
  EXPECT_EQ(Variant(" 7 ").toInt(), 7);
  EXPECT_EQ(Variant("\t8\t").toInt(), 8);
  EXPECT_EQ(Variant("2e3").toInt(), 2000);
  EXPECT_EQ(Variant(".5").toInt(), 0);
  EXPECT_EQ(Variant("-2147483648").toInt(), INT32_MIN);
}

TEST(VariantToInt, OtherTextIsATypeMismatch) {
  EXPECT_EQ(errorOf([] { Variant("abc").toInt(); }), "Type mismatch: 'abc' is not an integer");
  // A decimal comma, hex, words from_chars would take, and broken numbers.
  for (const char* bad : {"", " ", "12abc", "1,5", "0x10", "inf", "nan", "1e", "--1", "1 2",
                          ".", "+", "e5"}) {
    EXPECT_TRUE(startsWith(errorOf([&] { Variant(bad).toInt(); }), "Type mismatch")) << bad;
  }
}

TEST(VariantToInt, BooleansAreAllBitsOrNone) {
  EXPECT_EQ(Variant(true).rawInt(), -1);
  EXPECT_EQ(Variant(true).toInt(), -1);
  EXPECT_EQ(Variant(false).toInt(), 0);
  EXPECT_EQ(Variant().toInt(), 0);
}

TEST(VariantToDouble, ConvertsEachType) {
  EXPECT_DOUBLE_EQ(Variant(Currency{12345}).toDouble(), 1.2345);
  EXPECT_EQ(Variant(true).toDouble(), -1.0);
  EXPECT_EQ(Variant(-7).toDouble(), -7.0);
  EXPECT_EQ(Variant(" 1.5 ").toDouble(), 1.5);
  EXPECT_EQ(Variant("-2.5e-3").toDouble(), -2.5e-3);
  EXPECT_EQ(Variant("1e-400").toDouble(), 0.0);  // too small is zero, not an error
  EXPECT_EQ(Variant().toDouble(), 0.0);
  EXPECT_EQ(errorOf([] { Variant("1,5").toDouble(); }), "Type mismatch: '1,5' is not a number");
  EXPECT_TRUE(startsWith(errorOf([] { Variant("1e400").toDouble(); }), "Overflow"));
  EXPECT_TRUE(startsWith(errorOf([] { Variant("-1e400").toDouble(); }), "Overflow"));
}

TEST(VariantToBool, ReadsWordsAndNumbers) {
  EXPECT_TRUE(Variant("True").toBool());
  EXPECT_TRUE(Variant("TRUE").toBool());
  EXPECT_TRUE(Variant(" true ").toBool());
  EXPECT_FALSE(Variant("false").toBool());
  EXPECT_FALSE(Variant("FaLsE").toBool());
  EXPECT_FALSE(Variant("0").toBool());
  EXPECT_TRUE(Variant("-1").toBool());
  EXPECT_TRUE(Variant("0.5").toBool());
  EXPECT_EQ(errorOf([] { Variant("yes").toBool(); }), "Type mismatch: 'yes' is not a boolean");
  EXPECT_TRUE(startsWith(errorOf([] { Variant("truex").toBool(); }), "Type mismatch"));

  EXPECT_FALSE(Variant(0).toBool());
  EXPECT_TRUE(Variant(5).toBool());
  EXPECT_FALSE(Variant(0.0).toBool());
  EXPECT_TRUE(Variant(0.1).toBool());
  EXPECT_FALSE(Variant(Currency{0}).toBool());
  EXPECT_TRUE(Variant(Currency{1}).toBool());
  EXPECT_FALSE(Variant().toBool());
}

TEST(VariantToCurrency, RoundsToFourDecimalsAndChecksRange) {
  EXPECT_EQ(Currency::fromDouble(1.23456).scaled, 12346);
  EXPECT_EQ(Currency::fromDouble(-1.23454).scaled, -12345);
  EXPECT_EQ(Currency::fromDouble(900000000000000.0).scaled, 9000000000000000000);
  EXPECT_TRUE(startsWith(errorOf([] { Currency::fromDouble(1e15); }), "Overflow"));
  EXPECT_TRUE(startsWith(errorOf([] { Currency::fromDouble(-1e15); }), "Overflow"));
  EXPECT_TRUE(startsWith(
      errorOf([] { Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()); }),
      "Overflow"));

  EXPECT_EQ(Variant(7).toCurrency().scaled, 70000);
  EXPECT_EQ(Variant(true).toCurrency().scaled, -10000);
  EXPECT_EQ(Variant("12.5").toCurrency().scaled, 125000);
  EXPECT_EQ(Variant(0.1).toCurrency().scaled, 1000);
  EXPECT_EQ(errorOf([] { Variant("x").toCurrency(); }),
            "Type mismatch: 'x' is not a currency value");
}

TEST(VariantToText, WritesEachType) {
  EXPECT_EQ(Variant(-42).toText(), "-42");
  EXPECT_EQ(Variant(true).toText(), "True");
  EXPECT_EQ(Variant(false).toText(), "False");
  EXPECT_EQ(Variant(1.5).toText(), "1.5");
  EXPECT_EQ(Variant(0.1).toText(), "0.1");
  EXPECT_EQ(Variant(100.0).toText(), "100");
  EXPECT_EQ(Variant(1e20).toText(), "1e+20");
  EXPECT_EQ(Variant(Currency{125000}).toText(), "12.5");
  EXPECT_EQ(Variant(Currency{120000}).toText(), "12");
  EXPECT_EQ(Variant(Currency{-1}).toText(), "-0.0001");
  EXPECT_EQ(Variant(Currency{-10500}).toText(), "-1.05");
  EXPECT_EQ(Variant(Currency{INT64_MIN}).toText(), "-922337203685477.5808");
  EXPECT_EQ(Variant().toText(), "");
  // Doubles come back exactly from their text.
  for (const double value : {0.1 + 0.2, 1.0 / 3.0, -123456.789e-200, 5e-324}) {
    EXPECT_EQ(Variant(Variant(value).toText()).toDouble(), value) << value;
  }
}

TEST(VariantToAnsiBytes, UsesTheAnsiCodePage) {
  EXPECT_EQ(Variant("Вес 5").toAnsiBytes(), "\xC2\xE5\xF1 5");
  EXPECT_EQ(Variant(12).toAnsiBytes(), "12");
}

TEST(VariantEquality, NeedsTheSameTypeAndValue) {
  EXPECT_EQ(Variant(1), Variant(1));
  EXPECT_NE(Variant(1), Variant(2));
  EXPECT_NE(Variant(1), Variant(1.0));
  EXPECT_NE(Variant(-1), Variant(true));
  EXPECT_EQ(Variant(true), Variant(true));
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
  EXPECT_NE(Variant("a"), Variant("A"));
  EXPECT_EQ(Variant(Currency{5}), Variant(Currency{5}));
  EXPECT_EQ(Variant(), Variant());
  EXPECT_NE(Variant(), Variant(""));
}

}  // namespace
}  // namespace lk40::automation
