// End to end: one planned fault of each family, read from a scenario file
// named by LK40_SIM_SCENARIO, seen through the bench's automation layer.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "automation/driver.h"
#include "automation/factory.h"
#include "temp_folder.h"

namespace {

using lk40::automation::Driver;
using lk40::automation::Variant;
using lk40::test::ScopedEnv;

std::string driverDir() {
  const char* dir = std::getenv("LK40_TEST_DRIVER_DIR");
  return dir != nullptr ? dir : LK40_SIM_DRIVER_DIR;
}

class SimFaultsE2e : public ::testing::Test {
 protected:
  // A connected driver over the scenario.
  Driver withScenario(const std::string& text) {
    const auto file = home.path() / "scenario.ini";
    std::ofstream(file) << text;
    scenario_.emplace("LK40_SIM_SCENARIO", file.string());
    Driver d(lk40::automation::createObject("AddIn.DrvTarvo"));
    EXPECT_EQ(d.callInt("Connect"), 0);
    return d;
  }
  std::vector<int32_t> poll(const Driver& d, int times) {
    std::vector<int32_t> out;
    for (int i = 0; i < times; ++i) out.push_back(d.callInt("GetChannelStatus"));
    return out;
  }

  lk40::test::TempFolder home;
  ScopedEnv config{"XDG_CONFIG_HOME", home.path().string()};
  ScopedEnv path{"LK40_DRIVER_PATH", driverDir()};
  ScopedEnv noDelay{"LK40_SIM_NO_DELAY", "1"};
  std::optional<ScopedEnv> scenario_;
};

TEST_F(SimFaultsE2e, UnpluggedThenPluggedInAgain) {
  const Driver d = withScenario("[Unplugged]\nFrom=3\nTo=4\n");
  EXPECT_EQ(poll(d, 4), (std::vector<int32_t>{0, 1, 1, 0}));
  d.call("GetChannelStatus");
  EXPECT_EQ(d.getText("ResultCodeDescription"), "Ошибок нет");
}

TEST_F(SimFaultsE2e, AFlakyLinkLosesAndBreaksRepliesTheSameWayForTheSameSeed) {
  const std::string flaky = "[Scenario]\nSeed=5\n[Flaky]\nLossPercent=20\nBadCheckPercent=20\n";
  const std::vector<int32_t> first = poll(withScenario(flaky), 200);
  EXPECT_EQ(poll(withScenario(flaky), 200), first);
  const auto count = [&](int32_t code) { return std::count(first.begin(), first.end(), code); };
  EXPECT_GT(count(1), 20);
  EXPECT_GT(count(15), 20);
  EXPECT_GT(count(0), 100);
}

TEST_F(SimFaultsE2e, AModuleErrorIsTheResultOfItsCommand) {
  const Driver d = withScenario("[ModuleError]\nCommand=SetZero\nCode=7\n");
  EXPECT_EQ(d.callInt("SetZero"), 7);
  EXPECT_EQ(d.getInt("ResultCode"), 7);
  EXPECT_EQ(d.getText("ResultCodeDescription"), "Вес вне диапазона установки нуля");
}

TEST_F(SimFaultsE2e, AWeighingStateAndALoadShowInTheChannelStatus) {
  const Driver d = withScenario("[Load]\nProfile=fixed\nWeight=3.25\n[Weighing]\nState=overload\nFrom=12\n");
  poll(d, 10);
  EXPECT_DOUBLE_EQ(d.getDouble("Weight"), 3.25);
  EXPECT_EQ(d.getInt("WeightChannelMode") & 0x40, 0);
  poll(d, 1);
  EXPECT_EQ(d.getInt("WeightChannelMode") & 0x40, 0x40);
}

TEST_F(SimFaultsE2e, ASupplyStateShowsInTheVoltageFlags) {
  const Driver d = withScenario("[Supply]\nState=charging, out-of-range\n");
  ASSERT_EQ(d.callInt("GetVoltage"), 0);
  EXPECT_EQ(d.getInt("VoltageFlags"), 0x09);
}

TEST_F(SimFaultsE2e, ADriverErrorIsRaisedWithItsText) {
  const Driver d = withScenario("[Exception]\nMember=GetChannelStatus\nText=Порт занят\nFrom=3\n");
  EXPECT_EQ(d.callInt("GetChannelStatus"), 0);
  try {
    d.call("GetChannelStatus");
    ADD_FAILURE() << "no error was raised";
  } catch (const lk40::automation::Error& e) {
    EXPECT_STREQ(e.what(), "Порт занят");
  }
  EXPECT_EQ(d.getInt("ResultCode"), 0) << "other members still work";
}

TEST_F(SimFaultsE2e, ABadScenarioKeepsTheDriverFromBeingCreated) {
  try {
    withScenario("[Flaky]\nLossPercent=lots\n");
    ADD_FAILURE() << "created over a bad scenario";
  } catch (const lk40::automation::CreationError& e) {
    EXPECT_NE(std::string(e.what()).find("строка 2: LossPercent"), std::string::npos) << e.what();
  }
}

TEST_F(SimFaultsE2e, CallsBlockForTheirTimeOnTheWire) {
  ScopedEnv realTime("LK40_SIM_NO_DELAY", "");
  const Driver d = withScenario("[Unplugged]\nFrom=3\n");
  using Clock = std::chrono::steady_clock;
  const auto took = [&](const char* method) {
    const auto start = Clock::now();
    d.call(method);
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  };
  EXPECT_GE(took("GetChannelStatus"), 25) << "6 + 16 bytes at 9600 and 2 ms processing";
  d.put("Timeout", Variant(int32_t{120}));
  const auto silent = took("GetChannelStatus");
  EXPECT_GE(silent, 125) << "the request and the whole time-out";
  EXPECT_LT(silent, 1000);
}

}  // namespace
