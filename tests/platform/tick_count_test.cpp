#include "platform/tick_count.h"
#include "platform/time_of_day.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace lk40::platform {
namespace {

TEST(TickCount, DifferencesSurviveTheWrap) {
  EXPECT_EQ(ticksBetween(0xFFFFFF00u, 0x00000010u), 0x110u);
  EXPECT_EQ(ticksBetween(0xFFFFFFFFu, 0u), 1u);
  EXPECT_EQ(ticksBetween(1000u, 1250u), 250u);
}

TEST(TickCount, CountsMilliseconds) {
  const uint32_t start = tickCount();
  const auto clockStart = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  const uint32_t elapsed = ticksBetween(start, tickCount());
  const auto measured =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clockStart).count();
  EXPECT_GE(elapsed, 115u);
  // Windows' counter moves in steps of up to 16 ms, so it may run one step
  // ahead of the finer clock (seen under Wine: 130 against 123).
  EXPECT_LE(elapsed, static_cast<uint32_t>(measured) + 17u);
}

// Against the C library's local time of the same moment: the zone, the units
// and the cached second must all agree, also across a second's turn.
TEST(LocalTimeOfDay, AgreesWithTheLocalClock) {
  for (int i = 0; i < 3; ++i) {
    const std::time_t before = std::time(nullptr);
    const int32_t ms = localTimeOfDayMs();
    const std::time_t after = std::time(nullptr);
    std::tm local{};
    localtime_r(&before, &local);
    const int32_t second = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const int32_t shown = ms / 1000;
    EXPECT_TRUE(shown == second || (after != before && shown == (second + 1) % 86400)) << ms << " vs " << second;
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 86400000);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
}

}  // namespace
}  // namespace lk40::platform
