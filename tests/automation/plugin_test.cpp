// The plugin boundary, over the test plugins built beside this test.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "automation/driver.h"
#include "automation/factory.h"
#include "contract/plugin_abi.h"
#include "test_env.h"

namespace lk40::automation {
namespace {

using testing::kPluginDir;
using testing::ScopedEnv;
using testing::ScratchDir;

std::string pluginPath(const std::string& progId) { return kPluginDir + "/" + progId + ".so"; }

// Whether the library at path is loaded in this process right now.
bool isLoaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!handle) return false;
  dlclose(handle);
  return true;
}

// The Error a driver use raises; fails the test when none is.
template <typename F>
Error errorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no Error raised";
  return Error("");
}

class GoodPlugin : public ::testing::Test {
 protected:
  ScopedEnv path{"LK40_DRIVER_PATH", kPluginDir};
  Driver driver{createObject("Test.Good")};
};

TEST_F(GoodPlugin, ValuesOfEveryTypeCrossBothWays) {
  driver.put("Counter", Variant(-42));
  EXPECT_EQ(driver.get("Counter"), Variant(-42));
  driver.put("Flag", Variant(true));
  EXPECT_EQ(driver.get("Flag"), Variant(true));
  EXPECT_EQ(driver.get("Flag").rawInt(), -1);
  driver.put("Flag", Variant(false));
  EXPECT_EQ(driver.get("Flag"), Variant(false));
  driver.put("Price", Variant(Currency{-123456789}));
  EXPECT_EQ(driver.get("Price"), Variant(Currency{-123456789}));
  driver.put("Name", Variant("Весы №1"));
  EXPECT_EQ(driver.get("Name"), Variant("Весы №1"));
  driver.put("Name", Variant(std::string("a\0b", 3)));
  EXPECT_EQ(driver.get("Name").rawText(), std::string("a\0b", 3));
  EXPECT_EQ(driver.get("Weight"), Variant(12.345));
  EXPECT_EQ(driver.get("ProgId"), Variant("Test.Good"));
}

TEST_F(GoodPlugin, NamesAreFoundWhateverTheirCase) {
  EXPECT_EQ(driver.get("WEIGHT"), Variant(12.345));
  EXPECT_EQ(driver.get("weight"), Variant(12.345));
  driver.put("cOuNtEr", Variant(5));
  EXPECT_EQ(driver.callInt("increment"), 6);
  EXPECT_EQ(driver.getInt("COUNTER"), 6);
}

TEST_F(GoodPlugin, UnknownNameRaisesTheNotSupportedText) {
  EXPECT_STREQ(errorOf([&] { driver.get("Weigth"); }).what(),
               "Method 'Weigth' not supported by automation object");
  // A name that only starts like a member is not that member.
  EXPECT_STREQ(errorOf([&] { driver.call("Inc"); }).what(),
               "Method 'Inc' not supported by automation object");
}

TEST_F(GoodPlugin, MemberErrorsBecomeErrorsWithText) {
  const Error described = errorOf([&] { driver.call("Fail"); });
  EXPECT_STREQ(described.what(), "Модуль не отвечает");
  EXPECT_EQ(described.code(), 7);

  const Error silent = errorOf([&] { driver.call("FailSilent"); });
  EXPECT_STREQ(silent.what(), "OLE error 80040201");
  EXPECT_EQ(silent.code(), static_cast<int32_t>(0x80040201u));

  const Error mismatch = errorOf([&] { driver.call("Mismatch"); });
  EXPECT_STREQ(mismatch.what(), "Type mismatch");
  EXPECT_EQ(mismatch.code(), LK40_E_TYPEMISMATCH);

  const Error readOnly = errorOf([&] { driver.put("Weight", Variant(1.0)); });
  EXPECT_STREQ(readOnly.what(), "Member not found");

  const Error wrongType = errorOf([&] { driver.put("Counter", Variant("7")); });
  EXPECT_EQ(wrongType.code(), LK40_E_TYPEMISMATCH);

  const Error odd = errorOf([&] { driver.get("Odd"); });
  EXPECT_NE(std::string(odd.what()).find("unsupported type 99"), std::string::npos) << odd.what();
}

TEST_F(GoodPlugin, EveryResultAndExceptionIsHandedBack) {
  driver.put("Name", Variant("x"));
  for (int i = 0; i < 3; ++i) driver.get("Name");
  driver.get("ProgId");
  // A value not used is not converted, whatever its type.
  EXPECT_NO_THROW(driver.call("ProgId"));
  EXPECT_NO_THROW(driver.call("Odd"));
  EXPECT_THROW((void)driver.callInt("ProgId"), Error);
  EXPECT_THROW(driver.call("Fail"), Error);
  EXPECT_THROW(driver.get("Odd"), Error);
  EXPECT_EQ(driver.getInt("Outstanding"), 0);
}

TEST_F(GoodPlugin, TheObjectKeepsItsLibraryLoaded) {
  const std::string path = pluginPath("Test.Good");
  EXPECT_TRUE(isLoaded(path));
  EXPECT_EQ(driver.get("Weight"), Variant(12.345));
  driver.reset();
  EXPECT_FALSE(isLoaded(path));
}

struct BadPlugin {
  const char* progId;
  const char* reason;
};

void PrintTo(const BadPlugin& plugin, std::ostream* out) { *out << plugin.progId; }

class BadPlugins : public ::testing::TestWithParam<BadPlugin> {};

TEST_P(BadPlugins, AreRefusedNamingFileAndReasonAndUnloaded) {
  const ScopedEnv path("LK40_DRIVER_PATH", kPluginDir);
  const std::string file = pluginPath(GetParam().progId);
  ASSERT_TRUE(std::filesystem::exists(file)) << file;
  try {
    createObject(GetParam().progId);
    ADD_FAILURE() << "created an object from " << file;
  } catch (const CreationError& e) {
    const std::string text = e.what();
    EXPECT_NE(text.find(file), std::string::npos) << text;
    EXPECT_NE(text.find(GetParam().reason), std::string::npos) << text;
  }
  EXPECT_FALSE(isLoaded(file));
}

INSTANTIATE_TEST_SUITE_P(
    EachDefect, BadPlugins,
    ::testing::Values(BadPlugin{"Test.BadAbi", "ABI version 2, this bench needs version 1"},
                      BadPlugin{"Test.SmallTable", "table of 8 bytes"},
                      BadPlugin{"Test.NoEntry", "no entry point lk40_plugin_entry"},
                      BadPlugin{"Test.NullTable", "returned no function table"},
                      BadPlugin{"Test.NullFunction", "lacks the function clear_exception"},
                      BadPlugin{"Test.Refuses", "refused to create 'Test.Refuses': Порт занят"}),
    [](const auto& info) { return std::string(info.param.progId).substr(5); });

TEST(BadPlugin, FileThatIsNoLibraryIsRefused) {
  const ScratchDir dir;
  std::ofstream(dir.path() + "/Test.Text.so") << "not a library\n";
  const ScopedEnv path("LK40_DRIVER_PATH", dir.path());
  try {
    createObject("Test.Text");
    ADD_FAILURE() << "created an object from a text file";
  } catch (const CreationError& e) {
    EXPECT_NE(std::string(e.what()).find(dir.path() + "/Test.Text.so' cannot be loaded"),
              std::string::npos)
        << e.what();
  }
}

}  // namespace
}  // namespace lk40::automation
