// The automation object of a driver plugin: Dispatch over the C function table,
// keeping the plugin's library loaded for as long as the object lives.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "automation/dispatch.h"
#include "automation/plugin_loader.h"

namespace lk40::automation::detail {

// A value as the plugin boundary carries it; a text points into value, which
// must outlive the result.
lk40_variant toAbi(const Variant& value);

class PluginObject final : public Dispatch {
 public:
  // Takes ownership of object, which plugin's table created.
  PluginObject(LoadedPlugin plugin, lk40_object* object);
  ~PluginObject() override;
  PluginObject(const PluginObject&) = delete;
  PluginObject& operator=(const PluginObject&) = delete;

  std::optional<DispId> idOfName(std::string_view name) override;
  Variant invoke(DispId id, InvokeKind kind, const Variant* arg) override;

 private:
  LoadedPlugin plugin_;  // first member, so the library outlives release()
  lk40_object* object_;
};

}  // namespace lk40::automation::detail
