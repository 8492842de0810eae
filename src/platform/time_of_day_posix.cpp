#include <time.h>

#include "platform/time_of_day.h"

namespace lk40::platform {

int32_t localTimeOfDayMs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  // The broken-down time is taken once a second: the time zone lookup costs
  // more than the stamp itself, and a stamp is taken for every driver call.
  thread_local time_t cachedSecond = -1;
  thread_local int32_t cachedSecondOfDay = 0;
  if (now.tv_sec != cachedSecond) {
    tm local{};
    localtime_r(&now.tv_sec, &local);
    cachedSecond = now.tv_sec;
    cachedSecondOfDay = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  }
  return cachedSecondOfDay * 1000 + static_cast<int32_t>(now.tv_nsec / 1000000);
}

}  // namespace lk40::platform
