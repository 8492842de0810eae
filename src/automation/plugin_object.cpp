#include "automation/plugin_object.h"

#include <limits>
#include <string>

#include "automation/error.h"
#include "automation/factory.h"

namespace lk40::automation {

namespace detail {

namespace {

static_assert(static_cast<uint32_t>(InvokeKind::Method) == LK40_DISPATCH_METHOD);
static_assert(static_cast<uint32_t>(InvokeKind::PropertyGet) == LK40_DISPATCH_PROPERTYGET);
static_assert(static_cast<uint32_t>(InvokeKind::MethodOrGet) ==
              (LK40_DISPATCH_METHOD | LK40_DISPATCH_PROPERTYGET));
static_assert(static_cast<uint32_t>(InvokeKind::PropertyPut) == LK40_DISPATCH_PROPERTYPUT);

lk40_string abiString(std::string_view text) {
  if (text.size() > std::numeric_limits<uint32_t>::max()) {
    throw Error("Text too long for the driver (" + std::to_string(text.size()) + " bytes)");
  }
  return lk40_string{text.data(), static_cast<uint32_t>(text.size())};
}

std::string fromAbi(const lk40_string& text) {
  if (!text.data) {
    if (text.size != 0) throw Error("The driver returned a string without its bytes");
    return {};
  }
  return std::string(text.data, text.size);
}

// Descriptions only ever add to a message, so a malformed one reads as none.
std::string descriptionOf(const lk40_string& text) {
  return text.data ? std::string(text.data, text.size) : std::string();
}

Variant fromAbi(const lk40_variant& v) {
  switch (v.vt) {
    case LK40_VT_EMPTY: return Variant();
    case LK40_VT_I4: return Variant(v.u.i4);
    case LK40_VT_R8: return Variant(v.u.r8);
    case LK40_VT_BOOL: return Variant(v.u.boolean != 0);
    case LK40_VT_CY: return Variant(Currency{v.u.cy});
    case LK40_VT_BSTR: return Variant(fromAbi(v.u.str));
    default:
      throw Error("The driver returned a value of unsupported type " + std::to_string(v.vt));
  }
}

// A result the plugin fills; handed back to it however the call ends.
class ResultSlot {
 public:
  explicit ResultSlot(const lk40_plugin_api& api) : api_(api) {}
  ~ResultSlot() {
    if (value.vt != LK40_VT_EMPTY) api_.clear_variant(&value);
  }
  ResultSlot(const ResultSlot&) = delete;
  ResultSlot& operator=(const ResultSlot&) = delete;
  lk40_variant value{};

 private:
  const lk40_plugin_api& api_;
};

// An exception record the plugin may fill; its texts go back to the plugin.
class ExceptionSlot {
 public:
  explicit ExceptionSlot(const lk40_plugin_api& api) : api_(api) {}
  ~ExceptionSlot() {
    if (record.code != 0 || record.description.data || record.description.size != 0) {
      api_.clear_exception(&record);
    }
  }
  ExceptionSlot(const ExceptionSlot&) = delete;
  ExceptionSlot& operator=(const ExceptionSlot&) = delete;
  lk40_exception record{};

 private:
  const lk40_plugin_api& api_;
};

[[noreturn]] void raiseFailure(int32_t hresult, const lk40_exception& record) {
  if (hresult == LK40_E_EXCEPTION) {
    const int32_t code = record.code != 0 ? record.code : hresult;
    std::string description = descriptionOf(record.description);
    if (description.empty()) description = oleErrorMessage(code);
    throw Error(description, code);
  }
  throw Error(oleErrorMessage(hresult), hresult);
}

}  // namespace

lk40_variant toAbi(const Variant& value) {
  lk40_variant v{};
  switch (value.type()) {
    case Variant::Type::Empty: v.vt = LK40_VT_EMPTY; break;
    case Variant::Type::Int: v.vt = LK40_VT_I4; v.u.i4 = value.rawInt(); break;
    case Variant::Type::Double: v.vt = LK40_VT_R8; v.u.r8 = value.rawDouble(); break;
    case Variant::Type::Bool:
      v.vt = LK40_VT_BOOL;
      v.u.boolean = static_cast<int16_t>(value.rawInt() != 0 ? -1 : 0);
      break;
    case Variant::Type::Currency: v.vt = LK40_VT_CY; v.u.cy = value.rawCurrency(); break;
    case Variant::Type::Text: v.vt = LK40_VT_BSTR; v.u.str = abiString(value.rawText()); break;
  }
  return v;
}

PluginObject::PluginObject(LoadedPlugin plugin, lk40_object* object)
    : plugin_(std::move(plugin)), object_(object) {}

PluginObject::~PluginObject() { plugin_.api->release(object_); }

std::optional<DispId> PluginObject::idOfName(std::string_view name) {
  int32_t id = 0;
  const int32_t hresult = plugin_.api->get_id_of_name(object_, abiString(name), &id);
  if (hresult == LK40_E_UNKNOWNNAME) return std::nullopt;
  if (hresult < 0) throw Error(oleErrorMessage(hresult), hresult);
  return id;
}

Variant PluginObject::invoke(DispId id, InvokeKind kind, const Variant* arg) {
  const lk40_variant argument = arg ? toAbi(*arg) : lk40_variant{};
  ResultSlot result(*plugin_.api);
  ExceptionSlot exception(*plugin_.api);
  const int32_t hresult =
      plugin_.api->invoke(object_, id, static_cast<uint32_t>(kind),
                          arg ? &argument : nullptr, &result.value, &exception.record);
  if (hresult < 0) raiseFailure(hresult, exception.record);
  // A value nobody uses is handed back to the plugin as it came.
  if (kind == InvokeKind::Method) return Variant();
  return fromAbi(result.value);
}

}  // namespace detail

std::shared_ptr<Dispatch> createFromPlugin(const std::string& libraryPath,
                                           const std::string& progId) {
  detail::LoadedPlugin plugin = detail::loadPlugin(libraryPath);
  const lk40_plugin_api& api = *plugin.api;
  std::string reason;
  lk40_object* object = nullptr;
  {
    detail::ExceptionSlot error(api);
    object = api.create(detail::abiString(progId), &error.record);
    reason = detail::descriptionOf(error.record.description);
  }
  if (!object) {
    throw CreationError("Driver '" + libraryPath + "' refused to create '" + progId +
                        "'" + (reason.empty() ? std::string() : ": " + reason));
  }
  // Released through the plugin should the wrapper not come to be.
  std::unique_ptr<lk40_object, decltype(api.release)> owned(object, api.release);
  auto wrapper = std::make_shared<detail::PluginObject>(std::move(plugin), owned.get());
  owned.release();
  return wrapper;
}

}  // namespace lk40::automation
