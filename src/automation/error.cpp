#include "automation/error.h"

#include <cstdio>

#include "contract/plugin_abi.h"

namespace lk40::automation {

namespace {

const char* systemText(int32_t hresult) {
  switch (hresult) {
    case LK40_E_UNKNOWNNAME: return "Unknown name";
    case LK40_E_EXCEPTION: return "Exception occurred";
    case LK40_E_MEMBERNOTFOUND: return "Member not found";
    case LK40_E_TYPEMISMATCH: return "Type mismatch";
    case LK40_E_BADPARAMCOUNT: return "Invalid number of parameters";
    case LK40_E_FAIL: return "Unspecified error";
    default: return nullptr;
  }
}

}  // namespace

std::string unknownNameMessage(const std::string& name) {
  return "Method '" + name + "' not supported by automation object";
}

std::string oleErrorMessage(int32_t hresult) {
  if (const char* text = systemText(hresult)) return text;
  char code[32];
  std::snprintf(code, sizeof code, "OLE error %.8x", static_cast<unsigned>(hresult));
  return code;
}

}  // namespace lk40::automation
