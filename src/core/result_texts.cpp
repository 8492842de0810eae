#include "core/result_texts.h"

#include <array>

#include "core/flags.h"
#include "core/numbers.h"

namespace lk40::core {

namespace {

struct FlagLine {
  int32_t mask;
  const char* label;  // the flag text follows directly
};

constexpr std::array<FlagLine, 9> kStatusFlags{{
    {0x0001, "фиксация веса: "},
    {0x0002, "работа автонуля: "},
    {0x0004, "канал включен: "},
    {0x0008, "тара: "},
    {0x0010, "успокоение веса: "},
    {0x0020, "ошибка автонуля при включении: "},
    {0x0040, "перегрузка по весу: "},
    {0x0080, "ошибка при получении измерения: "},
    {0x0100, "АЦП недогружен: "},
}};

// These labels are texts, not formats: two of them hold a per-cent sign.
constexpr std::array<FlagLine, 4> kSupplyFlags{{
    {0x0001, "наличие тока зарядки: "},
    {0x0002, "батарея разряжена на 70%: "},
    {0x0004, "батарея разряжена на 90%: "},
    {0x0008, "ошибка - питание слишком низкое/высокое: "},
}};

constexpr int32_t kChannelTypeBits = 0x03;
constexpr int32_t kTareSamplingBit = 0x04;
constexpr int32_t kContinuousMode = 3;
constexpr int kContinuousModeItem = 2;

std::string number(int32_t value) { return std::to_string(value); }

// "%9.4f кг" and the like.
std::string kilograms(double value, char separator) { return formatFixed(value, 9, 4, separator) + " кг"; }

template <size_t N>
void appendFlagLines(const automation::Driver& driver, std::string_view property,
                     const std::array<FlagLine, N>& lines, const LineSink& sink) {
  for (const FlagLine& line : lines) {
    sink(std::string("\t") + line.label + flagText(driver.getInt(property), line.mask));
  }
}

}  // namespace

void appendStatusBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                       const LineSink& sink) {
  sink("Состояние весового устройства: <" + number(driver.getInt("WeightChannelMode")) + ">");
  appendFlagLines(driver, "WeightChannelMode", kStatusFlags, sink);
  sink("Вес: " + kilograms(driver.getDouble("Weight"), formats.decimalSeparator));
  sink("Тара: " + kilograms(driver.getDouble("Tare"), formats.decimalSeparator));
}

void appendGoodsBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                      const LineSink& sink) {
  const char separator = formats.decimalSeparator;
  sink(driver.getInt("GoodType") == 0 ? "Тип товара - весовой" : "Тип товара - штучный");
  sink("Количество: " + number(driver.getInt("Quantity")));
  // Price and cost are currency values: whatever type the driver hands back is
  // first taken to four decimals, so 1.00499999 shows as the 1.005 it stands for.
  const auto money = [&](const char* name) { return driver.get(name).toCurrency().toDouble(); };
  sink("Цена: " + formatFixed(money("Price"), 8, 2, separator) + " р");
  sink("Стоимость: " + formatFixed(money("Cost"), 8, 2, separator) + " р");
  sink("Код последней нажатой клавиши " + number(driver.getInt("LastKey")));
}

void appendSupplyBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                       const LineSink& sink) {
  const char separator = formats.decimalSeparator;
  // The driver gives hundredths of a volt.
  sink("Напряжение на линии 5В:  " + formatFixed(driver.getDouble("Voltage5") / 100.0, 4, 2, separator));
  sink("Напряжение на линии 12В: " + formatFixed(driver.getDouble("Voltage12") / 100.0, 4, 2, separator));
  sink("Зарезервированное значение №1: " + number(driver.getInt("VoltageX")));
  sink("Флаги: <" + number(driver.getInt("VoltageFlags")) + ">");
  appendFlagLines(driver, "VoltageFlags", kSupplyFlags, sink);
  sink("Зарезервированное значение №2: " + number(driver.getInt("VoltageX1")));
}

void appendChannelBlock(const automation::Driver& driver, const platform::RegionalFormats& formats,
                        const LineSink& sink) {
  const char separator = formats.decimalSeparator;
  sink("Характеристики весового канала:");
  sink("Флаги: <" + number(driver.getInt("ChannelFlags")) + ">");
  const bool strainGauge = (driver.getInt("ChannelFlags") & kChannelTypeBits) == 0;
  sink(std::string("\tтип канала: ") + (strainGauge ? "<тензоканал>" : "<неизвестный>"));
  sink("\tвыборка массы тары: " + flagText(driver.getInt("ChannelFlags"), kTareSamplingBit));
  sink("Степень: " + number(driver.getInt("ChannelDegree")));
  sink("НПВ: " + kilograms(driver.getDouble("ChannelMaxWeight"), separator));
  sink("НмПВ: " + kilograms(driver.getDouble("ChannelMinWeight"), separator));
  sink("Тара: " + kilograms(driver.getDouble("ChannelMaxTare"), separator));
  for (int i = 1; i <= 3; ++i) {
    sink("Диапазон №" + number(i) + ": " +
         kilograms(driver.getDouble("ChannelRange" + number(i)), separator));
  }
  for (int i = 1; i <= 4; ++i) {
    sink("Дискретность №" + number(i) + ": " +
         kilograms(driver.getDouble("ChannelDiscreteness" + number(i)), separator));
  }
  sink("Кол-во градуировочных точек: " + number(driver.getInt("ChannelPointsCount")));
  sink("Кол-во градуировок: " + number(driver.getInt("CalibrationsCount")));
}

int modeItemIndex(int32_t mode) { return mode == kContinuousMode ? kContinuousModeItem : mode; }

int modeItemIndex(const automation::Driver& driver) {
  if (driver.getInt("Mode") == kContinuousMode) return kContinuousModeItem;
  return driver.getInt("Mode");
}

int32_t modeForItem(int itemIndex) { return itemIndex == kContinuousModeItem ? kContinuousMode : itemIndex; }

}  // namespace lk40::core
