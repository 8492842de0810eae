// No installer records programs here: a package manager places them.
#include "platform/installed_program.h"

namespace lk40::platform {

std::string installedProgramValue(const std::string&, const std::string&) { return {}; }

}  // namespace lk40::platform
