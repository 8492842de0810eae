// The system tick counter: monotonic milliseconds in an unsigned 32-bit count
// that wraps around; differences are taken by wrap-around subtraction.
#pragma once

#include <cstdint>

namespace lk40::platform {

uint32_t tickCount();

inline uint32_t ticksBetween(uint32_t start, uint32_t now) { return now - start; }

}  // namespace lk40::platform
