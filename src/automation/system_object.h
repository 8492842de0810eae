// The objects the system itself provides by ProgID, behind the in-process
// factories: driver plugins found on disk on POSIX, COM classes on Windows.
#pragma once

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace lk40::automation::detail {

// Raises CreationError saying why no object could be had.
std::shared_ptr<Dispatch> createSystemObject(const std::string& progId);

}  // namespace lk40::automation::detail
