// The fixed identifiers the main window's pages carry: every page rule tests
// these. A page's position on the page control is no identity of it.
#pragma once

namespace PageID {
constexpr int Connection = 0;    // "Начало"
constexpr int LogicalDevices = 1;  // "ЛУ"
constexpr int Weighing = 2;      // "Вес"
constexpr int Calibration = 3;   // "Градуировка"
constexpr int Settings = 4;      // "Настройки"
constexpr int Channels = 5;      // "Весовые каналы"
constexpr int Test = 6;          // "Тест"
}  // namespace PageID
