// The simulated module's model, driven directly: determinism, weighing with
// zero and tare, cost, calibration, channels, supply and the test buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "sim_module.h"

namespace lk40::sim {
namespace {

constexpr uint64_t kSeed = 1234;

ChannelReading settle(Module& m, int steps = 15) {
  ChannelReading r;
  for (int i = 0; i < steps; ++i) r = m.readChannel();
  return r;
}

// Places a load and lets the reading settle; the scene keeps still for at
// least 20 steps after a placement.
ChannelReading weigh(Module& m, double kg) {
  m.scale(m.activeChannel()).placeLoad(kg);
  return settle(m);
}

bool isMultipleOf(double value, double interval) {
  const double units = value / interval;
  return std::fabs(units - std::round(units)) < 1e-6;
}

TEST(SimModule, SameSeedReplaysTheSameReadingsAndAnotherSeedDoesNot) {
  Module a(kSeed), b(kSeed), c(kSeed + 1);
  int differences = 0;
  for (int i = 0; i < 400; ++i) {
    const ChannelReading ra = a.readChannel(), rb = b.readChannel(), rc = c.readChannel();
    ASSERT_EQ(ra.status, rb.status) << "step " << i;
    ASSERT_EQ(ra.weight, rb.weight) << "step " << i;
    if (ra.weight != rc.weight) ++differences;
  }
  EXPECT_GT(differences, 100);
  EXPECT_EQ(a.readSupply().voltage12, b.readSupply().voltage12);
}

TEST(SimModule, SceneChangesLoadsAndEveryWeightIsOnTheScaleInterval) {
  Module m(kSeed);
  std::set<long> settledWeights;
  bool sawUnsettled = false;
  for (int i = 0; i < 3000; ++i) {
    const ChannelReading r = m.readChannel();
    const double interval = intervalAt(m.scale(0).params(), r.weight);
    ASSERT_TRUE(isMultipleOf(r.weight, interval)) << r.weight << " at step " << i;
    ASSERT_NE(r.status & status::kChannelOn, 0);
    if ((r.status & status::kSettled) == 0) sawUnsettled = true;
    if ((r.status & status::kFixed) != 0) {
      ASSERT_NE(r.status & status::kSettled, 0) << "fixed but not settled";
      settledWeights.insert(std::lround(r.weight * 10));
    }
  }
  EXPECT_TRUE(sawUnsettled);
  EXPECT_GE(settledWeights.size(), 10u) << "the load hardly ever changed";
}

TEST(SimModule, ZeroNeedsASettledReadingNearZero) {
  Module m(kSeed);
  m.scale(0).placeLoad(0.1);
  EXPECT_EQ(m.readChannel().status & status::kSettled, 0);
  EXPECT_EQ(m.setZero(), Result::NotSettled);

  ChannelReading r = settle(m);
  EXPECT_NEAR(r.weight, 0.1, 0.004);
  EXPECT_EQ(r.status & status::kAutoZero, 0);
  ASSERT_EQ(m.setZero(), Result::Ok);
  r = settle(m, 3);
  EXPECT_NEAR(r.weight, 0.0, 0.0021);
  EXPECT_NE(r.status & status::kAutoZero, 0);

  weigh(m, 5.0);
  EXPECT_EQ(m.setZero(), Result::ZeroOutOfRange);
}

TEST(SimModule, TareTakesTheGrossAndIsClearedWhenThePlatformEmpties) {
  Module m(kSeed);
  weigh(m, 2.0);
  ASSERT_EQ(m.setTare(), Result::Ok);
  ChannelReading r = settle(m, 2);
  EXPECT_NE(r.status & status::kTareSet, 0);
  EXPECT_NEAR(r.tare, 2.0, 0.0021);
  EXPECT_NEAR(r.weight, 0.0, 0.0041);

  r = weigh(m, 3.5);
  EXPECT_NEAR(r.weight, 1.5, 0.0041);
  r = weigh(m, 0.0);
  EXPECT_NEAR(r.weight, -2.0, 0.0041);

  ASSERT_EQ(m.setTare(), Result::Ok);  // tare set and platform empty: clears it
  r = settle(m, 2);
  EXPECT_EQ(r.status & status::kTareSet, 0);
  EXPECT_EQ(r.tare, 0.0);
  EXPECT_NEAR(r.weight, 0.0, 0.0021);

  EXPECT_EQ(m.setTare(), Result::TareOutOfRange) << "nothing on the platform to take";
  weigh(m, 8.0);  // above the channel's maximum tare of 6 kg
  EXPECT_EQ(m.setTare(), Result::TareOutOfRange);
}

TEST(SimModule, TareValueIsCheckedAgainstTheMaximumTareAndRounded) {
  Module m(kSeed);
  EXPECT_EQ(m.setTareValue(6.5), Result::TareOutOfRange);
  EXPECT_EQ(m.setTareValue(-0.1), Result::TareOutOfRange);
  EXPECT_EQ(m.setTareValue(std::nan("")), Result::TareOutOfRange);
  ASSERT_EQ(m.setTareValue(1.2341), Result::Ok);
  ChannelReading r = settle(m, 2);
  EXPECT_NEAR(r.tare, 1.234, 1e-9);
  EXPECT_NE(r.status & status::kTareSet, 0);
  EXPECT_NEAR(r.weight, -1.234, 0.0021);
  ASSERT_EQ(m.setTareValue(0.0), Result::Ok);
  EXPECT_EQ(settle(m, 1).status & status::kTareSet, 0);
}

TEST(SimModule, OverloadSetsItsBitAndBlocksTare) {
  Module m(kSeed);
  const ChannelReading r = weigh(m, 16.0);
  EXPECT_NE(r.status & status::kOverload, 0);
  EXPECT_EQ(m.setTare(), Result::Overload);
  EXPECT_EQ(weigh(m, 14.0).status & status::kOverload, 0);
}

TEST(SimModule, SwitchedOffChannelReportsNoWeightAndRefusesWork) {
  Module m(kSeed);
  weigh(m, 3.0);
  ASSERT_EQ(m.setChannelOn(false), Result::Ok);
  const ChannelReading r = m.readChannel();
  EXPECT_FALSE(r.on);
  EXPECT_EQ(r.status & status::kChannelOn, 0);
  EXPECT_EQ(r.weight, 0.0);
  int32_t adc = 0;
  EXPECT_EQ(m.readAdc(adc), Result::ChannelOff);
  EXPECT_EQ(m.setZero(), Result::ChannelOff);
  ASSERT_EQ(m.setChannelOn(true), Result::Ok);
  EXPECT_NE(m.readChannel().status & status::kChannelOn, 0);
}

TEST(SimModule, AdcFollowsTheLoad) {
  Module m(kSeed);
  weigh(m, 0.0);
  int32_t empty = 0, loaded = 0;
  ASSERT_EQ(m.readAdc(empty), Result::Ok);
  weigh(m, 10.0);
  ASSERT_EQ(m.readAdc(loaded), Result::Ok);
  EXPECT_NEAR(loaded - empty, 10.0 * Scale::kAdcPerKg, 0.01 * Scale::kAdcPerKg);
}

TEST(SimModule, CostIsPriceTimesWeightOrQuantityInWholeKopecks) {
  Module m(kSeed);
  ASSERT_EQ(m.setGoods({125000, 3, 0}), Result::Ok);  // 12.50 by weight
  EXPECT_EQ(m.costFor(1.234), 154300);                 // 15.425 -> 15.43
  EXPECT_EQ(m.costFor(-0.5), 0);
  ASSERT_EQ(m.setGoods({125001, 3, 1}), Result::Ok);  // 12.5001 by the piece
  EXPECT_EQ(m.costFor(1.234), 375000);                 // 37.5003 -> 37.50
  EXPECT_EQ(m.setGoods({100, 1, 2}), Result::BadParameter);
  EXPECT_EQ(m.setGoods({-1, 1, 0}), Result::BadParameter);
  EXPECT_EQ(m.setGoods({100, 70000, 1}), Result::BadParameter);
  EXPECT_EQ(m.goods().price, 125001) << "a refused set keeps the goods";
}

TEST(SimModule, CalibrationRunsThroughItsStagesOnlyInCalibrationMode) {
  Module m(kSeed);
  double kg = 0;
  EXPECT_EQ(m.setFixedPoint(1, 10.0), Result::NotInCalibrationMode);
  EXPECT_EQ(m.startCalibration(1), Result::NotInCalibrationMode);
  EXPECT_EQ(m.setMode(2), Result::BadParameter);
  ASSERT_EQ(m.setMode(mode::kCalibration), Result::Ok);

  ASSERT_EQ(m.setFixedPoint(1, 12.5), Result::Ok);
  ASSERT_EQ(m.fixedPoint(1, kg), Result::Ok);
  EXPECT_EQ(kg, 12.5);
  EXPECT_EQ(m.setFixedPoint(2, 1.0), Result::BadParameter) << "channel 0 has two points";
  EXPECT_EQ(m.setFixedPoint(1, 15.5), Result::BadParameter) << "above the capacity";

  ChannelParams params;
  int32_t before = 0, after = 0;
  ASSERT_EQ(m.channelParams(0, params, before), Result::Ok);
  ASSERT_EQ(m.startCalibration(1), Result::Ok);
  EXPECT_EQ(m.setZero(), Result::Busy);
  EXPECT_EQ(m.startCalibration(1), Result::Busy);
  std::vector<int32_t> stages;
  CalibrationState state;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(m.calibrationStatus(state), Result::Ok);
    stages.push_back(state.status);
    EXPECT_EQ(state.weight, 12.5);
  }
  EXPECT_EQ(stages, (std::vector<int32_t>{1, 2, 3, 3}));
  ASSERT_EQ(m.channelParams(0, params, after), Result::Ok);
  EXPECT_EQ(after, before + 1);

  // A point whose weight does not rise above the point below ends in error,
  // and so does a channel that is off.
  ASSERT_EQ(m.setFixedPoint(1, 0.0), Result::Ok);
  for (const bool on : {true, false}) {
    if (!on) {
      ASSERT_EQ(m.setFixedPoint(1, 5.0), Result::Ok);
    }
    m.scale(0).setOn(on);
    ASSERT_EQ(m.startCalibration(1), Result::Ok);
    stages.clear();
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(m.calibrationStatus(state), Result::Ok);
      stages.push_back(state.status);
    }
    EXPECT_EQ(stages, (std::vector<int32_t>{1, 2, 4})) << on;
  }
  m.scale(0).setOn(true);
  ASSERT_EQ(m.channelParams(0, params, before), Result::Ok);
  EXPECT_EQ(before, after) << "a failed calibration is not counted";

  ASSERT_EQ(m.startCalibration(0), Result::Ok);
  ASSERT_EQ(m.breakCalibration(), Result::Ok);
  ASSERT_EQ(m.calibrationStatus(state), Result::Ok);
  EXPECT_EQ(state.status, point_status::kReady);
  ASSERT_EQ(m.setMode(mode::kNormal), Result::Ok);
  EXPECT_EQ(m.fixedPoint(1, kg), Result::NotInCalibrationMode);
}

TEST(SimModule, ChannelsHaveTheirOwnCharacteristics) {
  Module m(kSeed);
  EXPECT_EQ(m.setActiveChannel(2), Result::BadParameter);
  ASSERT_EQ(m.setActiveChannel(1), Result::Ok);
  const ChannelReading r = weigh(m, 20.0);
  EXPECT_TRUE(isMultipleOf(r.weight, 0.01)) << r.weight;
  EXPECT_EQ(r.status & status::kOverload, 0) << "channel 1 weighs up to 30 kg";

  ChannelParams p;
  int32_t calibrations = 0;
  ASSERT_EQ(m.channelParams(1, p, calibrations), Result::Ok);
  const double capacity = p.maxWeight;
  EXPECT_GE(capacity / std::pow(10.0, p.degree), 6554);
  EXPECT_LE(capacity / std::pow(10.0, p.degree), 65535);

  ChannelParams bad = p;
  bad.minWeight = bad.maxWeight;
  EXPECT_EQ(m.setChannelParams(1, bad), Result::BadParameter);
  bad = p;
  bad.discreteness[0] = 0;
  EXPECT_EQ(m.setChannelParams(1, bad), Result::BadParameter);
  bad = p;
  bad.flags = -5;  // what a dialog with nothing chosen would send
  EXPECT_EQ(m.setChannelParams(1, bad), Result::BadParameter);

  p.pointsCount = 4;
  ASSERT_EQ(m.setChannelParams(1, p), Result::Ok);
  ASSERT_EQ(m.setMode(mode::kCalibration), Result::Ok);
  EXPECT_EQ(m.setFixedPoint(3, 5.0), Result::Ok);
  ASSERT_EQ(m.channelParams(0, p, calibrations), Result::Ok);
  EXPECT_EQ(p.pointsCount, 2) << "the other channel is untouched";
}

TEST(SimModule, ResetReturnsToNormalModeAndClearsTheTare) {
  Module m(kSeed);
  ASSERT_EQ(m.setTareValue(1.0), Result::Ok);
  ASSERT_EQ(m.setMode(mode::kContinuous), Result::Ok);
  ASSERT_EQ(m.setPassword(77), Result::Ok);
  m.reset();
  EXPECT_EQ(m.mode(), mode::kNormal);
  EXPECT_EQ(m.readChannel().status & status::kTareSet, 0);
  EXPECT_TRUE(m.passwordMatches(77));
  EXPECT_EQ(m.setPassword(10000), Result::BadParameter);
}

TEST(SimModule, TestRecordHoldsTheReadingsSinceTheLastOne) {
  Module m(kSeed), twin(kSeed);
  m.readChannel();
  m.readChannel();
  const Bytes record = m.takeTestRecord();  // 2 readings + its own 4
  std::vector<int32_t> expected;
  for (int i = 0; i < 6; ++i) {
    int32_t v = 0;
    ASSERT_EQ(twin.readAdc(v), Result::Ok);
    expected.push_back(v);
  }
  ASSERT_EQ(record.size(), 3u + 6 * 4);
  EXPECT_EQ(record[0], TestLog::kTypeCode);
  EXPECT_EQ(record[1], 0x00);
  EXPECT_EQ(record[2], 6);
  for (size_t i = 0; i < expected.size(); ++i) {
    const size_t at = 3 + i * 4;
    const auto value = static_cast<int32_t>(record[at] | record[at + 1] << 8 | record[at + 2] << 16 |
                                            static_cast<uint32_t>(record[at + 3]) << 24);
    EXPECT_EQ(value, expected[i]) << "value " << i;
  }
  EXPECT_EQ(m.takeTestRecord()[2], Module::kStepsPerTestRecord) << "the buffer was emptied";

  m.clearTestLog();
  m.scale(0).placeLoad(17.0);
  for (int i = 0; i < 100; ++i) m.readChannel();
  const Bytes full = m.takeTestRecord();
  EXPECT_EQ(full[1], 0xFF) << "an overloaded reading marks the record";
  EXPECT_EQ(full[2], TestLog::kCapacity);
  EXPECT_EQ(full.size(), 3 + TestLog::kCapacity * 4);
  EXPECT_LE(full.size() + 1, kMaxFrameData) << "record and error byte fit one frame";
}

TEST(SimModule, TestRecordsTakeEveryTypeCodeInTurn) {
  Module m(kSeed), twin(kSeed);
  m.clearTestLog();
  for (const uint8_t type : {5, 0, 1, 2, 3, 4, 5}) {
    const Bytes record = m.takeTestRecord();
    const size_t size = size_t{1} << (type / 2);
    ASSERT_EQ(record[0], type);
    ASSERT_EQ(record.size(), 3 + record[2] * size);
    for (size_t i = 0; i < record[2]; ++i) {
      int32_t reading = 0;
      ASSERT_EQ(twin.readAdc(reading), Result::Ok);
      for (size_t k = 0; k < size; ++k)
        EXPECT_EQ(record[3 + i * size + k], static_cast<uint8_t>(static_cast<uint32_t>(reading) >> (8 * k)))
            << "type " << int{type} << " value " << i;
    }
  }
  m.clearTestLog();
  EXPECT_EQ(m.takeTestRecord()[0], TestLog::kTypeCode) << "a clear starts the round again";
}

TEST(SimModule, SupplyWandersSlowlyAndRaisesItsFlags) {
  Module m(kSeed);
  SupplyReading previous = m.readSupply();
  int seen = 0;
  for (int i = 0; i < 600; ++i) {
    const SupplyReading s = m.readSupply();
    ASSERT_LE(std::abs(s.voltage5 - previous.voltage5), 1);
    ASSERT_LE(std::abs(s.voltage12 - previous.voltage12), 2);
    ASSERT_GE(s.voltage5, 470);
    ASSERT_LE(s.voltage5, 530);
    ASSERT_GE(s.voltage12, 1140);
    ASSERT_LE(s.voltage12, 1260);
    if ((s.flags & supply_flags::kDischarged90) != 0) {
      ASSERT_NE(s.flags & supply_flags::kDischarged70, 0);
    }
    seen |= s.flags;
    previous = s;
  }
  EXPECT_NE(seen & supply_flags::kCharging, 0);
  EXPECT_NE(seen & supply_flags::kDischarged70, 0);
  EXPECT_NE(seen & supply_flags::kDischarged90, 0);
}

}  // namespace
}  // namespace lk40::sim
