#include "core/trend_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace lk40::core {

ValueRange autoscale(double min, double max, int decimals) {
  if (!(min <= max)) return {};
  const double narrowest = 10.0 * std::pow(10.0, -decimals);
  double margin = (max - min) / 20.0;
  if (max - min + 2 * margin < narrowest) margin = (narrowest - (max - min)) / 2;
  return {min - margin, max + margin};
}

ValueTicks valueTicks(double lo, double hi, int maxTicks) {
  ValueTicks t;
  if (!(hi > lo) || maxTicks < 1) return t;
  const double raw = (hi - lo) / maxTicks;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double mantissa : {1.0, 2.0, 5.0, 10.0}) {
    t.step = mantissa * decade;
    if (t.step >= raw) break;
  }
  t.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(t.step) + 1e-9)));
  t.first = std::ceil(lo / t.step - 1e-9) * t.step;
  t.count = static_cast<int>(std::floor((hi - t.first) / t.step + 1e-9)) + 1;
  return t;
}

ValueRange chartRange(double min, double max, int decimals, int maxTicks) {
  const ValueRange r = autoscale(min, max, decimals);
  const ValueTicks t = valueTicks(r.lo, r.hi, maxTicks);
  if (t.count == 0) return r;
  return {std::floor(r.lo / t.step + 1e-9) * t.step, std::ceil(r.hi / t.step - 1e-9) * t.step};
}

ValueRange keptRange(const ValueRange& drawn, double min, double max, int decimals, int maxTicks) {
  const bool fits = min >= drawn.lo && max <= drawn.hi;
  if (fits && (max - min) * 2 >= drawn.hi - drawn.lo) return drawn;
  if (fits) {
    const ValueRange tight = chartRange(min, max, decimals, maxTicks);
    // A flat line keeps the band it has, if that is the narrowest one anyway.
    return tight.hi - tight.lo < drawn.hi - drawn.lo ? tight : drawn;
  }
  const double span = max - min;
  return chartRange(min < drawn.lo ? min - span : min, max > drawn.hi ? max + span : max, decimals, maxTicks);
}

TimeTicks timeTicks(int64_t loMs, int64_t hiMs, int maxTicks) {
  static constexpr int64_t kSteps[] = {100,    200,     500,     1'000,     2'000,     5'000,     10'000,
                                       15'000, 30'000,  60'000,  120'000,   300'000,   600'000,   900'000,
                                       1'800'000, 3'600'000, 7'200'000, 10'800'000, 21'600'000, 43'200'000};
  TimeTicks t;
  if (hiMs < loMs || maxTicks < 1) return t;
  t.step = kSteps[std::size(kSteps) - 1];
  for (const int64_t step : kSteps) {
    if ((hiMs - loMs) / step < maxTicks) {
      t.step = step;
      break;
    }
  }
  // Round up towards the later time, negative times included.
  t.first = loMs >= 0 ? (loMs + t.step - 1) / t.step * t.step : -((-loMs) / t.step * t.step);
  t.count = t.first > hiMs ? 0 : static_cast<int>((hiMs - t.first) / t.step) + 1;
  return t;
}

std::string timeTickText(int64_t msOfDay, int64_t stepMs, char separator) {
  constexpr int64_t kDay = 86'400'000;
  const int64_t ms = ((msOfDay % kDay) + kDay) % kDay;
  const int h = static_cast<int>(ms / 3'600'000);
  const int m = static_cast<int>(ms / 60'000 % 60);
  const int s = static_cast<int>(ms / 1'000 % 60);
  char text[32];
  if (stepMs >= 60'000)
    std::snprintf(text, sizeof text, "%d:%02d", h, m);
  else if (stepMs >= 1'000)
    std::snprintf(text, sizeof text, "%d:%02d:%02d", h, m, s);
  else
    std::snprintf(text, sizeof text, "%d:%02d:%02d%c%d", h, m, s, separator, static_cast<int>(ms / 100 % 10));
  return text;
}

}  // namespace lk40::core
