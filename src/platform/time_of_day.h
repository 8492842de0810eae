// The local wall-clock time of day to the millisecond, for time stamps.
#pragma once

#include <cstdint>

namespace lk40::platform {

// Milliseconds since local midnight, 0 to 86 399 999.
int32_t localTimeOfDayMs();

}  // namespace lk40::platform
