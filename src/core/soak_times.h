// The soak test's three times as shown: its start, its end and the time that
// passed between them, kept in step with one another.
#pragma once

#include <chrono>
#include <ctime>
#include <string>

#include "platform/regional_formats.h"

namespace lk40::core {

// The start is the wall clock's, in whole seconds; every later time is that
// start carried on by the monotonic clock, so that a clock set forward or back
// mid-test moves none of them and the elapsed time is always the shown end
// minus the shown start, to the second.
class SoakClock {
 public:
  using Wall = std::chrono::system_clock::time_point;
  using Steady = std::chrono::steady_clock::time_point;

  void start() { start(std::chrono::system_clock::now(), std::chrono::steady_clock::now()); }
  void start(Wall wall, Steady steady) {
    wallStart_ = wall;
    steadyStart_ = steady;
  }
  std::time_t shownStart() const { return shownAt(steadyStart_); }
  std::time_t shownNow() const { return shownAt(std::chrono::steady_clock::now()); }
  std::time_t shownAt(Steady moment) const;

 private:
  Wall wallStart_;
  Steady steadyStart_;
};

// The local date and time in the user's short date and long time formats.
std::string soakDateTimeText(const platform::RegionalFormats& formats, std::time_t time);
// Elapsed seconds in the long time format; only the time of day of the
// difference, so it starts again after 24 hours.
std::string soakElapsedText(const platform::RegionalFormats& formats, std::time_t seconds);

}  // namespace lk40::core
