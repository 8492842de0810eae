#include "core/trend_csv.h"

#include <algorithm>

#include "core/exchange_journal.h"
#include "core/numbers.h"

namespace lk40::core {

std::string trendCsvText(const TrendSeries& series, std::size_t from, std::size_t to, const TrendCsvLayout& layout) {
  constexpr int64_t kDay = 86'400'000;
  to = std::min(to, series.size());
  std::string out = "Время;Секунды;" + layout.valueHeader + (layout.withStable ? ";Успокоение" : "") + "\r\n";
  if (from >= to) return out;
  out.reserve(out.size() + (to - from) * 40);
  const int64_t start = series.timeAt(from);
  for (std::size_t i = from; i < to; ++i) {
    const TrendPoint p = series[i];
    const int64_t ofDay = ((layout.timeOfDayAtZeroMs + p.timeMs) % kDay + kDay) % kDay;
    out += timeOfDayText(static_cast<int32_t>(ofDay));
    out += ';';
    out += formatDecimals(static_cast<double>(p.timeMs - start) / 1000.0, 3, layout.separator);
    out += ';';
    out += formatDecimals(p.value, layout.decimals, layout.separator);
    if (layout.withStable) out += p.stable ? ";1" : ";0";
    out += "\r\n";
  }
  return out;
}

}  // namespace lk40::core
