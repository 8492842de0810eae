// End to end: the bench's automation layer creates the simulated driver by its
// ProgID from the build tree and talks to it by name only.
#include <gtest/gtest.h>

#include <fstream>

#include "automation/driver.h"
#include "automation/factory.h"
#include "contract/drvtarvo_members.h"
#include "frame_check.h"
#include "temp_folder.h"

namespace {

using lk40::automation::Driver;
using lk40::automation::Variant;
using lk40::test::frameProblem;
using lk40::test::parseHexDump;

std::string driverDir() {
  const char* dir = std::getenv("LK40_TEST_DRIVER_DIR");
  return dir != nullptr ? dir : LK40_SIM_DRIVER_DIR;
}

Variant::Type expectedType(const char* type) {
  const std::string t = type;
  if (t == "Int") return Variant::Type::Int;
  if (t == "Double") return Variant::Type::Double;
  if (t == "Currency") return Variant::Type::Currency;
  if (t == "Bool") return Variant::Type::Bool;
  return Variant::Type::Text;
}

class SimE2e : public ::testing::Test {
 protected:
  void writeStoredSettings(const std::string& text) {
    const auto folder = home.path() / "lk40-drvtest";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "sim-driver.ini") << text;
  }
  Driver create() { return Driver(lk40::automation::createObject("AddIn.DrvTarvo")); }

  void expectFramed(const Driver& d, uint8_t command) {
    const auto sent = parseHexDump(d.getText("Input"));
    const auto received = parseHexDump(d.getText("Output"));
    ASSERT_TRUE(sent && received) << d.getText("Input") << " / " << d.getText("Output");
    EXPECT_EQ(frameProblem(*sent, command), "") << d.getText("Input");
    EXPECT_EQ(frameProblem(*received, command), "") << d.getText("Output");
  }

  lk40::test::TempFolder home;
  lk40::test::ScopedEnv config{"XDG_CONFIG_HOME", home.path().string()};
  lk40::test::ScopedEnv path{"LK40_DRIVER_PATH", driverDir()};
  lk40::test::ScopedEnv noDelay{"LK40_SIM_NO_DELAY", "1"};
};

TEST_F(SimE2e, EveryMemberExistsWithItsTypeOnGet) {
  const Driver d = create();
#define LK40_CHECK_METHOD(name) \
  EXPECT_EQ(d.get(#name).type(), Variant::Type::Int) << #name;
  LK40_DRV_METHODS(LK40_CHECK_METHOD)
#undef LK40_CHECK_METHOD
  const auto check = [&](const char* name, const char* type, const std::string& access) {
    if (access == "W") {
      // Write-only: a put of its type goes through, a read is refused.
      EXPECT_NO_THROW(d.put(name, Variant(int32_t{0}))) << name;
      EXPECT_THROW(d.get(name), lk40::automation::Error) << name;
      return;
    }
    EXPECT_EQ(d.get(name).type(), expectedType(type)) << name;
  };
#define LK40_CHECK_PROPERTY(name, type, access) check(#name, #type, #access);
  LK40_DRV_PROPERTIES(LK40_CHECK_PROPERTY)
#undef LK40_CHECK_PROPERTY
}

TEST_F(SimE2e, NamesAreLookedUpWithoutRegardToCase) {
  const Driver d = create();
  EXPECT_EQ(d.getInt("baudrate"), 2);
  d.put("COMNUMBER", Variant(int32_t{3}));
  EXPECT_EQ(d.getInt("ComNumber"), 3);
  EXPECT_EQ(d.callInt("getcountld"), 0);
  EXPECT_EQ(d.getInt("LdCount"), 2);
  try {
    d.get("NoSuchThing");
    ADD_FAILURE() << "an unknown name was accepted";
  } catch (const lk40::automation::Error& e) {
    EXPECT_EQ(std::string(e.what()), lk40::automation::unknownNameMessage("NoSuchThing"));
  }
}

TEST_F(SimE2e, ConnectWithTheStoredSettingsAndFailOnAnotherPort) {
  writeStoredSettings("[Connection]\nComNumber=4\nBaudRate=2\nTimeout=200\nPassword=30\n");
  lk40::test::ScopedEnv port("LK40_SIM_PORT", "4");
  const Driver d = create();
  EXPECT_EQ(d.getInt("Timeout"), 200);
  ASSERT_EQ(d.callInt("Connect"), 0);
  EXPECT_EQ(d.getInt("ResultCode"), 0);
  EXPECT_TRUE(d.getBool("Connected"));
  expectFramed(d, 0xFC);
  EXPECT_EQ(d.getText("UDescription"), "ЛК-40 имитатор");

  d.put("ComNumber", Variant(int32_t{1}));
  EXPECT_NE(d.callInt("Connect"), 0);
  EXPECT_EQ(d.getInt("ResultCode"), 1);
  EXPECT_FALSE(d.getBool("Connected"));
  EXPECT_EQ(d.getText("Output"), "");
}

TEST_F(SimE2e, TestDataReadsAsAnsiBytesInTheRecordLayout) {
  const Driver d = create();
  ASSERT_EQ(d.callInt("Connect"), 0);
  ASSERT_EQ(d.callInt("TestClr"), 0);
  ASSERT_EQ(d.callInt("TestGet"), 0);
  expectFramed(d, 0xF1);
  const std::string record = d.get("TestData").toAnsiBytes();
  ASSERT_GE(record.size(), 3u);
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(record[i]); };
  EXPECT_LE(byte(0), 5);
  EXPECT_TRUE(byte(1) == 0 || byte(1) == 0xFF);
  const size_t size = size_t{1} << (byte(0) / 2);
  EXPECT_EQ(record.size(), 3 + byte(2) * size);
  const auto reply = parseHexDump(d.getText("Output"));
  ASSERT_TRUE(reply);
  EXPECT_EQ(std::string(reply->begin() + 4, reply->end() - 1), record)
      << "TestData is the record the module sent";
}

TEST_F(SimE2e, AnotherProgIdIsRefused) {
  EXPECT_THROW(lk40::automation::createFromPlugin(driverDir() + "/AddIn.DrvTarvo.so", "AddIn.Other"),
               lk40::automation::CreationError);
  EXPECT_NO_THROW(lk40::automation::createFromPlugin(driverDir() + "/AddIn.DrvTarvo.so", "addin.drvtarvo"));
}

}  // namespace
