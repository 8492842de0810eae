// The COM backend end to end: the simulated module's COM server, registered
// in the Wine prefix, created by ProgID and driven through IDispatch.
#include <windows.h>

#include <gtest/gtest.h>

#include "automation/driver.h"
#include "automation/factory.h"

namespace lk40::automation {
namespace {

Driver create() { return Driver(createObject("AddIn.DrvTarvo")); }

// The error a use raises, with its code.
template <typename Use>
Error raised(Use use) {
  try {
    use();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return Error("");
}

TEST(ComDriver, ConnectsAndReadsTheDeviceMetrics) {
  const Driver d = create();
  ASSERT_EQ(d.callInt("Connect"), 0) << d.getText("ResultCodeDescription");
  EXPECT_TRUE(d.getBool("Connected"));
  ASSERT_EQ(d.callInt("GetDeviceMetrics"), 0);
  EXPECT_EQ(d.getInt("ResultCode"), 0);
  EXPECT_EQ(d.getText("UDescription"), "ЛК-40 имитатор");  // Cyrillic across BSTR
  EXPECT_EQ(d.get("UModel").type(), Variant::Type::Int);
  EXPECT_EQ(d.getText("Input").substr(0, 2), "02");  // a framed request went out
  EXPECT_FALSE(d.getText("Output").empty());
}

// The module's description goes on the wire in its own code page, 1251, also
// on a PC whose ANSI code page is another (CTest runs this once more with a
// Western one, com_driver_code_page).
TEST(ComDriverCodePage, TheDeviceDescriptionFrameIsInCodePage1251) {
  const Driver d = create();
  ASSERT_EQ(d.callInt("Connect"), 0) << d.getText("ResultCodeDescription");
  ASSERT_EQ(d.callInt("GetDeviceMetrics"), 0);
  EXPECT_EQ(d.getInt("UCodePage"), 1251);
  // "ЛК-40 имитатор"
  EXPECT_NE(d.getText("Output").find("CB CA 2D 34 30 20 E8 EC E8 F2 E0 F2 EE F0"), std::string::npos)
      << d.getText("Output") << " (ANSI code page " << GetACP() << ")";
}

TEST(ComDriver, EveryValueTypeRoundTrips) {
  const Driver d = create();
  const struct {
    const char* name;
    Variant value;
  } cases[] = {
      {"Timeout", Variant(int32_t{-7})},
      {"Tare", Variant(1.0 / 3.0)},
      {"Price", Variant(Currency{123456789})},
      {"ChannelON", Variant(false)},
      {"ChannelON", Variant(true)},
      {"LDName", Variant(std::string("Весы №1 \"склад\""))},
      {"LDName", Variant(std::string())},
  };
  for (const auto& c : cases) {
    d.put(c.name, c.value);
    EXPECT_EQ(d.get(c.name), c.value) << c.name << ": " << describe(d.get(c.name));
  }
  // A value is converted to the property's type, as automation converts it.
  d.put("BaudRate", Variant(std::string("5")));
  EXPECT_EQ(d.get("BaudRate"), Variant(int32_t{5}));
  d.put("Price", Variant(2.5));
  EXPECT_EQ(d.get("Price"), Variant(Currency{25000}));
}

TEST(ComDriver, NamesIgnoreCaseAndAMissingNameSaysSo) {
  const Driver d = create();
  d.put("baudrate", Variant(int32_t{4}));
  EXPECT_EQ(d.getInt("BAUDRATE"), 4);
  const Error e = raised([&] { d.get("NoSuchThing"); });
  EXPECT_STREQ(e.what(), "Method 'NoSuchThing' not supported by automation object");
}

TEST(ComDriver, FailingMembersRaiseWithTheSystemsText) {
  const Driver d = create();
  const Error writeOnly = raised([&] { d.get("Key"); });
  EXPECT_EQ(writeOnly.code(), DISP_E_MEMBERNOTFOUND);
  // The system's text for the code, or, where the system has none (Wine),
  // the words automation gives it with the code.
  const std::string text = writeOnly.what();
  EXPECT_TRUE(text == oleErrorMessage(DISP_E_MEMBERNOTFOUND) || (!text.empty() && text.find("OLE") == std::string::npos))
      << text;

  const Error mismatch = raised([&] { d.put("Timeout", Variant(std::string("abc"))); });
  EXPECT_EQ(mismatch.code(), DISP_E_TYPEMISMATCH);
  EXPECT_NE(std::string(mismatch.what()), unknownNameMessage("Timeout"));
  EXPECT_NE(std::string(mismatch.what()), "");
}

TEST(ComDriver, ShowPropertiesReportsThatNoDialogIsAvailable) {
  const Driver d = create();
  EXPECT_EQ(d.callInt("ShowProperties"), 13);
  EXPECT_EQ(d.getInt("ResultCode"), 13);
  EXPECT_EQ(d.getText("ResultCodeDescription"), "Диалог настроек драйвера недоступен");
}

TEST(ComDriver, AnUnregisteredProgIdIsACreationError) {
  EXPECT_THROW(createObject("AddIn.NoSuchDriver"), CreationError);
}

}  // namespace
}  // namespace lk40::automation
