// Messages, captions and formats the main window shows to the operator.
#pragma once

#include <QString>

namespace myconsts {

inline const char* const kProgId = "AddIn.DrvTarvo";
// The password the pages' defaults put into the password field.
inline const QString kDefaultPassword = QStringLiteral("30");

inline const QString kCaptionMain = QStringLiteral("Тест драйвера весового модуля ЛК-40");
inline const QString kCaptionAttention = QStringLiteral("Внимание");
inline const QString kDriverNotInstalled = QStringLiteral("Драйвер не установлен");
inline const QString kSettingsLoadError =
    QStringLiteral("Ошибка загрузки настроек\r\nВосстановлены значения по умолчанию");
inline const QString kFileNotCreated = QStringLiteral("Файл не создан!");
inline const QString kExecutionTime = QStringLiteral("Время выполнения %1 мс");
inline const QString kGridValueHeader = QStringLiteral("Значение");
inline const QString kUnknownValue = QStringLiteral("??????");
// The title of the framework-style error box.
inline const QString kApplicationTitle = QStringLiteral("lk40-drvtest");

}  // namespace myconsts
