#include "core/run_statistics.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

TEST(RunStatistics, CallsByMethodWithCodesAndTimes) {
  CallStatistics calls;
  for (const uint32_t ms : {30u, 10u, 20u, 40u}) calls.add("GetMode", 0, ms);  // median of 10 20 30 40: 20
  calls.add("GetMode", 5, 90);
  calls.add("GetMode", std::nullopt, 1);  // raised: no code
  calls.add("Connect", 0, 7);
  calls.lost(3);
  EXPECT_EQ(calls.calls(), 7u);
  EXPECT_EQ(calls.reportLines(),
            "Вызовы драйвера: 7, не учтено 3\n"
            "  Connect: вызовов 1; код 0 — 1; мин 7 мс, медиана 7 мс, макс 7 мс\n"
            "  GetMode: вызовов 6; код 0 — 4, код 5 — 1, без кода — 1; мин 1 мс, медиана 20 мс, макс 90 мс\n");
  const RunProperties properties = calls.properties();
  const RunProperties expected = {{"calls", "7"},          {"calls.lost", "3"},       {"Connect.calls", "1"},
                                  {"Connect.code.0", "1"}, {"Connect.ms.min", "7"},   {"Connect.ms.median", "7"},
                                  {"Connect.ms.max", "7"}, {"GetMode.calls", "6"},    {"GetMode.code.0", "4"},
                                  {"GetMode.code.5", "1"}, {"GetMode.nocode", "1"},   {"GetMode.ms.min", "1"},
                                  {"GetMode.ms.median", "20"}, {"GetMode.ms.max", "90"}};
  EXPECT_EQ(properties, expected);
  EXPECT_EQ(CallStatistics().reportLines(), "Вызовы драйвера: 0\n");
}

}  // namespace
}  // namespace lk40::core
