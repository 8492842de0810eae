// "AddIn.DrvTarvo" as a misbehaving driver, for the scripted run's process
// tests and for probing the bench by hand: it has every member of the
// contract, each call succeeds at once, and the environment asks for what a
// broken module or driver could do:
//   LK40_HOSTILE_OUTPUT_LENGTH=N    Output reads as N letters "a"
//   LK40_HOSTILE_DESCRIPTION=text   ResultCodeDescription (default "Ошибок нет")
//   LK40_HOSTILE_SLEEP=Method:ms    the method returns after ms
//   LK40_HOSTILE_RAISE=Method       the method raises "нет связи"
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "contract/drvtarvo_members.h"
#include "contract/plugin_abi.h"

namespace {

struct Member {
  const char* name;
  bool method;
  char type;  // I(nt), D(ouble), C(urrency), B(ool), T(ext)
};

#define LK40_HOSTILE_METHOD(Name) {#Name, true, 'I'},
#define LK40_HOSTILE_PROPERTY(Name, Type, Access) {#Name, false, #Type[0]},
const Member kMembers[] = {LK40_DRV_METHODS(LK40_HOSTILE_METHOD) LK40_DRV_PROPERTIES(LK40_HOSTILE_PROPERTY)};
constexpr int32_t kCount = sizeof kMembers / sizeof kMembers[0];

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

int32_t idOf(std::string_view name) {
  for (int32_t i = 0; i < kCount; ++i)
    if (sameName(name, kMembers[i].name)) return i;
  return -1;
}

std::string env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

lk40_string copy(std::string_view text) {
  auto* data = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(data, text.data(), text.size());
  data[text.size()] = '\0';
  return {data, static_cast<uint32_t>(text.size())};
}

}  // namespace

struct lk40_object {
  std::vector<lk40_variant> values = std::vector<lk40_variant>(kCount);
  std::vector<std::string> texts = std::vector<std::string>(kCount);
  int32_t sleeper = -1;
  int sleepMs = 0;
  int32_t raiser = idOf(env("LK40_HOSTILE_RAISE"));
  std::size_t outputLength = std::strtoul(env("LK40_HOSTILE_OUTPUT_LENGTH").c_str(), nullptr, 10);

  lk40_object() {
    for (int32_t i = 0; i < kCount; ++i) {
      const char type = kMembers[i].type;
      values[i].vt = type == 'D' ? LK40_VT_R8 : type == 'C' ? LK40_VT_CY : type == 'B' ? LK40_VT_BOOL
                                 : type == 'T' ? LK40_VT_BSTR : LK40_VT_I4;
    }
    const std::string description = env("LK40_HOSTILE_DESCRIPTION");
    texts[idOf("ResultCodeDescription")] = description.empty() ? "Ошибок нет" : description;
    const std::string sleep = env("LK40_HOSTILE_SLEEP");
    const std::size_t colon = sleep.find(':');
    if (colon != std::string::npos) {
      sleeper = idOf(std::string_view(sleep).substr(0, colon));
      sleepMs = std::atoi(sleep.c_str() + colon + 1);
    }
  }
};

namespace {

lk40_object* create(lk40_string, lk40_exception*) noexcept { return new lk40_object; }
void release(lk40_object* object) noexcept { delete object; }

int32_t getIdOfName(lk40_object*, lk40_string name, int32_t* dispid) noexcept {
  *dispid = idOf(std::string_view(name.data, name.size));
  return *dispid < 0 ? LK40_E_UNKNOWNNAME : LK40_S_OK;
}

int32_t invoke(lk40_object* object, int32_t id, uint32_t flags, const lk40_variant* arg, lk40_variant* result,
               lk40_exception* exception) noexcept {
  *result = lk40_variant{};
  if (id < 0 || id >= kCount) return LK40_E_MEMBERNOTFOUND;
  if (kMembers[id].method) {
    if (id == object->sleeper) std::this_thread::sleep_for(std::chrono::milliseconds(object->sleepMs));
    if (id == object->raiser) {
      exception->code = LK40_E_FAIL;
      exception->description = copy("нет связи");
      return LK40_E_EXCEPTION;
    }
    result->vt = LK40_VT_I4;
    return LK40_S_OK;
  }
  lk40_variant& value = object->values[id];
  if ((flags & LK40_DISPATCH_PROPERTYPUT) != 0) {
    if (arg == nullptr || arg->vt != value.vt) return LK40_E_TYPEMISMATCH;
    if (arg->vt == LK40_VT_BSTR)
      object->texts[id].assign(arg->u.str.data, arg->u.str.size);
    else
      value = *arg;
    return LK40_S_OK;
  }
  *result = value;
  if (value.vt == LK40_VT_BSTR) {
    const bool output = std::strcmp(kMembers[id].name, "Output") == 0 && object->outputLength > 0;
    result->u.str = copy(output ? std::string(object->outputLength, 'a') : object->texts[id]);
  }
  return LK40_S_OK;
}

void clearVariant(lk40_variant* value) noexcept {
  if (value->vt == LK40_VT_BSTR) std::free(const_cast<char*>(value->u.str.data));
  *value = lk40_variant{};
}

void clearException(lk40_exception* exception) noexcept {
  std::free(const_cast<char*>(exception->description.data));
  exception->description = {nullptr, 0};
}

}  // namespace

extern "C" LK40_PLUGIN_EXPORT const lk40_plugin_api* lk40_plugin_entry(void) {
  static const lk40_plugin_api api = {sizeof(lk40_plugin_api), LK40_PLUGIN_ABI_VERSION, &create,      &release,
                                      &getIdOfName,            &invoke,                 &clearVariant, &clearException};
  return &api;
}
