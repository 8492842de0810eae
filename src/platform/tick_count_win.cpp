#include <windows.h>

#include "platform/tick_count.h"

namespace lk40::platform {

// The system's own millisecond counter, which wraps the same way.
uint32_t tickCount() { return static_cast<uint32_t>(GetTickCount64()); }

}  // namespace lk40::platform
