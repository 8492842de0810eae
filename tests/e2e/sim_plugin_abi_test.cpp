// The simulated driver's C boundary, loaded with dlopen exactly as a host
// would: the entry table, creation by ProgID, the invoke flags,
// the conversions of written values and the ownership of returned texts.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "contract/plugin_abi.h"
#include "temp_folder.h"

namespace {

std::string pluginFile() {
  const char* dir = std::getenv("LK40_TEST_DRIVER_DIR");
  return std::string(dir != nullptr ? dir : LK40_SIM_DRIVER_DIR) + "/AddIn.DrvTarvo.so";
}

lk40_string str(const char* text) { return {text, static_cast<uint32_t>(std::strlen(text))}; }

lk40_variant i4(int32_t v) {
  lk40_variant x{};
  x.vt = LK40_VT_I4;
  x.u.i4 = v;
  return x;
}
lk40_variant r8(double v) {
  lk40_variant x{};
  x.vt = LK40_VT_R8;
  x.u.r8 = v;
  return x;
}
lk40_variant cy(int64_t v) {
  lk40_variant x{};
  x.vt = LK40_VT_CY;
  x.u.cy = v;
  return x;
}
lk40_variant boolean(bool v) {
  lk40_variant x{};
  x.vt = LK40_VT_BOOL;
  x.u.boolean = v ? -1 : 0;
  return x;
}
lk40_variant bstr(const char* data, uint32_t size) {
  lk40_variant x{};
  x.vt = LK40_VT_BSTR;
  x.u.str = {data, size};
  return x;
}
lk40_variant bstr(const char* text) { return bstr(text, static_cast<uint32_t>(std::strlen(text))); }

class SimPluginAbi : public ::testing::Test {
 protected:
  void SetUp() override {
    library = dlopen(pluginFile().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto entry = reinterpret_cast<lk40_plugin_entry_fn>(dlsym(library, LK40_PLUGIN_ENTRY_NAME));
    ASSERT_NE(entry, nullptr);
    api = entry();
    ASSERT_NE(api, nullptr);
    lk40_exception error{};
    object = api->create(str("AddIn.DrvTarvo"), &error);
    ASSERT_NE(object, nullptr);
  }
  void TearDown() override {
    if (object != nullptr) api->release(object);
    if (library != nullptr) dlclose(library);
  }

  int32_t id(const char* name) {
    int32_t dispid = 0;
    EXPECT_EQ(api->get_id_of_name(object, str(name), &dispid), LK40_S_OK) << name;
    return dispid;
  }
  int32_t put(const char* name, const lk40_variant& value) {
    lk40_variant result{};
    lk40_exception error{};
    const int32_t hr = api->invoke(object, id(name), LK40_DISPATCH_PROPERTYPUT, &value, &result, &error);
    EXPECT_EQ(result.vt, LK40_VT_EMPTY);
    return hr;
  }
  // Reads with method-or-get, as a host does when it uses the value; the
  // caller owns the result.
  lk40_variant get(const char* name) {
    lk40_variant result{};
    lk40_exception error{};
    EXPECT_EQ(api->invoke(object, id(name), LK40_DISPATCH_METHOD | LK40_DISPATCH_PROPERTYGET,
                          nullptr, &result, &error),
              LK40_S_OK)
        << name;
    return result;
  }
  std::string getText(const char* name) {
    lk40_variant v = get(name);
    EXPECT_EQ(v.vt, LK40_VT_BSTR);
    std::string text(v.u.str.data, v.u.str.size);
    EXPECT_EQ(v.u.str.data[v.u.str.size], '\0');
    api->clear_variant(&v);
    EXPECT_EQ(v.vt, LK40_VT_EMPTY);
    return text;
  }

  lk40::test::TempFolder home;
  lk40::test::ScopedEnv config{"XDG_CONFIG_HOME", home.path().string()};
  void* library = nullptr;
  const lk40_plugin_api* api = nullptr;
  lk40_object* object = nullptr;
};

TEST_F(SimPluginAbi, EntryTableAndCreationByProgId) {
  EXPECT_GE(api->struct_size, sizeof(lk40_plugin_api));
  EXPECT_EQ(api->abi_version, LK40_PLUGIN_ABI_VERSION);

  lk40_exception error{};
  lk40_object* folded = api->create(str("addin.DRVTARVO"), &error);
  EXPECT_NE(folded, nullptr);
  api->release(folded);
  // Only the bytes the size covers count.
  lk40_object* sized = api->create({"AddIn.DrvTarvo.extra", 14}, &error);
  EXPECT_NE(sized, nullptr);
  api->release(sized);

  EXPECT_EQ(api->create(str("AddIn.DrvTarvo2"), &error), nullptr);
  EXPECT_NE(error.code, 0);
  const std::string text(error.description.data, error.description.size);
  EXPECT_NE(text.find("AddIn.DrvTarvo2"), std::string::npos) << text;
  api->clear_exception(&error);
  EXPECT_EQ(error.description.data, nullptr);
}

TEST_F(SimPluginAbi, NameLookupReadsOnlyTheBytesGiven) {
  int32_t dispid = 0;
  EXPECT_EQ(api->get_id_of_name(object, {"BaudRateX", 8}, &dispid), LK40_S_OK);
  EXPECT_EQ(dispid, id("baudrate"));
  EXPECT_EQ(api->get_id_of_name(object, {"BaudRate", 7}, &dispid), LK40_E_UNKNOWNNAME);
  EXPECT_EQ(api->get_id_of_name(object, {nullptr, 0}, &dispid), LK40_E_UNKNOWNNAME);
}

TEST_F(SimPluginAbi, InvokeFlagsFollowTheMembersKindAndAccess) {
  lk40_variant result{};
  lk40_exception error{};
  const lk40_variant arg = i4(1);
  EXPECT_EQ(api->invoke(object, id("Weight"), LK40_DISPATCH_PROPERTYPUT, &arg, &result, &error),
            LK40_E_MEMBERNOTFOUND) << "read-only";
  EXPECT_EQ(api->invoke(object, id("NewPassword"), LK40_DISPATCH_PROPERTYGET, nullptr, &result, &error),
            LK40_E_MEMBERNOTFOUND) << "write-only";
  EXPECT_EQ(api->invoke(object, id("Connect"), LK40_DISPATCH_PROPERTYPUT, &arg, &result, &error),
            LK40_E_MEMBERNOTFOUND) << "a method takes no put";
  EXPECT_EQ(api->invoke(object, id("ResultCode"), LK40_DISPATCH_METHOD, nullptr, &result, &error),
            LK40_E_MEMBERNOTFOUND) << "a property is no method";
  EXPECT_EQ(api->invoke(object, id("Timeout"), LK40_DISPATCH_PROPERTYPUT, nullptr, &result, &error),
            LK40_E_BADPARAMCOUNT);
  EXPECT_EQ(api->invoke(object, id("Disconnect"), LK40_DISPATCH_METHOD, &arg, &result, &error),
            LK40_E_BADPARAMCOUNT);
  EXPECT_EQ(api->invoke(object, 100000, LK40_DISPATCH_PROPERTYGET, nullptr, &result, &error),
            LK40_E_MEMBERNOTFOUND);

  ASSERT_EQ(api->invoke(object, id("Disconnect"), LK40_DISPATCH_METHOD, nullptr, &result, &error),
            LK40_S_OK);
  EXPECT_EQ(result.vt, LK40_VT_I4);
  EXPECT_EQ(result.u.i4, 0);
  ASSERT_EQ(api->invoke(object, id("Timeout"), LK40_DISPATCH_PROPERTYGET, nullptr, &result, &error),
            LK40_S_OK);
  EXPECT_EQ(result.vt, LK40_VT_I4);
  EXPECT_EQ(result.u.i4, 150);
}

TEST_F(SimPluginAbi, WrittenValuesConvertAsAutomationDoes) {
  struct Case {
    lk40_variant value;
    int32_t expected;
  };
  const Case toInt[] = {{i4(7), 7},          {r8(2.5), 2},         {r8(3.5), 4},     {r8(-2.5), -2},
                        {cy(25000), 2},      {cy(35000), 4},       {boolean(true), -1},
                        {bstr(" 12 "), 12},  {bstr("1e1"), 10},    {bstr("+3"), 3}};
  for (const Case& c : toInt) {
    ASSERT_EQ(put("ComNumber", c.value), LK40_S_OK);
    lk40_variant v = get("ComNumber");
    EXPECT_EQ(v.u.i4, c.expected);
  }
  for (const lk40_variant& bad : {bstr("abc"), bstr(""), bstr("1,5"), r8(3e10), cy(int64_t{1} << 62)}) {
    EXPECT_EQ(put("ComNumber", bad), LK40_E_TYPEMISMATCH);
  }
  lk40_variant odd{};
  odd.vt = 99;
  EXPECT_EQ(put("ComNumber", odd), LK40_E_TYPEMISMATCH);
  EXPECT_EQ(get("ComNumber").u.i4, 3) << "a refused put changes nothing";

  ASSERT_EQ(put("Price", r8(1.23456)), LK40_S_OK);
  lk40_variant price = get("Price");
  EXPECT_EQ(price.vt, LK40_VT_CY);
  EXPECT_EQ(price.u.cy, 12346);
  ASSERT_EQ(put("Price", bstr("2.5")), LK40_S_OK);
  EXPECT_EQ(get("Price").u.cy, 25000);
  ASSERT_EQ(put("Price", i4(3)), LK40_S_OK);
  EXPECT_EQ(get("Price").u.cy, 30000);
  EXPECT_EQ(put("Price", r8(1e300)), LK40_E_TYPEMISMATCH);

  ASSERT_EQ(put("Tare", cy(15000)), LK40_S_OK);
  lk40_variant tare = get("Tare");
  EXPECT_EQ(tare.vt, LK40_VT_R8);
  EXPECT_EQ(tare.u.r8, 1.5);
  ASSERT_EQ(put("Tare", bstr("0.25")), LK40_S_OK);
  EXPECT_EQ(get("Tare").u.r8, 0.25);

  ASSERT_EQ(put("ChannelON", i4(5)), LK40_S_OK);
  lk40_variant on = get("ChannelON");
  EXPECT_EQ(on.vt, LK40_VT_BOOL);
  EXPECT_EQ(on.u.boolean, -1);
  ASSERT_EQ(put("ChannelON", bstr("false")), LK40_S_OK);
  EXPECT_EQ(get("ChannelON").u.boolean, 0);
  EXPECT_EQ(put("ChannelON", bstr("no")), LK40_E_TYPEMISMATCH);

  ASSERT_EQ(put("LDName", i4(42)), LK40_S_OK);
  EXPECT_EQ(getText("LDName"), "42");
  ASSERT_EQ(put("LDName", bstr("Весы\0x", 10)), LK40_S_OK);
  EXPECT_EQ(getText("LDName"), std::string("Весы\0x", 10));
  EXPECT_EQ(put("LDName", bstr("\xFF\xFE")), LK40_E_TYPEMISMATCH) << "not UTF-8";
}

TEST_F(SimPluginAbi, MethodsReportThroughResultCodeAndFrames) {
  lk40_variant result{};
  lk40_exception error{};
  ASSERT_EQ(api->invoke(object, id("GetMode"), LK40_DISPATCH_METHOD, nullptr, &result, &error), LK40_S_OK);
  EXPECT_EQ(result.u.i4, 1) << "not connected";
  EXPECT_EQ(get("ResultCode").u.i4, 1);
  ASSERT_EQ(api->invoke(object, id("Connect"), LK40_DISPATCH_METHOD | LK40_DISPATCH_PROPERTYGET,
                        nullptr, &result, &error),
            LK40_S_OK);
  EXPECT_EQ(result.u.i4, 0);
  EXPECT_EQ(get("Connected").u.boolean, -1);
  EXPECT_EQ(getText("Input"), "02 01 FC FD");
  EXPECT_EQ(getText("UDescription"), "ЛК-40 имитатор");
  EXPECT_EQ(getText("ResultCodeDescription"), "Ошибок нет");

  // No QApplication in this process: the dialog is refused, not shown.
  ASSERT_EQ(api->invoke(object, id("ShowProperties"), LK40_DISPATCH_METHOD, nullptr, &result, &error),
            LK40_S_OK);
  EXPECT_EQ(result.u.i4, 13);
  EXPECT_EQ(getText("ResultCodeDescription"), "Диалог настроек драйвера недоступен");
}

TEST_F(SimPluginAbi, PropertyReadTakesWellUnderAMicrosecond) {
  const int32_t dispid = id("ResultCode");
  constexpr int kReads = 200000;
  lk40_variant result{};
  lk40_exception error{};
  // The processor time spent, not the wall clock's: on a busy machine the
  // loop waits for a core, which is no cost of the read.
  const std::clock_t start = std::clock();
  for (int i = 0; i < kReads; ++i) {
    api->invoke(object, dispid, LK40_DISPATCH_METHOD | LK40_DISPATCH_PROPERTYGET, nullptr, &result, &error);
  }
  const double perRead = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC * 1e9 / kReads;
  RecordProperty("ns_per_read", std::to_string(perRead));
  EXPECT_LT(perRead, 1000.0);
}

}  // namespace
