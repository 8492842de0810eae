#include "core/result_texts.h"

#include <gtest/gtest.h>

#include "automation/error.h"
#include "fake_dispatch.h"

namespace lk40::core {
namespace {

using automation::Currency;
using Lines = std::vector<std::string>;

const platform::RegionalFormats kRussian = platform::RegionalFormats::russian();
const platform::RegionalFormats kFullStop = platform::RegionalFormats::fullStop();

template <typename Append>
Lines collect(Append append, const testing::FakeDriver& fd, const platform::RegionalFormats& formats) {
  Lines lines;
  append(fd.driver, formats, [&](const std::string& line) { lines.push_back(line); });
  return lines;
}

testing::FakeDriver statusDriver(int32_t mode, double weight, double tare) {
  testing::FakeDriver fd;
  fd.fake->set("WeightChannelMode", mode).set("Weight", weight).set("Tare", tare);
  return fd;
}

TEST(StatusBlock, DecodesEveryBitWithFreshReads) {
  const auto fd = statusDriver(0x0051, 1.5, 0.0);
  EXPECT_EQ(collect(appendStatusBlock, fd, kRussian),
            (Lines{"Состояние весового устройства: <81>",
                   "\tфиксация веса: <есть>",
                   "\tработа автонуля: <нет>",
                   "\tканал включен: <нет>",
                   "\tтара: <нет>",
                   "\tуспокоение веса: <есть>",
                   "\tошибка автонуля при включении: <нет>",
                   "\tперегрузка по весу: <есть>",
                   "\tошибка при получении измерения: <нет>",
                   "\tАЦП недогружен: <нет>",
                   "Вес:    1,5000 кг",
                   "Тара:    0,0000 кг"}));
  Lines expectedReads(10, "WeightChannelMode");
  expectedReads.insert(expectedReads.end(), {"Weight", "Tare"});
  EXPECT_EQ(fd.fake->reads(), expectedReads);
}

TEST(StatusBlock, HighBitsShowOnlyInTheWholeWord) {
  const Lines plain = collect(appendStatusBlock, statusDriver(0x0051, -12.34567, 2), kFullStop);
  const Lines high = collect(appendStatusBlock, statusDriver(0x0051 | 0x0200 | 0x8000, -12.34567, 2), kFullStop);
  EXPECT_EQ(high.front(), "Состояние весового устройства: <33361>");
  EXPECT_EQ(Lines(high.begin() + 1, high.end()), Lines(plain.begin() + 1, plain.end()));
  EXPECT_EQ(plain[10], "Вес:  -12.3457 кг");
  EXPECT_EQ(plain[11], "Тара:    2.0000 кг");
}

TEST(StatusBlock, LinesBeforeAFailingReadStay) {
  auto fd = statusDriver(0, 3, 0);
  fd.fake->fail("Tare", "no tare");
  Lines lines;
  EXPECT_THROW(appendStatusBlock(fd.driver, kRussian, [&](const std::string& l) { lines.push_back(l); }),
               automation::Error);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.back(), "Вес:    3,0000 кг");
}

TEST(GoodsBlock, TypeQuantityPriceCostKey) {
  testing::FakeDriver fd;
  fd.fake->set("GoodType", 0).set("Quantity", 12).set("Price", Currency{125000})
      .set("Cost", Currency{-1500050}).set("LastKey", 27);
  EXPECT_EQ(collect(appendGoodsBlock, fd, kRussian),
            (Lines{"Тип товара - весовой", "Количество: 12", "Цена:    12,50 р", "Стоимость:  -150,01 р",
                   "Код последней нажатой клавиши 27"}));
  EXPECT_EQ(fd.fake->reads(), (Lines{"GoodType", "Quantity", "Price", "Cost", "LastKey"}));
  for (int32_t type : {1, 7, -1}) {
    fd.fake->set("GoodType", type);
    EXPECT_EQ(collect(appendGoodsBlock, fd, kRussian).front(), "Тип товара - штучный") << type;
  }
}

TEST(GoodsBlock, DoublesAreTakenAsCurrencyFirst) {
  testing::FakeDriver fd;
  // 1.00499999 is 1.0050 as currency, which rounds up to two decimals; the
  // double alone would round down.
  fd.fake->set("GoodType", 0).set("Quantity", 0).set("Price", 1.00499999).set("Cost", -2.67499996)
      .set("LastKey", 0);
  const Lines lines = collect(appendGoodsBlock, fd, kRussian);
  EXPECT_EQ(lines.at(2), "Цена:     1,01 р");
  EXPECT_EQ(lines.at(3), "Стоимость:    -2,68 р");
}

TEST(SupplyBlock, VoltagesAndLiteralLabels) {
  testing::FakeDriver fd;
  fd.fake->set("Voltage5", 502).set("Voltage12", 1195).set("VoltageX", -3).set("VoltageFlags", 6)
      .set("VoltageX1", 70);
  EXPECT_EQ(collect(appendSupplyBlock, fd, kRussian),
            (Lines{"Напряжение на линии 5В:  5,02",
                   "Напряжение на линии 12В: 11,95",
                   "Зарезервированное значение №1: -3",
                   "Флаги: <6>",
                   "\tналичие тока зарядки: <нет>",
                   "\tбатарея разряжена на 70%: <есть>",
                   "\tбатарея разряжена на 90%: <есть>",
                   "\tошибка - питание слишком низкое/высокое: <нет>",
                   "Зарезервированное значение №2: 70"}));
  EXPECT_EQ(fd.fake->readCount("VoltageFlags"), 5);
  fd.fake->set("Voltage5", 7);
  EXPECT_EQ(collect(appendSupplyBlock, fd, kFullStop).front(), "Напряжение на линии 5В:  0.07");
}

testing::FakeDriver channelDriver(int32_t flags) {
  testing::FakeDriver fd;
  fd.fake->set("ChannelFlags", flags).set("ChannelDegree", 2).set("ChannelMaxWeight", 15.0)
      .set("ChannelMinWeight", 0.04).set("ChannelMaxTare", 9.995).set("ChannelRange1", 6.0)
      .set("ChannelRange2", 15.0).set("ChannelRange3", 0.0).set("ChannelDiscreteness1", 0.002)
      .set("ChannelDiscreteness2", 0.005).set("ChannelDiscreteness3", 0.0).set("ChannelDiscreteness4", 0.0)
      .set("ChannelPointsCount", 3).set("CalibrationsCount", 11);
  return fd;
}

TEST(ChannelBlock, AllSeventeenLines) {
  const auto fd = channelDriver(4);
  EXPECT_EQ(collect(appendChannelBlock, fd, kRussian),
            (Lines{"Характеристики весового канала:",
                   "Флаги: <4>",
                   "\tтип канала: <тензоканал>",
                   "\tвыборка массы тары: <есть>",
                   "Степень: 2",
                   "НПВ:   15,0000 кг",
                   "НмПВ:    0,0400 кг",
                   "Тара:    9,9950 кг",
                   "Диапазон №1:    6,0000 кг",
                   "Диапазон №2:   15,0000 кг",
                   "Диапазон №3:    0,0000 кг",
                   "Дискретность №1:    0,0020 кг",
                   "Дискретность №2:    0,0050 кг",
                   "Дискретность №3:    0,0000 кг",
                   "Дискретность №4:    0,0000 кг",
                   "Кол-во градуировочных точек: 3",
                   "Кол-во градуировок: 11"}));
  EXPECT_EQ(fd.fake->readCount("ChannelFlags"), 3);
  EXPECT_EQ(fd.fake->reads()[3], "ChannelDegree");
}

TEST(ChannelBlock, FlagLinesLookAtTheLowBits) {
  const std::tuple<int32_t, const char*, const char*, const char*> cases[] = {
      {1, "Флаги: <1>", "\tтип канала: <неизвестный>", "\tвыборка массы тары: <нет>"},
      {3, "Флаги: <3>", "\tтип канала: <неизвестный>", "\tвыборка массы тары: <нет>"},
      {0x104, "Флаги: <260>", "\tтип канала: <тензоканал>", "\tвыборка массы тары: <есть>"},
  };
  for (const auto& [flags, word, type, tare] : cases) {
    const Lines lines = collect(appendChannelBlock, channelDriver(flags), kFullStop);
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 4), (Lines{word, type, tare})) << flags;
  }
}

TEST(Mode, ContinuousOutputIsItemTwo) {
  for (const auto& [mode, item] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 2}, {7, 7}, {-1, -1}}) {
    EXPECT_EQ(modeItemIndex(mode), item) << mode;
  }
  for (const auto& [item, mode] : {std::pair{0, 0}, {1, 1}, {2, 3}, {-1, -1}}) EXPECT_EQ(modeForItem(item), mode);

  testing::FakeDriver fd;
  fd.fake->set("Mode", 3);
  EXPECT_EQ(modeItemIndex(fd.driver), 2);
  EXPECT_EQ(fd.fake->readCount("Mode"), 1);
  fd.fake->set("Mode", 1);
  EXPECT_EQ(modeItemIndex(fd.driver), 1);
  EXPECT_EQ(fd.fake->readCount("Mode"), 3);  // a mode other than 3 is read twice
}

}  // namespace
}  // namespace lk40::core
