#include "core/soak_times.h"

#include <gtest/gtest.h>

using lk40::core::SoakClock;
using namespace std::chrono_literals;

// The end and the elapsed time are both whole seconds of one carried-on clock,
// however the start falls within its second.
TEST(SoakClock, TheElapsedTimeIsTheShownEndLessTheShownStart) {
  const SoakClock::Steady steady{};
  struct Row {
    std::chrono::milliseconds intoSecond, later;
    std::time_t elapsed;
  };
  for (const Row row : {Row{700ms, 600ms, 1}, Row{0ms, 999ms, 0}, Row{999ms, 1ms, 1}, Row{300ms, 86'400'000ms, 86400}}) {
    SoakClock clock;
    clock.start(SoakClock::Wall{} + 1000s + row.intoSecond, steady);
    EXPECT_EQ(clock.shownStart(), 1000);
    EXPECT_EQ(clock.shownAt(steady + row.later) - clock.shownStart(), row.elapsed) << row.intoSecond.count();
  }
}

TEST(SoakTimes, ElapsedTextIsTheTimeOfDayOfTheDifference) {
  const auto formats = lk40::platform::RegionalFormats::russian();
  const std::pair<std::time_t, const char*> rows[] = {
      {0, "0:00:00"}, {59, "0:00:59"}, {3661, "1:01:01"}, {86399, "23:59:59"}, {86405, "0:00:05"}};
  for (const auto& [seconds, text] : rows) EXPECT_EQ(lk40::core::soakElapsedText(formats, seconds), text);
}
