#include "sim_frame.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/code_page.h"
#include "platform/windows_1251.h"

namespace lk40::sim {

Bytes makeFrame(uint8_t command, const Bytes& data) {
  if (data.size() > kMaxFrameData) throw std::length_error("frame data too long");
  Bytes frame;
  frame.reserve(data.size() + 4);
  frame.push_back(kFrameStart);
  frame.push_back(static_cast<uint8_t>(data.size() + 1));
  frame.push_back(command);
  frame.insert(frame.end(), data.begin(), data.end());
  uint8_t check = 0;
  for (size_t i = 1; i < frame.size(); ++i) check ^= frame[i];
  frame.push_back(check);
  return frame;
}

std::string hexDump(const Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out += ' ';
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0x0F];
  }
  return out;
}

void putU8(Bytes& out, uint32_t value) { out.push_back(static_cast<uint8_t>(value)); }

void putU16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void putI32(Bytes& out, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(u >> shift));
}

void putI64(Bytes& out, int64_t value) {
  const auto u = static_cast<uint64_t>(value);
  for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<uint8_t>(u >> shift));
}

std::string ansiToUtf8(const Bytes& bytes) { return platform::ansiToUtf8(std::string(bytes.begin(), bytes.end())); }

Bytes utf8ToAnsi(std::string_view utf8) {
  const std::string bytes = platform::utf8ToAnsi(utf8);
  return Bytes(bytes.begin(), bytes.end());
}

Bytes moduleText(std::string_view utf8) {
  const std::string bytes = platform::utf8ToWindows1251(utf8);
  return Bytes(bytes.begin(), bytes.end());
}

int32_t weightUnits(double kg, int32_t degree) {
  const double units = std::round(kg / std::pow(10.0, degree));
  if (!(units > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (!(units < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(units);
}

const char* resultDescription(Result result) {
  switch (result) {
    case Result::Ok: return "Ошибок нет";
    case Result::NoConnection: return "Нет связи с весовым модулем";
    case Result::WrongPassword: return "Неверный пароль";
    case Result::BadParameter: return "Неверный параметр";
    case Result::NotInCalibrationMode: return "Весовой модуль не в режиме градуировки";
    case Result::Busy: return "Весовой модуль занят";
    case Result::NotSettled: return "Вес не успокоен";
    case Result::ZeroOutOfRange: return "Вес вне диапазона установки нуля";
    case Result::ChannelOff: return "Весовой канал выключен";
    case Result::Overload: return "Перегрузка по весу";
    case Result::TareOutOfRange: return "Тара вне допустимого диапазона";
    case Result::NoSuchDevice: return "Логическое устройство не найдено";
    case Result::NoActiveDevice: return "Нет активного логического устройства";
    case Result::DialogNotAvailable: return "Диалог настроек драйвера недоступен";
    case Result::SettingsNotSaved: return "Не удалось сохранить настройки драйвера";
    case Result::BadCheckByte: return "Неверный контрольный байт в ответе весового модуля";
  }
  return "Неизвестная ошибка";
}

}  // namespace lk40::sim
