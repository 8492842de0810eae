#include "sim_result.h"

namespace lk40::sim {

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
