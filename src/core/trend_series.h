// The points of a trend chart: each poll's value, time and settled bit in a
// ring of fixed capacity, allocated whole at the start, the oldest point
// giving way to the newest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lk40::core {

struct TrendPoint {
  int64_t timeMs = 0;  // a monotonic clock's milliseconds
  double value = 0;
  bool stable = false;       // the poll had the "Успокоение" bit
  bool breakBefore = false;  // polls without a value came before it: no line leads to it
};

class TrendSeries {
 public:
  // An hour of polls at the fastest period the command line allows (50 ms).
  static constexpr std::size_t kDefaultCapacity = 72'000;
  static constexpr std::size_t kBytesPerPoint = sizeof(int64_t) + sizeof(double) + sizeof(uint8_t);

  explicit TrendSeries(std::size_t capacity = kDefaultCapacity);

  // A point earlier than the last one is taken at the last one's time, so the
  // times never go back.
  void add(const TrendPoint& point);
  void clear();

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::size_t capacity() const { return times_.size(); }
  // The memory the points take, the same from the first point to the last.
  std::size_t bytes() const { return capacity() * kBytesPerPoint; }

  // 0 is the oldest point held.
  TrendPoint operator[](std::size_t index) const;
  int64_t timeAt(std::size_t index) const { return times_[slot(index)]; }
  double valueAt(std::size_t index) const { return values_[slot(index)]; }
  // The index of the first point at or after timeMs; size() when none is.
  std::size_t firstAtOrAfter(int64_t timeMs) const;

  // Points added since the last clear, dropped ones included: the point at
  // index i is number added() - size() + i.
  uint64_t added() const { return added_; }
  // Counts the clears, so a reader knows its numbers belong to another run.
  uint64_t generation() const { return generation_; }

 private:
  std::size_t slot(std::size_t index) const {
    const std::size_t s = first_ + index;
    return s < times_.size() ? s : s - times_.size();
  }

  std::vector<int64_t> times_;
  std::vector<double> values_;
  std::vector<uint8_t> flags_;
  std::size_t first_ = 0;
  std::size_t size_ = 0;
  uint64_t added_ = 0;
  uint64_t generation_ = 0;
};

}  // namespace lk40::core
