// A POSIX system has no programs of another bitness to hand a run to.
#include <stdexcept>

#include "platform/process_handover.h"

namespace lk40::platform {

int runHandingOver(const std::string& program) {
  throw std::runtime_error(program + ": no hand-over on this system");
}

}  // namespace lk40::platform
