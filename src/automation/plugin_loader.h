// Loading a driver plugin's library and checking the function table it
// exports, before anything else of the table is used. One backend per OS.
#pragma once

#include <memory>
#include <string>

#include "contract/plugin_abi.h"

namespace lk40::automation::detail {

class SharedLibrary;  // the loaded library; unloaded when the last owner goes

struct LoadedPlugin {
  std::shared_ptr<SharedLibrary> library;
  const lk40_plugin_api* api = nullptr;  // valid while library is held
};

// Raises CreationError naming the file and what is wrong with it.
LoadedPlugin loadPlugin(const std::string& path);

}  // namespace lk40::automation::detail
