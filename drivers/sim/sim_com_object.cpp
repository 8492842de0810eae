// IDispatch over the plugin's function table: VARIANTs become the plugin's
// variants (BSTR to UTF-8 and back), its HRESULTs pass unchanged, and its
// exception records become EXCEPINFO.
#include "sim_com_object.h"

#include <oleauto.h>

#include <atomic>
#include <climits>
#include <new>
#include <string>

#include "contract/plugin_abi.h"

extern "C" const lk40_plugin_api* lk40_plugin_entry(void);

namespace lk40::sim::com {

// {1209B164-35C7-46C6-B66E-20951011A767}
const CLSID kClassId = {0x1209b164, 0x35c7, 0x46c6, {0xb6, 0x6e, 0x20, 0x95, 0x10, 0x11, 0xa7, 0x67}};

namespace {

std::atomic<long> gInUse{0};

constexpr wchar_t kSource[] = L"AddIn.DrvTarvo";

std::string toUtf8(const wchar_t* text, UINT length) {
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
  return out;
}

// nullptr when out of memory.
BSTR toBstr(const char* text, uint32_t size) {
  if (size == 0 || text == nullptr) return SysAllocStringLen(L"", 0);
  if (size > INT_MAX / 2) return nullptr;
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0);
  BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (out != nullptr) MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), out, length);
  return out;
}

// The argument as the plugin takes it; text points into storage. Values of
// kinds the contract does not use are converted as a late-binding client
// would, or refused as a type mismatch.
HRESULT toPlugin(const VARIANT& from, lk40_variant& to, std::string& storage) {
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(&from));  // a reference reads as its value
  if (FAILED(hr)) return hr;
  switch (V_VT(&value)) {
    case VT_EMPTY: to.vt = LK40_VT_EMPTY; break;
    case VT_I4: to.vt = LK40_VT_I4; to.u.i4 = V_I4(&value); break;
    case VT_R8: to.vt = LK40_VT_R8; to.u.r8 = V_R8(&value); break;
    case VT_CY: to.vt = LK40_VT_CY; to.u.cy = V_CY(&value).int64; break;
    case VT_BOOL: to.vt = LK40_VT_BOOL; to.u.boolean = V_BOOL(&value) != VARIANT_FALSE ? -1 : 0; break;
    case VT_BSTR:
      storage = toUtf8(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
      to.vt = LK40_VT_BSTR;
      to.u.str = {storage.data(), static_cast<uint32_t>(storage.size())};
      break;
    default:
      hr = VariantChangeType(&value, &value, 0, VT_R8);
      if (SUCCEEDED(hr)) {
        to.vt = LK40_VT_R8;
        to.u.r8 = V_R8(&value);
      } else {
        hr = DISP_E_TYPEMISMATCH;
      }
      break;
  }
  VariantClear(&value);
  return hr;
}

HRESULT toVariant(const lk40_variant& from, VARIANT& to) {
  switch (from.vt) {
    case LK40_VT_EMPTY: V_VT(&to) = VT_EMPTY; return S_OK;
    case LK40_VT_I4: V_VT(&to) = VT_I4; V_I4(&to) = from.u.i4; return S_OK;
    case LK40_VT_R8: V_VT(&to) = VT_R8; V_R8(&to) = from.u.r8; return S_OK;
    case LK40_VT_CY: V_VT(&to) = VT_CY; V_CY(&to).int64 = from.u.cy; return S_OK;
    case LK40_VT_BOOL: V_VT(&to) = VT_BOOL; V_BOOL(&to) = from.u.boolean != 0 ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case LK40_VT_BSTR: {
      BSTR text = toBstr(from.u.str.data, from.u.str.size);
      if (text == nullptr) return E_OUTOFMEMORY;
      V_VT(&to) = VT_BSTR;
      V_BSTR(&to) = text;
      return S_OK;
    }
    default: return E_UNEXPECTED;
  }
}

class SimObject final : public IDispatch {
 public:
  SimObject(const lk40_plugin_api& api, lk40_object* object) : api_(api), object_(object) { ++gInUse; }
  ~SimObject() {
    api_.release(object_);
    --gInUse;
  }
  SimObject(const SimObject&) = delete;
  SimObject& operator=(const SimObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // No type library: the object is reached by late binding only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (id != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (names[0] == nullptr) return DISP_E_UNKNOWNNAME;
    const std::string name = toUtf8(names[0], static_cast<UINT>(lstrlenW(names[0])));
    int32_t dispid = 0;
    if (api_.get_id_of_name(object_, {name.data(), static_cast<uint32_t>(name.size())}, &dispid) != LK40_S_OK)
      return DISP_E_UNKNOWNNAME;
    ids[0] = dispid;
    // No member takes named arguments.
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* badArgument) override {
    if (id != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (params == nullptr) return E_INVALIDARG;
    if (result != nullptr) VariantInit(result);
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put) {
      if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
      if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_PARAMNOTFOUND;
    } else {
      if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
      if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    }

    lk40_variant argument{};
    std::string text;
    if (put) {
      const HRESULT hr = toPlugin(params->rgvarg[0], argument, text);
      if (FAILED(hr)) {
        if (badArgument != nullptr) *badArgument = 0;
        return hr;
      }
    }
    lk40_variant value{};
    lk40_exception record{};
    HRESULT hr = api_.invoke(object_, member, flags, put ? &argument : nullptr, &value, &record);
    if (SUCCEEDED(hr) && result != nullptr) hr = toVariant(value, *result);
    if (hr == DISP_E_TYPEMISMATCH && badArgument != nullptr) *badArgument = 0;
    if (hr == DISP_E_EXCEPTION && exception != nullptr) {
      *exception = EXCEPINFO{};
      exception->scode = record.code;
      exception->bstrSource = SysAllocString(kSource);
      exception->bstrDescription = toBstr(record.description.data, record.description.size);
    }
    api_.clear_variant(&value);
    if (record.code != 0 || record.description.data != nullptr) api_.clear_exception(&record);
    return hr;
  }

 private:
  std::atomic<long> refs_{1};
  const lk40_plugin_api& api_;
  lk40_object* object_;
};

}  // namespace

HRESULT createObject(REFIID interfaceId, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  const lk40_plugin_api& api = *lk40_plugin_entry();
  lk40_exception error{};
  const std::string_view progId = "AddIn.DrvTarvo";
  lk40_object* object = api.create({progId.data(), static_cast<uint32_t>(progId.size())}, &error);
  const HRESULT refused = error.code != 0 ? error.code : E_FAIL;
  api.clear_exception(&error);
  if (object == nullptr) return refused;
  auto* instance = new (std::nothrow) SimObject(api, object);
  if (instance == nullptr) {
    api.release(object);
    return E_OUTOFMEMORY;
  }
  const HRESULT hr = instance->QueryInterface(interfaceId, out);
  instance->Release();
  return hr;
}

void lockServer(bool lock) {
  if (lock)
    ++gInUse;
  else
    --gInUse;
}

bool serverInUse() { return gInUse.load() != 0; }

}  // namespace lk40::sim::com
