// The points of a trend as CSV, for a spreadsheet: one line per point, the
// time of day, the seconds since the first point, the value and (for the
// weight) the settled bit; ";" between cells, "\r\n" after each line, the
// decimal separator of the regional formats. saveCsvFile writes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/trend_series.h"

namespace lk40::core {

struct TrendCsvLayout {
  std::string valueHeader;  // "Вес, кг", "АЦП"
  int decimals = 4;
  bool withStable = false;  // a column "Успокоение": 1 or 0
  char separator = '.';
  int64_t timeOfDayAtZeroMs = 0;  // the time of day at the series' time 0
};

// The points [from, to) of the series, after a header line.
std::string trendCsvText(const TrendSeries& series, std::size_t from, std::size_t to, const TrendCsvLayout& layout);

}  // namespace lk40::core
