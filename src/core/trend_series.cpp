#include "core/trend_series.h"

#include <algorithm>

namespace lk40::core {
namespace {

constexpr uint8_t kStable = 1;
constexpr uint8_t kBreakBefore = 2;

}  // namespace

TrendSeries::TrendSeries(std::size_t capacity)
    : times_(std::max<std::size_t>(capacity, 1)), values_(times_.size()), flags_(times_.size()) {}

void TrendSeries::add(const TrendPoint& point) {
  const int64_t time = size_ > 0 ? std::max(point.timeMs, timeAt(size_ - 1)) : point.timeMs;
  std::size_t s;
  if (size_ < capacity()) {
    s = slot(size_++);
  } else {
    s = first_;
    first_ = slot(1);
  }
  times_[s] = time;
  values_[s] = point.value;
  flags_[s] = static_cast<uint8_t>((point.stable ? kStable : 0) | (point.breakBefore ? kBreakBefore : 0));
  ++added_;
}

void TrendSeries::clear() {
  first_ = 0;
  size_ = 0;
  added_ = 0;
  ++generation_;
}

TrendPoint TrendSeries::operator[](std::size_t index) const {
  const std::size_t s = slot(index);
  return {times_[s], values_[s], (flags_[s] & kStable) != 0, (flags_[s] & kBreakBefore) != 0};
}

std::size_t TrendSeries::firstAtOrAfter(int64_t timeMs) const {
  std::size_t lo = 0;
  std::size_t hi = size_;
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (timeAt(mid) < timeMs)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

}  // namespace lk40::core
