// The link's timing and losses, the scenario format, the load profiles and
// what each planned fault does to the driver's properties, without the plugin.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame_check.h"
#include "sim_driver.h"
#include "sim_scenario.h"
#include "temp_folder.h"

namespace lk40::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimLink, AnExchangeCostsTenBitsPerByteAtItsSpeedPlusProcessing) {
  struct Case {
    size_t bytes;
    int32_t baud;
    Micros wire;
  };
  const Case cases[] = {{23, 2, Micros(23959)},
                        {23, 6, Micros(1997)},
                        {6, 0, Micros(25000)},
                        {1, 3, Micros(521)},
                        {10, 99, Micros(41667)}};
  for (const Case& c : cases) EXPECT_EQ(wireTime(c.bytes, c.baud), c.wire) << c.bytes << " at " << c.baud;

  EXPECT_EQ(Link::cost(Fate::Answered, 6, 16, 2, 150, 0), wireTime(22, 2) + Micros(2000));
  EXPECT_EQ(Link::cost(Fate::BadCheck, 6, 16, 2, 150, 40), wireTime(22, 2) + Micros(42000));
  // Nothing answering costs the request and the whole time-out.
  EXPECT_EQ(Link::cost(Fate::Lost, 6, 16, 2, 150, 0), wireTime(6, 2) + 150ms);
  EXPECT_EQ(Link::cost(Fate::Late, 6, 16, 6, 300, 500), wireTime(6, 6) + 300ms);
}

TEST(SimLink, LossesAndBrokenChecksFollowTheirSharesAndReplayForASeed) {
  const LinkConditions flaky{false, 0, 10.0, 5.0};
  Link link(7);
  Link again(7);
  int lost = 0;
  int broken = 0;
  bool sameFates = true;
  constexpr int kRuns = 20000;
  for (int i = 0; i < kRuns; ++i) {
    const Fate fate = link.decide(flaky, 150);
    sameFates = sameFates && fate == again.decide(flaky, 150);
    lost += fate == Fate::Lost;
    broken += fate == Fate::BadCheck;
  }
  EXPECT_TRUE(sameFates);
  EXPECT_NEAR(lost / double(kRuns), 0.10, 0.01);
  EXPECT_NEAR(broken / double(kRuns), 0.90 * 0.05, 0.01) << "of what was not lost";

  Link other(8);
  EXPECT_EQ(other.decide({true, 0, 0, 0}, 150), Fate::Lost);
  EXPECT_EQ(other.decide({false, 149, 0, 0}, 150), Fate::Late) << "2 ms processing + 149 > 150";
  EXPECT_EQ(other.decide({false, 148, 0, 0}, 150), Fate::Answered);
}

TEST(SimLoadProfile, StepsAndRampsRunThroughTheirWeightsAndStartAgain) {
  const LoadProfile steps{LoadProfile::Kind::Steps, {0.0, 1.5, 3.0}, 2};
  const LoadProfile ramp{LoadProfile::Kind::Ramp, {0.0, 10.0, 0.0}, 4};
  const LoadProfile fixed{LoadProfile::Kind::Fixed, {2.5}, 20};
  const LoadProfile none{LoadProfile::Kind::None, {}, 20};
  const std::tuple<const LoadProfile*, int64_t, double> cases[] = {
      {&steps, 0, 0.0}, {&steps, 1, 0.0},   {&steps, 2, 1.5}, {&steps, 5, 3.0}, {&steps, 6, 0.0},
      {&ramp, 0, 0.0},  {&ramp, 1, 2.5},    {&ramp, 4, 10.0}, {&ramp, 6, 5.0},  {&ramp, 8, 0.0},
      {&ramp, 9, 2.5},  {&fixed, 999, 2.5}, {&none, 3, 0.0},
  };
  for (const auto& [profile, step, kg] : cases) EXPECT_DOUBLE_EQ(profile->at(step), kg) << step;
}

TEST(SimScenario, EveryKindOfFaultReadsBackAsWritten) {
  const FaultPlan plan = parseScenario(
      "\xEF\xBB\xBF# every fault once\r\n"
      "[Scenario]\nSeed = 42\n"
      "[Unplugged]\nFrom=5\nTo=9\n"
      "[slow]\ndelayms=80\n"
      "[Flaky]\nLossPercent=12.5\nBadCheckPercent=3\n"
      "[ModuleError]\nCommand=SetTare\nCode=5\n"
      "[ModuleError]\nCommand=0x3a\nCode=200\nFrom=3\n"
      "[Weighing]\nState=overload, adc-error\n"
      "[Load]\nProfile=ramp\nWeights=0; 1,5; 3\nLength=7\n"
      "[Supply]\nState=discharged90\n"
      "[Exception]\nMember=weight\nText=Порт занят\n"
      "[Connection]\nComNumber=3\n");
  EXPECT_EQ(plan.seed, 42u);
  ASSERT_EQ(plan.unplugged.size(), 1u);
  EXPECT_TRUE(plan.unplugged[0] == (Window{5, 9}));
  EXPECT_EQ(plan.linkAt(5).extraLatencyMs, 80);
  EXPECT_TRUE(plan.linkAt(9).unplugged);
  EXPECT_FALSE(plan.linkAt(10).unplugged);
  EXPECT_DOUBLE_EQ(plan.linkAt(1).lossPercent, 12.5);
  EXPECT_EQ(plan.moduleErrorAt(1, 0x31), 5);
  EXPECT_EQ(plan.moduleErrorAt(2, 0x3A), std::nullopt);
  EXPECT_EQ(plan.moduleErrorAt(3, 0x3A), 200);
  EXPECT_EQ(plan.weighingBitsAt(1), 0xC0);
  EXPECT_EQ(plan.load.weights, (std::vector<double>{0.0, 1.5, 3.0}));
  EXPECT_EQ(plan.supplyFlagsAt(1), 0x06) << "90 % discharged is 70 % discharged too";
  EXPECT_EQ(plan.driverErrorAt(1, "WEIGHT"), "Порт занят");
  EXPECT_EQ(plan.driverErrors[0].member, "Weight");

  const FaultPlan again = parseScenario(scenarioText(plan));
  EXPECT_TRUE(again == plan) << scenarioText(plan);
  EXPECT_EQ(scenarioText(FaultPlan{}), "");
}

TEST(SimScenario, MistakesAreRefusedWithTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Unplugged]\nFrom=0\n", "строка 2: From"},
      {"Seed=1\n", "строка 1: ключ вне раздела"},
      {"[Noise]\n", "строка 1: неизвестный раздел [Noise]"},
      {"[Slow]\n\nDelay=5\n", "строка 1: в разделе нет ключа DelayMs"},
      {"[Slow]\nDelayMs=5\nColour=red\n", "строка 3: неизвестный ключ Colour"},
      {"[Flaky]\nLossPercent=101\n", "строка 2: LossPercent"},
      {"[ModuleError]\nCommand=Fly\nCode=3\n", "Command: неизвестная команда"},
      {"[ModuleError]\nCommand=SetZero\nCode=0\n", "строка 3: Code"},
      {"[Weighing]\nState=overload, smoke\n", "неизвестное состояние \"smoke\""},
      {"[Unplugged]\nFrom=5\nTo=4\n", "To меньше From"},
      {"[Load]\nProfile=ramp\nWeights=3\n", "хотя бы два веса"},
      {"[Load]\nProfile=none\n[Load]\nProfile=none\n", "строка 3: раздел [Load] повторён"},
      {"[Exception]\nMember=Nothing\n", "нет члена"},
      {"[Exception]\nMember=ShowProperties\n", "ShowProperties"},
      {"[Slow]\nDelayMs=1\nDelayMs=2\n", "строка 3: ключ DelayMs повторён"},
      {"[Slow\n", "без закрывающей скобки"},
  };
  for (const auto& [text, expected] : cases) {
    try {
      parseScenario(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const ScenarioError& e) {
      EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
    }
  }
}

TEST(SimScenario, TheShippedExamplesParse) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LK40_SIM_SCENARIO_DIR)) {
    EXPECT_NO_THROW(loadScenario(entry.path().string())) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 8);
}

class SimFaultTest : public ::testing::Test {
 protected:
  Driver connected(const std::string& scenario) {
    Driver d(Environment{"", 1, 99}, {});
    EXPECT_EQ(d.call(Method::Connect), 0);
    d.applyPlan(parseScenario(scenario));
    return d;
  }
  static std::vector<int32_t> results(Driver& d, Method method, int times) {
    std::vector<int32_t> out;
    for (int i = 0; i < times; ++i) out.push_back(d.call(method));
    return out;
  }
};

TEST_F(SimFaultTest, ExchangeTimeFollowsTheSpeedAndSilenceCostsTheTimeout) {
  Driver d = connected("");
  ASSERT_EQ(d.call(Method::GetChannelStatus), 0);
  EXPECT_EQ(d.lastCallTime(), Micros(22917 + 2000)) << "6 + 16 bytes at 9600";
  d.properties().setInt(Prop::BaudRate, 6);
  d.call(Method::SetExchangeParam);
  ASSERT_EQ(d.call(Method::GetChannelStatus), 0);
  EXPECT_EQ(d.lastCallTime(), Micros(1910 + 2000));
  d.call(Method::GetCountLD);
  EXPECT_EQ(d.lastCallTime(), Micros(0)) << "the logical devices live in the driver";

  d.applyPlan(parseScenario("[Unplugged]\n"));
  d.properties().setInt(Prop::Timeout, 300);
  EXPECT_EQ(d.call(Method::GetChannelStatus), code(Result::NoConnection));
  EXPECT_EQ(d.lastCallTime(), wireTime(6, 6) + 300ms);
}

TEST_F(SimFaultTest, UnpluggedForAWindowOfExchangesThenAnsweringAgain) {
  Driver d = connected("[Unplugged]\nFrom=2\nTo=3\n");
  EXPECT_EQ(results(d, Method::GetChannelStatus, 4), (std::vector<int32_t>{0, 1, 1, 0}));
  d.call(Method::GetChannelStatus);
  d.applyPlan(parseScenario("[Unplugged]\nFrom=1\nTo=1\n"));
  EXPECT_EQ(d.call(Method::GetMode), code(Result::NoConnection));
  EXPECT_NE(d.properties().getText(Prop::Input), "");
  EXPECT_EQ(d.properties().getText(Prop::Output), "") << "nothing came back";
  EXPECT_TRUE(d.properties().getBool(Prop::Connected)) << "the port stays open";
}

TEST_F(SimFaultTest, SlowRepliesAddLatencyUntilTheyMissTheTimeout) {
  Driver d = connected("[Slow]\nDelayMs=100\n");
  ASSERT_EQ(d.call(Method::GetMode), 0);
  const Micros slow = d.lastCallTime();
  d.applyPlan(FaultPlan{});
  d.call(Method::GetMode);
  EXPECT_EQ(slow - d.lastCallTime(), 100ms);
  d.applyPlan(parseScenario("[Slow]\nDelayMs=200\n"));
  EXPECT_EQ(d.call(Method::GetMode), code(Result::NoConnection)) << "2 + 200 ms > the 150 ms time-out";

  // Delays past 2^31 ms in all are still one late reply at the longest time-out.
  FaultPlan many;
  many.slow.assign(35792, FaultPlan::Slow{Window{}, 60000});
  d.applyPlan(many);
  d.properties().setInt(Prop::Timeout, 0xFFFF);
  EXPECT_EQ(d.call(Method::GetMode), code(Result::NoConnection));
  const auto request = test::parseHexDump(d.properties().getText(Prop::Input));
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(d.lastCallTime(), wireTime(request->size(), 2) + 65535ms);
}

TEST_F(SimFaultTest, ABrokenCheckByteHasItsOwnCodeAndFillsNothing) {
  Driver d = connected("[Flaky]\nBadCheckPercent=100\n");
  d.properties().setInt(Prop::WeightChannelMode, -7);
  EXPECT_EQ(d.call(Method::GetChannelStatus), code(Result::BadCheckByte));
  EXPECT_EQ(d.properties().getText(Prop::ResultCodeDescription),
            "Неверный контрольный байт в ответе весового модуля");
  const auto reply = test::parseHexDump(d.properties().getText(Prop::Output));
  ASSERT_TRUE(reply && reply->size() == 16u) << d.properties().getText(Prop::Output);
  EXPECT_NE(test::frameProblem(*reply, 0x3A), "") << "the check byte does not match";
  EXPECT_EQ(d.properties().getInt(Prop::WeightChannelMode), -7);
}

TEST_F(SimFaultTest, AModuleErrorAnswersTheChosenCommandOnly) {
  Driver d = connected("[ModuleError]\nCommand=SetTare\nCode=5\n");
  EXPECT_EQ(d.call(Method::SetTare), 5);
  const auto reply = test::parseHexDump(d.properties().getText(Prop::Output));
  ASSERT_TRUE(reply && reply->size() == 5u);
  EXPECT_EQ((*reply)[3], 5) << "the module's error byte";
  EXPECT_EQ(d.call(Method::GetChannelStatus), 0);
}

TEST_F(SimFaultTest, WeighingStatesShowInTheStatusWord) {
  const std::tuple<const char*, int32_t, bool> cases[] = {{"overload", 0x40, true},
                                                          {"zero-error", 0x20, true},
                                                          {"adc-error", 0x80, false},
                                                          {"underload", 0x100, false}};
  for (const auto& [state, bit, weighs] : cases) {
    Driver d = connected(std::string("[Load]\nProfile=fixed\nWeight=2\n[Weighing]\nState=") + state + "\n");
    results(d, Method::GetChannelStatus, 12);
    const int32_t mode = d.properties().getInt(Prop::WeightChannelMode);
    EXPECT_EQ(mode & 0x1E0, bit) << state;
    EXPECT_EQ(d.properties().getDouble(Prop::Weight) == 2.0, weighs) << state;
    EXPECT_EQ((mode & 0x10) != 0, weighs) << state << ": no valid weight is never settled";
  }
}

TEST_F(SimFaultTest, LoadProfilesDecideWhatTheScaleWeighs) {
  Driver d = connected("[Load]\nProfile=steps\nWeights=1, 4\nLength=15\n");
  results(d, Method::GetChannelStatus, 14);
  EXPECT_DOUBLE_EQ(d.properties().getDouble(Prop::Weight), 1.0);
  results(d, Method::GetChannelStatus, 15);
  EXPECT_DOUBLE_EQ(d.properties().getDouble(Prop::Weight), 4.0);
  d.applyPlan(parseScenario("[Load]\nProfile=none\n"));
  results(d, Method::GetChannelStatus, 15);
  EXPECT_DOUBLE_EQ(d.properties().getDouble(Prop::Weight), 0.0);
}

TEST_F(SimFaultTest, SupplyStatesSetTheirFlagsAndMatchingVoltages) {
  const std::tuple<const char*, int32_t> cases[] = {
      {"charging", 0x01}, {"discharged70", 0x02}, {"discharged90", 0x06}, {"out-of-range", 0x08}};
  for (const auto& [state, flags] : cases) {
    Driver d = connected(std::string("[Supply]\nState=") + state + "\nFrom=2\n");
    ASSERT_EQ(d.call(Method::GetVoltage), 0);
    EXPECT_EQ(d.properties().getInt(Prop::VoltageFlags), 0) << "not yet in force";
    ASSERT_EQ(d.call(Method::GetVoltage), 0);
    EXPECT_EQ(d.properties().getInt(Prop::VoltageFlags), flags) << state;
    const int32_t v5 = d.properties().getInt(Prop::Voltage5);
    EXPECT_EQ(v5 < 480 || v5 > 520, (flags & 0x08) != 0) << state << " " << v5;
  }
}

TEST_F(SimFaultTest, FaultsAreStoredWithTheConnectionSettings) {
  test::TempFolder folder;
  const std::string file = (folder.path() / "sim-driver.ini").string();
  StoredSettings s{4, 6, 200, 30, 0, parseScenario("[Unplugged]\nFrom=3\n[Supply]\nState=charging\n")};
  ASSERT_TRUE(saveSettings(file, s));
  EXPECT_TRUE(loadSettings(file) == s);
  Driver d(Environment{file, 4, 99}, {});
  EXPECT_TRUE(d.plan() == s.faults);
}

}  // namespace
}  // namespace lk40::sim
