#include <windows.h>

#include "platform/time_of_day.h"

namespace lk40::platform {

int32_t localTimeOfDayMs() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return ((now.wHour * 60 + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
}

}  // namespace lk40::platform
