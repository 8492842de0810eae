// The trend's figures against figures worked out by hand or in closed form,
// with offsets that sink a sum-of-squares formula; the series' ring; the
// axes; the CSV lines.
#include <gtest/gtest.h>

#include <cmath>

#include "core/trend_axis.h"
#include "core/trend_csv.h"
#include "core/trend_series.h"
#include "core/trend_stats.h"

namespace lk40::core {
namespace {

TrendFigures figuresOf(const std::vector<std::pair<double, double>>& points) {
  TrendMoments m;
  for (const auto& [t, v] : points) m.add(t, v, false);
  return trendFigures(m);
}

TEST(TrendStats, KnownSeries) {
  // Values 2 4 4 4 5 5 7 9 one second apart: mean 5, sample deviation
  // sqrt(32 / 7), slope 340/7 per minute (least squares, worked out apart).
  std::vector<std::pair<double, double>> points;
  const double values[] = {2, 4, 4, 4, 5, 5, 7, 9};
  for (int i = 0; i < 8; ++i) points.push_back({i * 1000.0, values[i]});
  const TrendFigures f = figuresOf(points);
  EXPECT_EQ(f.count, 8);
  EXPECT_EQ(*f.min, 2);
  EXPECT_EQ(*f.max, 9);
  EXPECT_EQ(*f.range, 7);
  EXPECT_DOUBLE_EQ(*f.mean, 5);
  EXPECT_NEAR(*f.sigma, std::sqrt(32.0 / 7.0), 1e-12);
  EXPECT_NEAR(*f.driftPerMinute, 340.0 / 7.0, 1e-9);

  // A straight line: its slope exactly, 0.5 per minute over 200 ms polls.
  points.clear();
  for (int i = 0; i < 300; ++i) points.push_back({i * 200.0, 3 + 0.5 * (i * 200.0 / 60'000)});
  EXPECT_NEAR(*figuresOf(points).driftPerMinute, 0.5, 1e-12);
}

TEST(TrendStats, MillionPointsWithLargeOffsets) {
  // ±1 around a billion at a clock reading of 10^12 ms: the deviation is
  // sqrt(n / (n - 1)); E[v²] - E[v]² in doubles would lose it entirely.
  // A slope of 0.001 per ms on top of 10^6 gives 60 per minute.
  constexpr int n = 1'000'000;
  TrendMoments noise;
  TrendMoments line;
  TrendMoments halves[2];
  for (int i = 0; i < n; ++i) {
    const double t = 1e12 + 50.0 * i;
    noise.add(t, 1e9 + (i % 2 ? 1 : -1), i % 4 == 0);
    line.add(t, 1e6 + 0.001 * (50.0 * i), false);
    halves[i < n / 3].add(t, 1e9 + (i % 2 ? 1 : -1), i % 4 == 0);
  }
  const TrendFigures f = trendFigures(noise);
  EXPECT_NEAR(*f.mean, 1e9, 1e-6);
  EXPECT_NEAR(*f.sigma, std::sqrt(n / (n - 1.0)), 1e-9);
  EXPECT_EQ(*f.range, 2);
  // The alternation leans a little with time: 7200 / (n² - 1) per minute,
  // 7.2e-9 on a value of 10^9, told apart from nothing.
  EXPECT_NEAR(*f.driftPerMinute, 7200.0 / (double(n) * n - 1), 1e-11);
  EXPECT_DOUBLE_EQ(*f.stableShare, 0.25);
  EXPECT_NEAR(*trendFigures(line).driftPerMinute, 60, 1e-6);

  // Merging unequal groups gives what one pass gives.
  TrendMoments merged = halves[1];
  merged.merge(halves[0]);
  const TrendFigures g = trendFigures(merged);
  EXPECT_EQ(g.count, n);
  EXPECT_NEAR(*g.mean, *f.mean, 1e-6);
  EXPECT_NEAR(*g.sigma, *f.sigma, 1e-9);
  EXPECT_NEAR(*g.driftPerMinute, *f.driftPerMinute, 1e-9);
  EXPECT_EQ(*g.stableShare, *f.stableShare);
}

TEST(TrendStats, EmptyOnePointAndOneMoment) {
  const TrendFigures none = figuresOf({});
  EXPECT_EQ(none.count, 0);
  EXPECT_FALSE(none.min || none.max || none.mean || none.sigma || none.range || none.driftPerMinute ||
               none.stableShare);
  const TrendFigures one = figuresOf({{5, -2.5}});
  EXPECT_EQ(*one.min, -2.5);
  EXPECT_EQ(*one.max, -2.5);
  EXPECT_EQ(*one.mean, -2.5);
  EXPECT_EQ(*one.range, 0);
  EXPECT_FALSE(one.sigma || one.driftPerMinute);
  const TrendFigures sameMoment = figuresOf({{7, 1}, {7, 3}});
  EXPECT_NEAR(*sameMoment.sigma, std::sqrt(2.0), 1e-15);
  EXPECT_FALSE(sameMoment.driftPerMinute);
}

TEST(TrendStats, NoiseFreeBits) {
  const std::pair<std::optional<double>, std::optional<double>> cases[] = {
      {256.0, 16.0}, {1.0, 24.0}, {0.0, 24.0}, {37.0, std::log2(16777216.0 / 37)}, {std::nullopt, std::nullopt}};
  for (const auto& [p2p, bits] : cases) EXPECT_EQ(noiseFreeBits(p2p), bits);
  EXPECT_EQ(noiseFreeBits(16.0, 65536.0), 12.0);
}

TEST(TrendStats, Texts) {
  TrendMoments m;
  for (const auto& [t, v, stable] : {std::tuple{0.0, 1.25, true}, {60'000.0, 1.5, false}, {120'000.0, 1.75, true}})
    m.add(t, v, stable);
  const TrendTexts weight = trendTexts(trendFigures(m), {4, "кг", ','});
  EXPECT_EQ(weight.count, "3");
  EXPECT_EQ(weight.min, "1,2500 кг");
  EXPECT_EQ(weight.max, "1,7500 кг");
  EXPECT_EQ(weight.mean, "1,50000 кг");
  EXPECT_EQ(weight.sigma, "0,25000 кг");
  EXPECT_EQ(weight.range, "0,5000 кг");
  EXPECT_EQ(weight.drift, "0,25000 кг/мин");
  EXPECT_EQ(weight.stable, "66,7 %");
  const TrendTexts empty = trendTexts(trendFigures(TrendMoments{}), {0, "ед.", '.'});
  EXPECT_EQ(empty.count, "0");
  for (const std::string& t : {empty.min, empty.sigma, empty.drift, empty.stable, empty.noiseFreeBits})
    EXPECT_EQ(t, "—");
}

TEST(TrendSeries, RingKeepsTheNewestInTimeOrder) {
  TrendSeries s(4);
  const std::size_t bytes = s.bytes();
  for (int i = 0; i < 10; ++i) s.add({i * 100, double(i), i % 2 == 0, i == 7});
  EXPECT_EQ(s.size(), 4u);
  EXPECT_EQ(s.added(), 10u);
  EXPECT_EQ(s.bytes(), bytes);
  for (std::size_t i = 0; i < 4; ++i) {
    const TrendPoint p = s[i];
    EXPECT_EQ(p.timeMs, int64_t(600 + 100 * i));
    EXPECT_EQ(p.value, 6.0 + i);
    EXPECT_EQ(p.stable, i % 2 == 0);
    EXPECT_EQ(p.breakBefore, i == 1);
  }
  const std::pair<int64_t, std::size_t> searches[] = {{0, 0}, {600, 0}, {601, 1}, {900, 3}, {901, 4}};
  for (const auto& [time, index] : searches) EXPECT_EQ(s.firstAtOrAfter(time), index) << time;
  s.add({850, 10, false, false});  // a clock that went back
  EXPECT_EQ(s.timeAt(3), 900);
  const uint64_t generation = s.generation();
  s.clear();
  EXPECT_TRUE(s.empty());
  EXPECT_EQ(s.added(), 0u);
  EXPECT_NE(s.generation(), generation);
}

TEST(TrendAxis, RoundTicksAndMargins) {
  const std::tuple<double, double, int, double, double, int, int> values[] = {
      // lo, hi, at most: first, step, count, decimals
      {0.03, 0.97, 5, 0.2, 0.2, 4, 1},
      {-12.3, 48, 7, -10, 10, 6, 0},
      {84'010, 84'190, 10, 84'020, 20, 9, 0},
      {1.23451, 1.23469, 4, 1.23455, 0.00005, 3, 5}};
  for (const auto& [lo, hi, most, first, step, count, decimals] : values) {
    const ValueTicks t = valueTicks(lo, hi, most);
    EXPECT_NEAR(t.first, first, step * 1e-9) << lo;
    EXPECT_NEAR(t.step, step, step * 1e-9) << lo;
    EXPECT_EQ(t.count, count) << lo;
    EXPECT_EQ(t.decimals, decimals) << lo;
  }
  const ValueRange flat = autoscale(2, 2, 4);
  EXPECT_NEAR(flat.lo, 1.9995, 1e-12);
  EXPECT_NEAR(flat.hi, 2.0005, 1e-12);
  const ValueRange wide = autoscale(10, 30, 0);
  EXPECT_EQ(wide.lo, 9);
  EXPECT_EQ(wide.hi, 31);
  // Widened to whole ticks: readings inside the same ticks keep the range.
  const ValueRange drawn = chartRange(10, 30, 0, 5);
  EXPECT_EQ(drawn.lo, 5);
  EXPECT_EQ(drawn.hi, 35);
  EXPECT_EQ(chartRange(9.5, 30.5, 0, 5), drawn);
  // Kept while the points fill at least half of it; grown with room for as
  // much again; narrowed again when they fill less than half.
  EXPECT_EQ(keptRange(drawn, 12, 29, 0, 5), drawn);
  const ValueRange grown = keptRange(drawn, 12, 40, 0, 5);
  EXPECT_EQ(grown, chartRange(12, 68, 0, 5));
  EXPECT_EQ(keptRange(grown, 12, 60, 0, 5), grown);
  EXPECT_EQ(keptRange(drawn, 20, 21, 0, 5), chartRange(20, 21, 0, 5));
  const ValueRange band = chartRange(2, 2, 4, 5);
  EXPECT_EQ(keptRange(band, 2, 2, 4, 5), band);

  const std::tuple<int64_t, int64_t, int, int64_t, int64_t, int> times[] = {
      // a minute from 10:00:03.2: every 10 s from 10:00:10
      {36'003'200, 36'063'200, 7, 36'010'000, 10'000, 6},
      {36'003'200, 36'003'200 + 3'600'000, 8, 36'600'000, 600'000, 6},
      {-2'500, 2'500, 5, -2'000, 2'000, 3}};
  for (const auto& [lo, hi, most, first, step, count] : times) {
    const TimeTicks t = timeTicks(lo, hi, most);
    EXPECT_EQ(t.first, first) << lo;
    EXPECT_EQ(t.step, step) << lo;
    EXPECT_EQ(t.count, count) << lo;
  }
  EXPECT_EQ(timeTickText(36'010'000, 10'000, ','), "10:00:10");
  EXPECT_EQ(timeTickText(36'600'000, 600'000, ','), "10:10");
  EXPECT_EQ(timeTickText(86'400'000 + 500, 500, ','), "0:00:00,5");
}

TEST(TrendCsv, LinesOfThePointsAsked) {
  TrendSeries s;
  s.add({1'000, 1.5, true, false});
  s.add({1'250, -0.00004, false, true});
  s.add({61'000, 12, true, false});
  const TrendCsvLayout weight{"Вес, кг", 4, true, ',', 86'399'000};
  EXPECT_EQ(trendCsvText(s, 1, 3, weight),
            "Время;Секунды;Вес, кг;Успокоение\r\n"
            "00:00:00.250;0,000;0,0000;0\r\n"
            "00:01:00.000;59,750;12,0000;1\r\n");
  const TrendCsvLayout adc{"АЦП", 0, false, '.', 0};
  EXPECT_EQ(trendCsvText(s, 0, 9, adc), "Время;Секунды;АЦП\r\n00:00:01.000;0.000;2\r\n00:00:01.250;0.250;0\r\n"
                                        "00:01:01.000;60.000;12\r\n");
  EXPECT_EQ(trendCsvText(s, 2, 2, adc), "Время;Секунды;АЦП\r\n");
}

}  // namespace
}  // namespace lk40::core
