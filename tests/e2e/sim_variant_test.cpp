// The driver converts what the host writes with conversions of its own, a
// check on the bench's: over a table of values both must read each one alike,
// or both refuse it. (Texts that are not UTF-8, which the bench never sends,
// the driver refuses at its boundary.)
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/plugin_object.h"
#include "automation/variant.h"
#include "sim_variant.h"

namespace lk40::sim {
namespace {

using automation::Currency;
using automation::Variant;

template <typename Read>
auto bench(Read read) -> std::optional<decltype(read())> {
  try {
    return read();
  } catch (const automation::Error&) {
    return std::nullopt;
  }
}

TEST(SimVariant, ReadsEveryValueAsTheBenchDoes) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<Variant> values = {
      Variant(), 0, -7, 2147483647, -2147483647 - 1, 2.5, 3.5, -2.5, 0.49999, 1e10, -2147483648.4, 1e300, nan,
      true, false, Currency{12345}, Currency{-25000}, Currency{35000}, Currency{-15000},
      Currency{std::numeric_limits<int64_t>::max()}, "12", " 7\t", "+3", "-0", "1.5", "2e3", ".5", "5.", "abc", "",
      " ", "true", "FALSE", " True ", "0x10", "inf", "nan", "1e400", "1e-400", "12 3", "ЛК-40", "2147483647.5",
      "-1e400", "0.000e-400", "-0.0001e-320", "1000e-311"};
  for (const Variant& value : values) {
    const lk40_variant abi = automation::detail::toAbi(value);
    SCOPED_TRACE(value.type() == Variant::Type::Text ? value.rawText() : bench([&] { return value.toText(); }).value_or("?"));
    EXPECT_EQ(toInt(abi), bench([&] { return value.toInt(); }));
    const auto real = toDouble(abi);
    const auto benchReal = bench([&] { return value.toDouble(); });
    EXPECT_EQ(real.has_value(), benchReal.has_value());
    if (real && benchReal && !(std::isnan(*real) && std::isnan(*benchReal))) {
      EXPECT_EQ(*real, *benchReal);
    }
    EXPECT_EQ(toCurrency(abi), bench([&] { return value.toCurrency().scaled; }));
    EXPECT_EQ(toBool(abi), bench([&] { return value.toBool(); }));
    EXPECT_EQ(toText(abi), bench([&] { return value.toText(); }));
  }
}

}  // namespace
}  // namespace lk40::sim
