// Creating an automation object by its ProgID: in-process factories first
// (tests register their fakes there), then driver plugins found on disk
// (POSIX) or the COM class registered for the ProgID (Windows).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dispatch.h"
#include "error.h"

namespace lk40::automation {

using Factory = std::function<std::shared_ptr<Dispatch>()>;

// Registers (or with an empty factory removes) an in-process factory.
void registerFactory(const std::string& progId, Factory factory);
void unregisterFactory(const std::string& progId);

// Creates the object, or raises CreationError saying why (not found, not
// loadable, no entry point, wrong ABI version, creation refused; on Windows
// the ProgID or its class not registered, or the class refusing creation).
std::shared_ptr<Dispatch> createObject(const std::string& progId);

#ifndef _WIN32
// The folders searched for "<progId>.so", in order: LK40_DRIVER_PATH's folders
// when it is set; otherwise the per-user folder, drivers/ beside the
// executable, the install folder as found from the executable's folder and
// the one the build was configured for. Never the current directory: empty and
// relative entries are ignored. The first folder holding the file decides;
// a driver there that fails to load is reported, not skipped.
std::vector<std::string> driverSearchPath();

// Loads one plugin file and creates the object from it (used by createObject;
// open for tests). Raises CreationError.
std::shared_ptr<Dispatch> createFromPlugin(const std::string& libraryPath,
                                           const std::string& progId);
#endif

}  // namespace lk40::automation
