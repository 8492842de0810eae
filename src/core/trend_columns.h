// Thinning a trend for drawing: the time axis cut into columns of equal width,
// one per pixel column, each keeping the moments of its points (so its
// minimum and maximum) and its first and last value. Drawing then costs the
// same for a hundred points as for a hundred thousand, and the figures of the
// points shown are the columns' moments merged.
//
// Columns are numbered by absolute time (key = floor(t / width)), so while
// the width stays the same a column never changes once time has left it: new
// points fill the newest columns and the view slides by whole columns. Only a
// new width, or points the series dropped before they were taken in, make the
// columns be built again from the series.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/trend_series.h"
#include "core/trend_stats.h"

namespace lk40::core {

// The columns a chart shows: `columns` of `widthMs` each, the last numbered
// lastKey, with the points up to endMs; later points wait for a later window,
// so a paused chart shows what it showed.
struct TrendWindow {
  std::size_t columns = 0;
  double widthMs = 1;
  int64_t lastKey = 0;
  int64_t endMs = 0;

  int64_t firstKey() const { return lastKey - static_cast<int64_t>(columns) + 1; }
  int64_t keyOf(int64_t timeMs) const;
  double startMs(int64_t key) const { return static_cast<double>(key) * widthMs; }
  bool operator==(const TrendWindow& o) const {
    return columns == o.columns && widthMs == o.widthMs && lastKey == o.lastKey && endMs == o.endMs;
  }
};

// The window that takes the points up to endMs and spans spanMs over the
// columns; its last column is the next multiple of `jump` columns at or after
// endMs' own, so that its end moves in jumps (a chart then slides its picture
// once per jump, not once per column). A span of 0 means every point held up
// to endMs, the columns then as wide as a round time (1, 2 or 5 times a power
// of ten milliseconds) that lets all of them in, starting with the oldest
// point's column.
TrendWindow trendWindow(const TrendSeries& series, int64_t spanMs, int64_t endMs, std::size_t columns,
                        std::size_t jump = 1);

struct TrendColumn {
  int64_t key = 0;
  TrendMoments moments;  // count 0: no point in the column
  double first = 0;
  double last = 0;
  bool breakBefore = false;  // no line leads into the column from the one before
};

class TrendColumns {
 public:
  // Brings the columns up to the series and the window: takes in the points
  // added since the last update up to the window's end, or builds the
  // columns again when the window's width or count changed, its end went
  // back, the series was cleared or dropped points not yet taken in.
  void update(const TrendSeries& series, const TrendWindow& window);

  const TrendWindow& window() const { return window_; }
  // The column of a key in the window; null when it holds no point.
  const TrendColumn* at(int64_t key) const;
  // The moments of every point in the window's columns.
  TrendMoments moments() const;
  // Their count and extremes only: what a frame needs, for less.
  struct Extremes {
    int64_t count = 0;
    double min = 0;
    double max = 0;
  };
  Extremes extremes() const;
  // Memory held, bounded by the number of columns.
  std::size_t bytes() const { return slots_.capacity() * sizeof(TrendColumn); }

 private:
  void rebuild(const TrendSeries& series);
  void takeIn(const TrendSeries& series, std::size_t index);
  TrendColumn& slot(int64_t key);
  void refreshOldest(const TrendSeries& series);

  TrendWindow window_;
  std::vector<TrendColumn> slots_;  // key modulo the column count
  uint64_t generation_ = ~uint64_t{0};
  uint64_t takenIn_ = 0;  // points of the series taken in, by their number
};

}  // namespace lk40::core
