// Plugins are found by file name: no registry, no views.
#include "automation/class_registration.h"

namespace lk40::automation {

ClassRegistration findClassRegistration(const std::string&) { return {}; }

std::string failureText(const Error& error) { return error.what(); }

}  // namespace lk40::automation
