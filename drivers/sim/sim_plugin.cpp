// The plugin boundary: the C table of lk40_plugin_entry over the simulated
// driver. Every entry point catches everything; no C++ exception leaves here.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "contract/plugin_abi.h"
#include "platform/ascii_text.h"
#include "platform/utf8.h"
#include "sim_driver.h"
#include "sim_members.h"
#include "sim_scenario.h"
#include "sim_settings_dialog.h"
#include "sim_variant.h"

struct lk40_object {
  explicit lk40_object(lk40::sim::Environment environment)
      : driver(std::move(environment), lk40::sim::editSettingsInDialog) {}
  lk40::sim::Driver driver;
};

namespace {

using namespace lk40::sim;

constexpr std::string_view kProgId = "AddIn.DrvTarvo";
constexpr int32_t kClassNotRegistered = static_cast<int32_t>(0x80040154);  // REGDB_E_CLASSNOTREG
constexpr const char* kInternalError = "Внутренняя ошибка драйвера";

std::string_view viewOf(const lk40_string& s) {
  return s.data == nullptr ? std::string_view() : std::string_view(s.data, s.size);
}

// Texts handed to the host are plain C blocks, so that clear_variant and
// clear_exception can free them without knowing more than the pointer.
lk40_string copyText(std::string_view text) {
  auto* data = static_cast<char*>(std::malloc(text.size() + 1));
  if (data == nullptr) throw std::bad_alloc();
  std::memcpy(data, text.data(), text.size());
  data[text.size()] = '\0';
  return {data, static_cast<uint32_t>(text.size())};
}

void freeText(lk40_string& s) {
  std::free(const_cast<char*>(s.data));
  s = {nullptr, 0};
}

void describe(lk40_exception* exception, int32_t code, const std::string& text) noexcept {
  if (exception == nullptr) return;
  exception->code = code;
  exception->description = {nullptr, 0};
  try {
    exception->description = copyText(text);
  } catch (...) {
    // Out of memory: the code alone has to do.
  }
}

int32_t putProperty(Properties& props, const Member& member, const lk40_variant& arg) {
  const Prop prop = static_cast<Prop>(member.index);
  switch (member.type) {
    case ValueType::Int:
      if (const auto v = toInt(arg)) {
        props.setInt(prop, *v);
        return LK40_S_OK;
      }
      break;
    case ValueType::Double:
      if (const auto v = toDouble(arg)) {
        props.setDouble(prop, *v);
        return LK40_S_OK;
      }
      break;
    case ValueType::Currency:
      if (const auto v = toCurrency(arg)) {
        props.setCurrency(prop, *v);
        return LK40_S_OK;
      }
      break;
    case ValueType::Bool:
      if (const auto v = toBool(arg)) {
        props.setBool(prop, *v);
        return LK40_S_OK;
      }
      break;
    case ValueType::Text:
      if (auto v = toText(arg)) {
        props.setText(prop, std::move(*v));
        return LK40_S_OK;
      }
      break;
  }
  return LK40_E_TYPEMISMATCH;
}

void getProperty(const Properties& props, const Member& member, lk40_variant& result) {
  const Prop prop = static_cast<Prop>(member.index);
  switch (member.type) {
    case ValueType::Int:
      result.u.i4 = props.getInt(prop);
      result.vt = LK40_VT_I4;
      return;
    case ValueType::Double:
      result.u.r8 = props.getDouble(prop);
      result.vt = LK40_VT_R8;
      return;
    case ValueType::Currency:
      result.u.cy = props.getCurrency(prop);
      result.vt = LK40_VT_CY;
      return;
    case ValueType::Bool:
      result.u.boolean = props.getBool(prop) ? -1 : 0;
      result.vt = LK40_VT_BOOL;
      return;
    case ValueType::Text:
      result.u.str = copyText(props.getText(prop));
      result.vt = LK40_VT_BSTR;
      return;
  }
}

lk40_object* create(lk40_string progId, lk40_exception* error) noexcept {
  try {
    const std::string_view id = viewOf(progId);
    if (!lk40::platform::equalsIgnoringAsciiCase(id, kProgId)) {
      std::string text = "Драйвер не поддерживает ProgID";
      if (lk40::platform::isValidUtf8(id)) text += " \"" + std::string(id) + "\"";
      describe(error, kClassNotRegistered, text);
      return nullptr;
    }
    return std::make_unique<lk40_object>(Environment::fromProcess()).release();
  } catch (const ScenarioError& e) {
    // The bench shows only that the driver is missing; say why where the
    // operator who set LK40_SIM_SCENARIO can see it.
    std::fprintf(stderr, "AddIn.DrvTarvo: %s\n", e.what());
    describe(error, LK40_E_FAIL, e.what());
  } catch (const std::exception& e) {
    describe(error, LK40_E_FAIL, std::string(kInternalError) + ": " + e.what());
  } catch (...) {
    describe(error, LK40_E_FAIL, kInternalError);
  }
  return nullptr;
}

void release(lk40_object* object) noexcept { std::unique_ptr<lk40_object> owned(object); }

int32_t getIdOfName(lk40_object* object, lk40_string name, int32_t* dispid) noexcept {
  if (object == nullptr || dispid == nullptr) return LK40_E_FAIL;
  const Member* member = findMember(viewOf(name));
  if (member == nullptr) return LK40_E_UNKNOWNNAME;
  *dispid = dispIdOf(*member);
  return LK40_S_OK;
}

int32_t invokeMember(lk40_object& object, const Member& member, uint32_t flags,
                     const lk40_variant* arg, lk40_variant& result, lk40_exception* exception) {
  // A planned driver error stands for any failure inside the driver: the
  // member raises it however it is used. Asked on every property read, so
  // only when errors are planned at all.
  if (object.driver.errorsPlanned()) {
    if (const auto text = object.driver.plannedError(member.name)) {
      describe(exception, LK40_E_FAIL, *text);
      return LK40_E_EXCEPTION;
    }
  }
  const bool put = (flags & LK40_DISPATCH_PROPERTYPUT) != 0;
  if (member.isMethod) {
    if (put || (flags & LK40_DISPATCH_METHOD) == 0) return LK40_E_MEMBERNOTFOUND;
    if (arg != nullptr) return LK40_E_BADPARAMCOUNT;
    result.u.i4 = object.driver.call(static_cast<Method>(member.index));
    result.vt = LK40_VT_I4;
    return LK40_S_OK;
  }
  if (put) {
    if (flags != LK40_DISPATCH_PROPERTYPUT || !member.writable) return LK40_E_MEMBERNOTFOUND;
    if (arg == nullptr) return LK40_E_BADPARAMCOUNT;
    return putProperty(object.driver.properties(), member, *arg);
  }
  // A property is read with property-get, alone or with method.
  if ((flags & LK40_DISPATCH_PROPERTYGET) == 0 || !member.readable) return LK40_E_MEMBERNOTFOUND;
  if (arg != nullptr) return LK40_E_BADPARAMCOUNT;
  getProperty(object.driver.properties(), member, result);
  return LK40_S_OK;
}

int32_t invoke(lk40_object* object, int32_t dispid, uint32_t flags, const lk40_variant* arg,
               lk40_variant* result, lk40_exception* exception) noexcept {
  if (result != nullptr) *result = lk40_variant{};
  if (object == nullptr || result == nullptr) return LK40_E_FAIL;
  const Member* member = memberById(dispid);
  if (member == nullptr) return LK40_E_MEMBERNOTFOUND;
  try {
    return invokeMember(*object, *member, flags, arg, *result, exception);
  } catch (const std::exception& e) {
    describe(exception, LK40_E_FAIL, std::string(kInternalError) + ": " + e.what());
  } catch (...) {
    describe(exception, LK40_E_FAIL, kInternalError);
  }
  *result = lk40_variant{};
  return LK40_E_EXCEPTION;
}

void clearVariant(lk40_variant* value) noexcept {
  if (value == nullptr) return;
  if (value->vt == LK40_VT_BSTR) freeText(value->u.str);
  *value = lk40_variant{};
}

void clearException(lk40_exception* exception) noexcept {
  if (exception == nullptr) return;
  freeText(exception->description);
  exception->code = 0;
}

}  // namespace

extern "C" LK40_PLUGIN_EXPORT const lk40_plugin_api* lk40_plugin_entry(void) {
  static const lk40_plugin_api api = {
      sizeof(lk40_plugin_api), LK40_PLUGIN_ABI_VERSION, &create, &release, &getIdOfName,
      &invoke, &clearVariant, &clearException,
  };
  return &api;
}
