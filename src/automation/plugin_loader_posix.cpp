#include <dlfcn.h>

#include "automation/error.h"
#include "automation/plugin_loader.h"

namespace lk40::automation::detail {

class SharedLibrary {
 public:
  explicit SharedLibrary(void* handle) : handle_(handle) {}
  ~SharedLibrary() { dlclose(handle_); }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  void* symbol(const char* name) const { return dlsym(handle_, name); }

 private:
  void* handle_;
};

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
  throw CreationError("Driver '" + path + "' " + reason);
}

std::string lastDlError() {
  const char* text = dlerror();
  return text ? text : "unknown reason";
}

// The table must be complete: a null entry would crash the bench on first use.
const char* missingFunction(const lk40_plugin_api& api) {
  if (!api.create) return "create";
  if (!api.release) return "release";
  if (!api.get_id_of_name) return "get_id_of_name";
  if (!api.invoke) return "invoke";
  if (!api.clear_variant) return "clear_variant";
  if (!api.clear_exception) return "clear_exception";
  return nullptr;
}

}  // namespace

LoadedPlugin loadPlugin(const std::string& path) {
  // RTLD_LOCAL keeps one driver's symbols from resolving another's.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) fail(path, "cannot be loaded: " + lastDlError());
  // From here on the library is closed on every way out.
  auto library = std::make_shared<SharedLibrary>(handle);

  dlerror();
  void* entry = library->symbol(LK40_PLUGIN_ENTRY_NAME);
  if (!entry) fail(path, "has no entry point " LK40_PLUGIN_ENTRY_NAME ": " + lastDlError());

  const auto entryFn = reinterpret_cast<lk40_plugin_entry_fn>(entry);
  const lk40_plugin_api* api = entryFn();
  if (!api) fail(path, "returned no function table");
  if (api->struct_size < sizeof(lk40_plugin_api)) {
    fail(path, "has a function table of " + std::to_string(api->struct_size) +
                   " bytes, at least " + std::to_string(sizeof(lk40_plugin_api)) +
                   " are needed");
  }
  if (api->abi_version != LK40_PLUGIN_ABI_VERSION) {
    fail(path, "uses plugin ABI version " + std::to_string(api->abi_version) +
                   ", this bench needs version " +
                   std::to_string(LK40_PLUGIN_ABI_VERSION));
  }
  if (const char* missing = missingFunction(*api)) {
    fail(path, std::string("lacks the function ") + missing + " in its table");
  }
  return LoadedPlugin{std::move(library), api};
}

}  // namespace lk40::automation::detail
