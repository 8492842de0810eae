// Thinning against a count by brute force: every column's extremes, ends,
// count and the window's figures, whether the columns were built at once or
// kept up point by point, through gaps, a wrapped ring and a cleared series;
// memory that stays flat over two hours of polls every 50 ms.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/trend_columns.h"

namespace lk40::core {
namespace {

// Points now and then further apart, a break now and then, a ramp and a
// wobble, so that columns hold none, one or many points.
TrendPoint pointNumber(int i) {
  const int64_t t = 100'000 + int64_t{37} * i + (i / 50) * 900;
  return {t, 1e4 + 0.5 * i + ((i * 7919) % 13) - 6.0, i % 3 == 0, i % 97 == 5};
}

struct Expected {
  TrendMoments moments;
  double first = 0, last = 0;
  bool breakBefore = false;
};

void expectColumnsAsCounted(const TrendSeries& series, const TrendColumns& columns, const std::string& where) {
  const TrendWindow& w = columns.window();
  std::map<int64_t, Expected> expected;
  TrendMoments all;
  for (std::size_t i = 0; i < series.size(); ++i) {
    const TrendPoint p = series[i];
    const int64_t key = w.keyOf(p.timeMs);
    if (key < w.firstKey() || key > w.lastKey) continue;
    Expected& e = expected[key];
    if (e.moments.count == 0) {
      e.first = p.value;
      e.breakBefore = p.breakBefore;
    }
    e.last = p.value;
    e.moments.add(double(p.timeMs), p.value, p.stable);
    all.add(double(p.timeMs), p.value, p.stable);
  }
  for (int64_t key = w.firstKey(); key <= w.lastKey; ++key) {
    const TrendColumn* c = columns.at(key);
    const auto e = expected.find(key);
    ASSERT_EQ(c != nullptr, e != expected.end()) << where << " key " << key;
    if (!c) continue;
    EXPECT_EQ(c->moments.count, e->second.moments.count) << where << " key " << key;
    EXPECT_EQ(c->moments.min, e->second.moments.min) << where;
    EXPECT_EQ(c->moments.max, e->second.moments.max) << where;
    EXPECT_EQ(c->first, e->second.first) << where;
    EXPECT_EQ(c->last, e->second.last) << where;
    EXPECT_EQ(c->breakBefore, e->second.breakBefore) << where;
  }
  const TrendFigures got = trendFigures(columns.moments());
  const TrendFigures want = trendFigures(all);
  EXPECT_EQ(got.count, want.count) << where;
  EXPECT_EQ(got.min, want.min) << where;
  EXPECT_EQ(got.max, want.max) << where;
  if (want.sigma) {
    EXPECT_NEAR(*got.sigma, *want.sigma, 1e-9 * *want.sigma) << where;
  }
  if (want.driftPerMinute) {
    EXPECT_NEAR(*got.driftPerMinute, *want.driftPerMinute, 1e-6) << where;
  }
  EXPECT_EQ(got.stableShare, want.stableShare) << where;
  const TrendColumns::Extremes e = columns.extremes();
  EXPECT_EQ(e.count, want.count) << where;
  if (want.count > 0) {
    EXPECT_EQ(e.min, *want.min) << where;
    EXPECT_EQ(e.max, *want.max) << where;
  }
}

TEST(TrendColumns, KeptUpOrBuiltAtOnceTheyHoldWhatTheirPointsSay) {
  // span (0: all), columns, ring capacity
  const std::tuple<int64_t, std::size_t, std::size_t> cases[] = {
      {60'000, 300, 5'000}, {5'000, 640, 5'000}, {0, 200, 5'000}, {0, 500, 700}, {20'000, 97, 700}};
  for (const auto& [span, count, capacity] : cases) {
    const std::string where = "span " + std::to_string(span) + " columns " + std::to_string(count) + " capacity " +
                              std::to_string(capacity);
    TrendSeries series(capacity);
    TrendColumns kept;
    for (int i = 0; i < 3'000; ++i) {
      series.add(pointNumber(i));
      // Updates now after every point, now after a burst of them.
      if (i % (1 + i % 17) == 0)
        kept.update(series, trendWindow(series, span, series.timeAt(series.size() - 1), count, count / 8));
    }
    const int64_t end = series.timeAt(series.size() - 1) + 450;
    kept.update(series, trendWindow(series, span, end, count, count / 8));
    expectColumnsAsCounted(series, kept, where + " kept");
    TrendColumns atOnce;
    atOnce.update(series, trendWindow(series, span, end, count, count / 8));
    expectColumnsAsCounted(series, atOnce, where + " at once");
    EXPECT_EQ(kept.moments().count, atOnce.moments().count);

    // A frozen window takes in none of the later points; a narrower one is built anew.
    const TrendWindow frozen = kept.window();
    for (int i = 3'000; i < 3'100; ++i) series.add(pointNumber(i));
    kept.update(series, frozen);
    TrendColumns frozenAtOnce;
    frozenAtOnce.update(series, frozen);
    EXPECT_EQ(kept.moments().count, frozenAtOnce.moments().count) << where;
    kept.update(series, trendWindow(series, span, series.timeAt(series.size() - 1), count / 2));
    expectColumnsAsCounted(series, kept, where + " narrower");

    series.clear();
    series.add(pointNumber(0));
    kept.update(series, trendWindow(series, span, series.timeAt(0), count));
    EXPECT_EQ(kept.moments().count, 1) << where;
  }
}

TEST(TrendColumns, ASpanEndsInJumps) {
  TrendSeries series;
  // 60 s over 600 columns of 100 ms, jumps of 75 columns.
  for (const auto& [end, last] : {std::pair<int64_t, int64_t>{0, 0}, {100, 75}, {7'499, 75}, {7'500, 75},
                                  {7'600, 150}, {-100, 0}, {-7'600, -75}}) {
    const TrendWindow w = trendWindow(series, 60'000, end, 600, 75);
    EXPECT_EQ(w.lastKey, last) << end;
    EXPECT_EQ(w.endMs, end);
    EXPECT_EQ(w.widthMs, 100);
  }
}

TEST(TrendColumns, AllPointsFitTheColumnsAtARoundWidth) {
  TrendSeries series;
  for (int i = 0; i < 1'000; ++i) series.add({5'000 + 50 * i, double(i), false, false});
  const TrendWindow w = trendWindow(series, 0, series.timeAt(series.size() - 1), 400);
  // 49 950 ms over 400 columns: 125 ms would do, 200 ms is the next round width.
  EXPECT_EQ(w.widthMs, 200);
  EXPECT_EQ(w.firstKey(), w.keyOf(5'000));
  EXPECT_GE(w.lastKey, w.keyOf(series.timeAt(series.size() - 1)));
  const TrendWindow empty = trendWindow(TrendSeries(), 0, 777, 400);
  EXPECT_EQ(empty.firstKey(), empty.keyOf(777));
}

TEST(TrendColumns, TwoHoursOfPollsEvery50MsInFlatMemory) {
  // 144 000 polls fast-forwarded through the default ring, the columns of a
  // "Всё" chart kept up ten times a second of the feed's time.
  TrendSeries series;
  TrendColumns columns;
  const std::size_t seriesBytes = series.bytes();
  std::size_t columnBytes = 0;
  for (int i = 0; i < 144'000; ++i) {
    series.add({int64_t{50} * i, std::sin(i / 500.0), i % 2 == 0, false});
    if (i % 2 == 0) columns.update(series, trendWindow(series, 0, int64_t{50} * i, 800));
    if (i == 1'000) columnBytes = columns.bytes();
  }
  EXPECT_EQ(series.bytes(), seriesBytes);
  EXPECT_EQ(seriesBytes, 72'000u * 17);
  EXPECT_EQ(columns.bytes(), columnBytes);
  EXPECT_EQ(series.size(), TrendSeries::kDefaultCapacity);
  // The last hour, all of it and nothing older.
  EXPECT_EQ(series.timeAt(0), int64_t{50} * 72'000);
  EXPECT_EQ(columns.moments().count, 72'000);
}

}  // namespace
}  // namespace lk40::core
