// Where the class behind a ProgID is registered for in-process use, asked
// once creating it has failed: 64-bit Windows keeps the classes of 32-bit
// and of 64-bit programs in two views of the registry, and an in-process
// server serves only processes of its own bitness.
#pragma once

#include <string>

#include "automation/error.h"

namespace lk40::automation {

struct ClassRegistration {
  std::string clsid;      // "{…}" as the ProgID names it in either view; empty when neither does
  bool for32Bit = false;  // CLSID\{…}\InprocServer32 in the 32-bit view
  bool for64Bit = false;  // the same in the 64-bit view
};

// On POSIX, where drivers are plugins, nothing is registered anywhere.
ClassRegistration findClassRegistration(const std::string& progId);

// The system's words for the failure an error carries (its HRESULT's text on
// Windows), else the error's own message.
std::string failureText(const Error& error);

}  // namespace lk40::automation
