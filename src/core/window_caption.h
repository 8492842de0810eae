// The caption of a window in logging mode: the port the driver is connected
// on, after the window's own caption.
#pragma once

#include <string>
#include <string_view>

#include "automation/driver.h"

namespace lk40::core {

// caption + " (COMn)" while the driver is connected (Connected, then
// ComNumber, are read), the caption alone otherwise (ComNumber is not read).
std::string captionWithPort(const automation::Driver& driver, std::string_view caption);

}  // namespace lk40::core
