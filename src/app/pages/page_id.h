// The fixed identifiers the main window's pages carry; page rules test these,
// the timer's dispatch and the soak test's guards test the page's position.
#pragma once

namespace PageID {
constexpr int Connection = 0;    // "Начало"
constexpr int LogicalDevices = 1;  // "ЛУ"
constexpr int Weighing = 2;      // "Вес"
constexpr int Calibration = 3;   // "Градуировка"
constexpr int Settings = 4;      // "Настройки"
constexpr int Channels = 5;      // "Весовые каналы"
constexpr int Test = 6;          // "Тест"

constexpr int kPageCount = 7;
constexpr int kTestPageIndex = 6;  // position of "Тест" in the page control
}  // namespace PageID
