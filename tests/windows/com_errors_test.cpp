// How the COM backend reads a failing Invoke, over a scripted IDispatch: the
// exception's description, else the system's text for its code, else
// "OLE error %.8x"; how it passes a property-put, and what a call's value is.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "automation/com_object_win.h"
#include "automation/driver.h"

namespace lk40::automation {
namespace {

// Answers every Invoke with the scripted outcome and records what came in.
class ScriptedObject final : public IDispatch {
 public:
  HRESULT hr = S_OK;
  SCODE scode = 0;
  const wchar_t* description = nullptr;
  bool deferred = false;  // fill the exception only through pfnDeferredFillIn
  VARIANT result{};
  WORD lastFlags = 0;
  DISPPARAMS lastParams{};
  DISPID lastNamed = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    if (lstrcmpiW(names[0], L"Member") != 0) return DISP_E_UNKNOWNNAME;
    ids[0] = 7;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* out,
                                   EXCEPINFO* info, UINT*) override {
    lastFlags = flags;
    lastParams = *params;
    lastNamed = params->cNamedArgs == 1 ? params->rgdispidNamedArgs[0] : 0;
    if (out != nullptr) *out = result;
    if (hr == DISP_E_EXCEPTION) {
      *info = EXCEPINFO{};
      if (deferred) {
        info->pfnDeferredFillIn = &fillIn;
        current = this;
      } else {
        fill(*info);
      }
    }
    return hr;
  }

 private:
  void fill(EXCEPINFO& info) const {
    info.scode = scode;
    info.bstrDescription = description != nullptr ? SysAllocString(description) : nullptr;
  }
  static HRESULT STDMETHODCALLTYPE fillIn(EXCEPINFO* info) {
    current->fill(*info);
    return S_OK;
  }
  static inline ScriptedObject* current = nullptr;
};

std::string failure(ScriptedObject& object) {
  const Driver d(detail::wrapComObject(&object));
  try {
    d.get("Member");
  } catch (const Error& e) {
    return std::string(e.what()) + " | " + std::to_string(static_cast<uint32_t>(e.code()));
  }
  return "no error";
}

TEST(ComErrors, DescriptionElseSystemTextElseOleError) {
  const struct {
    HRESULT hr;
    SCODE scode;
    const wchar_t* description;
    bool deferred;
    std::string expected;
  } cases[] = {
      {DISP_E_EXCEPTION, static_cast<SCODE>(0x80041234), L"Порт занят", false, "Порт занят | 2147750452"},
      {DISP_E_EXCEPTION, static_cast<SCODE>(0x80041234), L"Порт занят", true, "Порт занят | 2147750452"},
      {DISP_E_EXCEPTION, static_cast<SCODE>(0x80041234), nullptr, false, "OLE error 80041234 | 2147750452"},
      {DISP_E_EXCEPTION, static_cast<SCODE>(0x80041234), L"", false, "OLE error 80041234 | 2147750452"},
      {static_cast<HRESULT>(0x80041235), 0, nullptr, false, "OLE error 80041235 | 2147750453"},
  };
  for (const auto& c : cases) {
    ScriptedObject object;
    object.hr = c.hr;
    object.scode = c.scode;
    object.description = c.description;
    object.deferred = c.deferred;
    EXPECT_EQ(failure(object), c.expected);
  }
  // A code the system has words for is told in them.
  ScriptedObject object;
  object.hr = DISP_E_EXCEPTION;
  object.scode = E_ACCESSDENIED;
  const std::string text = failure(object);
  EXPECT_EQ(text.find("OLE error"), std::string::npos) << text;
  EXPECT_NE(text.find(" | 2147942405"), std::string::npos) << text;
}

TEST(ComErrors, PutPassesOneNamedPropertyPutArgumentAndGetConvertsNarrowTypes) {
  ScriptedObject object;
  const Driver d(detail::wrapComObject(&object));
  d.put("member", Variant(std::string("Весы")));
  EXPECT_EQ(object.lastFlags, DISPATCH_PROPERTYPUT);
  ASSERT_EQ(object.lastParams.cArgs, 1u);
  EXPECT_EQ(object.lastNamed, DISPID_PROPERTYPUT);

  V_VT(&object.result) = VT_I2;
  V_I2(&object.result) = -5;
  EXPECT_EQ(d.get("Member"), Variant(int32_t{-5}));
  EXPECT_EQ(object.lastFlags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  EXPECT_EQ(object.lastParams.cArgs, 0u);
  V_VT(&object.result) = VT_R4;
  V_R4(&object.result) = 0.5f;
  EXPECT_EQ(d.get("Member"), Variant(0.5));

  // A call whose value is not used is a method, and its result is not converted.
  V_VT(&object.result) = VT_NULL;
  EXPECT_NO_THROW(d.call("Member"));
  EXPECT_EQ(object.lastFlags, DISPATCH_METHOD);
  EXPECT_THROW((void)d.callInt("Member"), Error);
  EXPECT_EQ(object.lastFlags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
}

}  // namespace
}  // namespace lk40::automation
