// The logging step: a line goes to the logging file on the first tick and on
// every step-th tick after it.
#pragma once

#include <cstdint>

namespace lk40::core {

class EveryNthTick {
 public:
  // Counts one tick and tells whether it is due. A step below 1 counts
  // nothing and is never due.
  bool due(int step) {
    if (step <= 0) return false;
    const bool isDue = ticks_ % step == 0;
    ++ticks_;
    return isDue;
  }
  void restart() { ticks_ = 0; }

 private:
  int64_t ticks_ = 0;  // wide enough never to wrap
};

}  // namespace lk40::core
