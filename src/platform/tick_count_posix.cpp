#include "platform/tick_count.h"

#include <time.h>

namespace lk40::platform {

uint32_t tickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  // Truncation is the point: callers subtract with wrap-around.
  return static_cast<uint32_t>(ms);
}

}  // namespace lk40::platform
