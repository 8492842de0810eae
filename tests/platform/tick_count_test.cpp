#include "platform/tick_count.h"

#include <gtest/gtest.h>

#include <chrono>
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
  EXPECT_LE(elapsed, static_cast<uint32_t>(measured) + 5u);
}

}  // namespace
}  // namespace lk40::platform
