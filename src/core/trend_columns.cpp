#include "core/trend_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lk40::core {
namespace {

constexpr int64_t kNoKey = std::numeric_limits<int64_t>::min();

// The narrowest of 1, 2, 5, 10, 20, 50 ... ms in which `columns` columns
// reach from first to end.
double roundWidth(int64_t firstMs, int64_t endMs, std::size_t columns) {
  for (double decade = 1;; decade *= 10) {
    for (const double mantissa : {1.0, 2.0, 5.0}) {
      const double width = decade * mantissa;
      const auto span = static_cast<int64_t>(std::floor(static_cast<double>(endMs) / width)) -
                        static_cast<int64_t>(std::floor(static_cast<double>(firstMs) / width));
      if (span < static_cast<int64_t>(columns)) return width;
    }
  }
}

}  // namespace

int64_t TrendWindow::keyOf(int64_t timeMs) const {
  return static_cast<int64_t>(std::floor(static_cast<double>(timeMs) / widthMs));
}

TrendWindow trendWindow(const TrendSeries& series, int64_t spanMs, int64_t endMs, std::size_t columns,
                        std::size_t jump) {
  TrendWindow w;
  w.columns = std::max<std::size_t>(columns, 1);
  w.endMs = endMs;
  if (spanMs > 0) {
    w.widthMs = static_cast<double>(spanMs) / static_cast<double>(w.columns);
    const auto step = static_cast<int64_t>(std::clamp<std::size_t>(jump, 1, w.columns));
    const int64_t endKey = w.keyOf(endMs);
    // The next multiple of step at or after endKey, negative keys included.
    const int64_t rest = ((endKey % step) + step) % step;
    w.lastKey = rest == 0 ? endKey : endKey + step - rest;
  } else {
    const int64_t firstMs = series.empty() ? endMs : std::min(endMs, series.timeAt(0));
    w.widthMs = roundWidth(firstMs, endMs, w.columns);
    w.lastKey = w.keyOf(firstMs) + static_cast<int64_t>(w.columns) - 1;
  }
  return w;
}

TrendColumn& TrendColumns::slot(int64_t key) {
  const auto n = static_cast<int64_t>(slots_.size());
  return slots_[static_cast<std::size_t>(((key % n) + n) % n)];
}

const TrendColumn* TrendColumns::at(int64_t key) const {
  if (slots_.empty() || key < window_.firstKey() || key > window_.lastKey) return nullptr;
  const auto n = static_cast<int64_t>(slots_.size());
  const TrendColumn& c = slots_[static_cast<std::size_t>(((key % n) + n) % n)];
  return c.key == key && c.moments.count > 0 ? &c : nullptr;
}

TrendMoments TrendColumns::moments() const {
  TrendMoments all;
  for (int64_t key = window_.firstKey(); key <= window_.lastKey; ++key)
    if (const TrendColumn* c = at(key)) all.merge(c->moments);
  return all;
}

TrendColumns::Extremes TrendColumns::extremes() const {
  Extremes e;
  for (int64_t key = window_.firstKey(); key <= window_.lastKey; ++key) {
    const TrendColumn* c = at(key);
    if (!c) continue;
    e.min = e.count == 0 ? c->moments.min : std::min(e.min, c->moments.min);
    e.max = e.count == 0 ? c->moments.max : std::max(e.max, c->moments.max);
    e.count += c->moments.count;
  }
  return e;
}

void TrendColumns::update(const TrendSeries& series, const TrendWindow& window) {
  const bool sameColumns = window.columns == window_.columns && window.widthMs == window_.widthMs;
  const uint64_t firstHeld = series.added() - series.size();
  const bool rebuildNeeded = !sameColumns || series.generation() != generation_ || takenIn_ < firstHeld ||
                             takenIn_ > series.added() || window.lastKey < window_.lastKey ||
                             window.endMs < window_.endMs;
  window_ = window;
  if (rebuildNeeded) {
    rebuild(series);
    return;
  }
  for (std::size_t i = static_cast<std::size_t>(takenIn_ - firstHeld); i < series.size(); ++i) {
    if (series.timeAt(i) > window_.endMs) break;
    takeIn(series, i);
    ++takenIn_;
  }
  refreshOldest(series);
}

void TrendColumns::rebuild(const TrendSeries& series) {
  slots_.assign(window_.columns, TrendColumn{});
  for (TrendColumn& c : slots_) c.key = kNoKey;
  generation_ = series.generation();
  // One millisecond early: takeIn passes over what the rounding lets in.
  const auto start = static_cast<int64_t>(std::floor(window_.startMs(window_.firstKey()))) - 1;
  std::size_t i = series.firstAtOrAfter(start);
  const uint64_t firstHeld = series.added() - series.size();
  for (; i < series.size() && series.timeAt(i) <= window_.endMs; ++i) takeIn(series, i);
  takenIn_ = firstHeld + i;
}

void TrendColumns::takeIn(const TrendSeries& series, std::size_t index) {
  const TrendPoint p = series[index];
  const int64_t key = window_.keyOf(p.timeMs);
  if (key < window_.firstKey() || key > window_.lastKey) return;
  TrendColumn& c = slot(key);
  if (c.key != key) {
    c = TrendColumn{};
    c.key = key;
  }
  if (c.moments.count == 0) {
    c.first = p.value;
    c.breakBefore = p.breakBefore;
  }
  c.last = p.value;
  c.moments.add(static_cast<double>(p.timeMs), p.value, p.stable);
}

// Once the series has dropped points, the column of its oldest point may
// still count some of them: it is made again from the points held, and the
// columns before it, all dropped, are emptied.
void TrendColumns::refreshOldest(const TrendSeries& series) {
  if (series.empty() || series.added() == series.size()) return;
  const int64_t oldestKey = window_.keyOf(series.timeAt(0));
  if (oldestKey < window_.firstKey()) return;
  for (int64_t key = window_.firstKey(); key <= oldestKey; ++key) {
    TrendColumn& c = slot(key);
    if (c.key == key) c = TrendColumn{key, {}, 0, 0, false};
  }
  const uint64_t firstHeld = series.added() - series.size();
  for (std::size_t i = 0; firstHeld + i < takenIn_ && window_.keyOf(series.timeAt(i)) == oldestKey; ++i)
    takeIn(series, i);
}

}  // namespace lk40::core
