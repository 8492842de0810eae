// Drivers as COM classes: the ProgID names the class in the registry, and the
// object is reached through its IDispatch, each member looked up by name.
// Texts cross as BSTR (UTF-16) here and only here.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "automation/com_object_win.h"
#include "automation/error.h"
#include "automation/system_object.h"
#include "platform/wide_text_win.h"

namespace lk40::automation::detail {
namespace {

using platform::narrow;
using platform::widen;

static_assert(static_cast<WORD>(InvokeKind::Method) == DISPATCH_METHOD);
static_assert(static_cast<WORD>(InvokeKind::PropertyGet) == DISPATCH_PROPERTYGET);
static_assert(static_cast<WORD>(InvokeKind::PropertyPut) == DISPATCH_PROPERTYPUT);

// The calling thread joins a single-threaded apartment once, as the user
// interface thread of a windowed program does. It is never left: objects may
// be released as late as the program's exit.
void joinApartment() {
  thread_local const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // RPC_E_CHANGED_MODE: the thread is in a multithreaded apartment already,
  // which serves as well.
  (void)joined;
}

std::string fromBstr(BSTR text) { return text == nullptr ? std::string() : narrow({text, SysStringLen(text)}); }

// A VARIANT that is cleared however the scope ends.
struct OwnedVariant {
  VARIANT value;
  OwnedVariant() { VariantInit(&value); }
  ~OwnedVariant() { VariantClear(&value); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
};

// The texts of an EXCEPINFO, freed however the scope ends.
struct OwnedExcepInfo {
  EXCEPINFO value{};
  ~OwnedExcepInfo() {
    SysFreeString(value.bstrSource);
    SysFreeString(value.bstrDescription);
    SysFreeString(value.bstrHelpFile);
  }
};

void toVariant(const Variant& from, VARIANT& to) {
  switch (from.type()) {
    case Variant::Type::Empty: V_VT(&to) = VT_EMPTY; break;
    case Variant::Type::Int: V_VT(&to) = VT_I4; V_I4(&to) = from.rawInt(); break;
    case Variant::Type::Double: V_VT(&to) = VT_R8; V_R8(&to) = from.rawDouble(); break;
    case Variant::Type::Bool: V_VT(&to) = VT_BOOL; V_BOOL(&to) = from.rawInt() != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case Variant::Type::Currency: V_VT(&to) = VT_CY; V_CY(&to).int64 = from.rawCurrency(); break;
    case Variant::Type::Text: {
      const std::wstring text = widen(from.rawText());
      BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      if (copy == nullptr) throw Error(hresultText(E_OUTOFMEMORY), E_OUTOFMEMORY);
      V_VT(&to) = VT_BSTR;
      V_BSTR(&to) = copy;
      break;
    }
  }
}

// Narrower and wider kinds of the same value are read as the contract's types,
// as a late-binding client converts them.
VARTYPE contractTypeOf(VARTYPE type) {
  switch (type) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_UI4: case VT_INT: case VT_UINT: case VT_I8: case VT_UI8:
      return VT_I4;
    case VT_R4: case VT_DATE: return VT_R8;
    case VT_DECIMAL: return VT_CY;
    default: return VT_EMPTY;
  }
}

Variant fromVariant(VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_EMPTY: return Variant();
    case VT_I4: return Variant(static_cast<int32_t>(V_I4(&value)));
    case VT_R8: return Variant(V_R8(&value));
    case VT_BOOL: return Variant(V_BOOL(&value) != VARIANT_FALSE);
    case VT_CY: return Variant(Currency{V_CY(&value).int64});
    case VT_BSTR: return Variant(fromBstr(V_BSTR(&value)));
    default: break;
  }
  const VARTYPE target = contractTypeOf(V_VT(&value));
  if (target == VT_EMPTY)
    throw Error("The driver returned a value of unsupported type " + std::to_string(V_VT(&value)));
  const HRESULT hr = VariantChangeType(&value, &value, 0, target);
  if (FAILED(hr)) throw Error(hresultText(hr), hr);
  return fromVariant(value);
}

[[noreturn]] void raiseInvokeFailure(HRESULT hr, EXCEPINFO& info) {
  if (hr == DISP_E_EXCEPTION) {
    if (info.pfnDeferredFillIn != nullptr) info.pfnDeferredFillIn(&info);
    const HRESULT code = info.scode != 0 ? info.scode : hr;
    std::string description = fromBstr(info.bstrDescription);
    if (description.empty()) description = hresultText(code);
    throw Error(description, code);
  }
  throw Error(hresultText(hr), hr);
}

class ComObject final : public Dispatch {
 public:
  explicit ComObject(IDispatch* object) : object_(object) {}
  ~ComObject() override { object_->Release(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  std::optional<DispId> idOfName(std::string_view name) override {
    std::wstring wide = widen(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == DISP_E_UNKNOWNNAME) return std::nullopt;
    if (FAILED(hr)) throw Error(hresultText(hr), hr);
    return id;
  }

  Variant invoke(DispId id, InvokeKind kind, const Variant* arg) override {
    OwnedVariant argument;
    if (arg != nullptr) toVariant(*arg, argument.value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    if (arg != nullptr) {
      params.rgvarg = &argument.value;
      params.cArgs = 1;
    }
    if (kind == InvokeKind::PropertyPut) {
      params.rgdispidNamedArgs = &named;
      params.cNamedArgs = 1;
    }
    OwnedVariant result;
    OwnedExcepInfo exception;
    UINT badArgument = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, static_cast<WORD>(kind), &params,
                                       kind == InvokeKind::PropertyPut ? nullptr : &result.value,
                                       &exception.value, &badArgument);
    if (FAILED(hr)) raiseInvokeFailure(hr, exception.value);
    // A value nobody uses is cleared as it came.
    if (kind == InvokeKind::Method) return Variant();
    return fromVariant(result.value);
  }

 private:
  IDispatch* object_;
};

}  // namespace

std::shared_ptr<Dispatch> createSystemObject(const std::string& progId) {
  joinApartment();
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(widen(progId).c_str(), &clsid);
  if (FAILED(hr)) throw CreationError("No COM class registered for '" + progId + "': " + hresultText(hr), hr);
  IDispatch* object = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&object));
  if (FAILED(hr) || object == nullptr)
    throw CreationError("The COM class of '" + progId + "' could not be created: " + hresultText(hr), hr);
  return wrapComObject(object);
}

std::string hresultText(HRESULT code) {
  std::string text = platform::systemMessage(static_cast<unsigned long>(code));
  return text.empty() ? oleErrorMessage(code) : text;
}

std::shared_ptr<Dispatch> wrapComObject(IDispatch* object) {
  try {
    return std::make_shared<ComObject>(object);
  } catch (...) {
    object->Release();
    throw;
  }
}

}  // namespace lk40::automation::detail
