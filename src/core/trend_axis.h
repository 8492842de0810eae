// The axes of a trend chart: the value range with a margin around the
// points, ticks at round values (1, 2 or 5 times a power of ten), and ticks
// at round times of day with their texts.
#pragma once

#include <cstdint>
#include <string>

namespace lk40::core {

struct ValueRange {
  double lo = 0;
  double hi = 1;
  bool operator==(const ValueRange& o) const { return lo == o.lo && hi == o.hi; }
};

// The points' extremes widened by a twentieth of their range on each side;
// never narrower than ten steps of the readings' resolution (10^-decimals),
// so a flat or nearly flat line sits in the middle of a band, not on an edge.
ValueRange autoscale(double min, double max, int decimals);

struct ValueTicks;

// The range a chart draws: autoscale's, widened to whole steps of its ticks
// (at most maxTicks), so that a new reading moves it only when it crosses a
// tick, and the picture can go on sliding instead of being drawn anew.
ValueRange chartRange(double min, double max, int decimals, int maxTicks);

// The range to draw next, given the one drawn: kept while the points fit in
// it and fill at least half of it; when they grow out of it, widened to room
// for as much again on the side they left by, so that a rising load redraws
// the picture a few times, not at every tick it crosses; when they shrink
// into less than half, chartRange again.
ValueRange keptRange(const ValueRange& drawn, double min, double max, int decimals, int maxTicks);

struct ValueTicks {
  double first = 0;
  double step = 1;
  int count = 0;
  int decimals = 0;  // enough to tell the ticks apart
  double at(int i) const { return first + step * i; }
};

// At most maxTicks round values within [lo, hi].
ValueTicks valueTicks(double lo, double hi, int maxTicks);

struct TimeTicks {
  int64_t first = 0;
  int64_t step = 1000;
  int count = 0;
  int64_t at(int i) const { return first + step * i; }
};

// At most maxTicks round times (10, 15 or 30 seconds, 1, 2, 5 minutes ...)
// within [loMs, hiMs], counted from a midnight.
TimeTicks timeTicks(int64_t loMs, int64_t hiMs, int maxTicks);

// "H:mm" for ticks a minute or more apart, "H:mm:ss" for whole seconds and
// "H:mm:ss,d" (tenths after the separator) below; the time is taken modulo a day.
std::string timeTickText(int64_t msOfDay, int64_t stepMs, char separator);

}  // namespace lk40::core
