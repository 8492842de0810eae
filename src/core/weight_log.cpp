#include "core/weight_log.h"

#include "core/numbers.h"

namespace lk40::core {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr int kWeightDecimals = 4;
constexpr size_t kUnsignedOneDigitWeight = 6;  // "1.2345"

std::string timestamp(const platform::RegionalFormats& formats, const platform::DateTime& now) {
  return platform::formatDate(formats.shortDate, now) + ";" + platform::formatTime(formats.longTime, now);
}

}  // namespace

std::optional<std::string> weightErrorText(int32_t mode) {
  const int32_t word = mode & 0xFFFF;
  if ((word & 0x20) != 0) return std::string("  -E1-");
  if ((word & 0x40) != 0) return std::string("--------");
  if ((word & 0x80) != 0) return std::string("  -E2-");
  return std::nullopt;
}

std::string modeFlagField(int32_t mode) {
  static constexpr char kLetters[] = "FZXTC1>2<?";
  std::string field(10, ' ');
  for (size_t bit = 0; bit < field.size(); ++bit) {
    if ((mode & (1 << bit)) != 0) field[bit] = kLetters[bit];
  }
  return field;
}

std::string weightLogLine(const automation::Driver& driver, const platform::RegionalFormats& formats,
                          const platform::DateTime& now) {
  std::string line = timestamp(formats, now);
  if (driver.getInt("ResultCode") == 0) {
    const char separator = formats.decimalSeparator;
    const std::string weight = formatDecimals(driver.getDouble("Weight"), kWeightDecimals, separator);
    line += weight.size() == kUnsignedOneDigitWeight ? ";W: " : ";W:";
    line += weight;
    line += ";T:" + formatDecimals(driver.getDouble("Tare"), kWeightDecimals, separator);
    line += ";" + modeFlagField(driver.getInt("WeightChannelMode"));
  } else {
    line += ";" + driver.getText("ResultCodeDescription");
  }
  return line + kLineEnd;
}

std::string adcLogLine(const automation::Driver& driver, const platform::RegionalFormats& formats,
                       const platform::DateTime& now) {
  std::string line = timestamp(formats, now);
  if (driver.getInt("ResultCode") == 0) {
    line += ";ADC:" + std::to_string(driver.getInt("ADCValue"));
  } else {
    line += ";" + driver.getText("ResultCodeDescription");
  }
  return line + kLineEnd;
}

}  // namespace lk40::core
