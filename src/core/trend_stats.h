// The figures a weighing engineer reads off a trend: count, minimum, maximum,
// mean, standard deviation, range, drift per minute and the settled share,
// gathered in one pass with Welford's updates so that large offsets (a
// converter's counts, a heavy load) cost no precision, and merged group by
// group (Chan's formulas) so that a chart sums its columns instead of its
// points. Also the converter's noise-free bits and the figures as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lk40::core {

// The moments of the points (t, v) of a group: their count, extremes and
// settled count, the means of t and v, the sums of squared deviations of t
// and of v and the sum of their cross products.
struct TrendMoments {
  int64_t count = 0;
  int64_t stable = 0;
  double min = 0;
  double max = 0;
  double meanT = 0;
  double meanV = 0;
  double m2T = 0;
  double m2V = 0;
  double cTV = 0;

  void add(double timeMs, double value, bool isStable);
  void merge(const TrendMoments& other);
};

// What the moments say; a figure the points cannot give is empty: all of them
// for no point, the deviation and the drift for one point or for points all
// at one moment.
struct TrendFigures {
  int64_t count = 0;
  std::optional<double> min, max, mean;
  std::optional<double> sigma;  // sample standard deviation, n - 1 in the divisor
  std::optional<double> range;  // max - min: the peak-to-peak noise of a steady signal
  std::optional<double> driftPerMinute;  // least-squares slope of value over time
  std::optional<double> stableShare;     // 0 to 1
};

TrendFigures trendFigures(const TrendMoments& moments);

// The full range of the module's converter when it gives no other: 24 bits.
constexpr double kAdcFullRange = 16777216.0;

// log2(full range / peak-to-peak). A peak-to-peak below one count is taken as
// one count: the converter resolves no finer. Empty without a range.
std::optional<double> noiseFreeBits(std::optional<double> peakToPeak, double fullRange = kAdcFullRange);

// How a chart writes its figures: the readings (extremes, range) with so many
// decimals and the unit after them, the mean, deviation and drift (per
// minute) with one decimal more, the share in percent.
struct TrendTextFormat {
  int decimals = 4;
  std::string unit;  // "кг"; may be empty
  char separator = '.';
};

struct TrendTexts {
  std::string count, min, max, mean, sigma, range, drift, stable, noiseFreeBits;
};

// "—" for a figure the points cannot give.
TrendTexts trendTexts(const TrendFigures& figures, const TrendTextFormat& format);

}  // namespace lk40::core
