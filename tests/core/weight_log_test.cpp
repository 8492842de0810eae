#include "core/weight_log.h"

#include <gtest/gtest.h>

#include "automation/error.h"
#include "fake_dispatch.h"

namespace lk40::core {
namespace {

using Reads = std::vector<std::string>;

const platform::RegionalFormats kRussian = platform::RegionalFormats::russian();
const platform::RegionalFormats kFullStop = platform::RegionalFormats::fullStop();

// A second before midnight: the date and the time of a line are of one moment.
const platform::DateTime kNow{2026, 12, 7, 23, 59, 59};

testing::FakeDriver goodReading(double weight, double tare, int32_t mode) {
  testing::FakeDriver fd;
  fd.fake->set("ResultCode", 0).set("Weight", weight).set("Tare", tare).set("WeightChannelMode", mode)
      .set("ResultCodeDescription", "Ошибок нет").set("ADCValue", 123456);
  return fd;
}

TEST(WeightField, ErrorTextsInPrecedence) {
  EXPECT_EQ(weightErrorText(0x20 | 0x40 | 0x80), "  -E1-");
  EXPECT_EQ(weightErrorText(0x40 | 0x80), "--------");
  EXPECT_EQ(weightErrorText(0x80), "  -E2-");
  EXPECT_EQ(weightErrorText(0x11F), std::nullopt);
  EXPECT_EQ(weightErrorText(0x200000), std::nullopt);
}

TEST(WeightField, FlagFieldIsTenCharacters) {
  EXPECT_EQ(modeFlagField(0x011), "F   C     ");
  EXPECT_EQ(modeFlagField(0x048), "   T  >   ");
  EXPECT_EQ(modeFlagField(0x3FF), "FZXTC1>2<?");
  EXPECT_EQ(modeFlagField(0x400 | 0x10000), "          ");
}

TEST(WeightLogLine, GoodReading) {
  const auto fd = goodReading(1.2345, 0, 0x11);
  EXPECT_EQ(weightLogLine(fd.driver, kFullStop, kNow), "07.12.2026;23:59:59;W: 1.2345;T:0.0000;F   C     \r\n");
  EXPECT_EQ(fd.fake->reads(), (Reads{"ResultCode", "Weight", "Tare", "WeightChannelMode"}));
  EXPECT_EQ(weightLogLine(goodReading(-0.5, 1.25, 0x48).driver, kRussian, kNow),
            "07.12.2026;23:59:59;W:-0,5000;T:1,2500;   T  >   \r\n");
}

TEST(WeightLogLine, BlankOnlyBeforeSixCharacterWeights) {
  const std::pair<double, const char*> cases[] = {
      {3.5, ";W: 3.5000;"}, {-3.5, ";W:-3.5000;"}, {12, ";W:12.0000;"}, {9.99996, ";W:10.0000;"},
      {-0.00001, ";W: 0.0000;"},
  };
  for (const auto& [weight, expected] : cases) {
    const std::string line = weightLogLine(goodReading(weight, 0, 0).driver, kFullStop, kNow);
    EXPECT_NE(line.find(expected), std::string::npos) << line;
  }
}

TEST(WeightLogLine, FailedPollLogsTheDescription) {
  auto fd = goodReading(1, 0, 0);
  fd.fake->set("ResultCode", -2).set("ResultCodeDescription", "Нет связи");
  EXPECT_EQ(weightLogLine(fd.driver, kRussian, {2027, 1, 2, 9, 5, 7}),
            "02.01.2027;9:05:07;Нет связи\r\n");
  EXPECT_EQ(fd.fake->reads(), (Reads{"ResultCode", "ResultCodeDescription"}));
}

TEST(WeightLogLine, FailingReadRaises) {
  auto fd = goodReading(1, 0, 0);
  fd.fake->fail("Tare", "gone");
  EXPECT_THROW(weightLogLine(fd.driver, kRussian, kNow), automation::Error);
}

TEST(AdcLogLine, ValueOrDescription) {
  auto fd = goodReading(0, 0, 0);
  EXPECT_EQ(adcLogLine(fd.driver, kRussian, kNow), "07.12.2026;23:59:59;ADC:123456\r\n");
  EXPECT_EQ(fd.fake->reads(), (Reads{"ResultCode", "ADCValue"}));
  fd.fake->set("ADCValue", -7);
  EXPECT_EQ(adcLogLine(fd.driver, kRussian, kNow), "07.12.2026;23:59:59;ADC:-7\r\n");
  fd.fake->set("ResultCode", 1).set("ResultCodeDescription", "Таймаут");
  EXPECT_EQ(adcLogLine(fd.driver, kRussian, kNow), "07.12.2026;23:59:59;Таймаут\r\n");
}

}  // namespace
}  // namespace lk40::core
