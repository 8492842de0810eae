#include "core/driver_failure.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

constexpr char kTwin[] = "C:\\Program Files (x86)\\lk40-drvtest\\bin\\lk40-drvtest.exe";

DriverFailureFacts facts(bool in32, bool in64, int ownBits, bool handedOver = false, const char* twin = kTwin,
                         const char* twinError = "") {
  DriverFailureFacts f;
  f.progId = "AddIn.DrvTarvo";
  f.failure = "Класс не зарегистрирован";
  f.clsid = "{5B1C9F2E-0000-4000-8000-000000000001}";
  f.registered32 = in32;
  f.registered64 = in64;
  f.ownBits = ownBits;
  f.handedOver = handedOver;
  f.twin = twin;
  f.twinError = twinError;
  return f;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(DriverFailure, TheTwinTakesTheRunOnlyWhenOnlyItsBitnessHasTheClass) {
  const struct {
    DriverFailureFacts facts;
    bool handsOver;
    const char* line;  // a line the details must hold; "" for none about the bitness
  } cases[] = {
      {facts(true, false, 64), true, "только для 32-разрядных программ, а этот тест драйвера 64-разрядный"},
      {facts(false, true, 32), true, "только для 64-разрядных программ, а этот тест драйвера 32-разрядный"},
      {facts(true, false, 64, false, ""), false, "32-разрядный тест драйвера не установлен"},
      {facts(true, false, 64, false, kTwin, "файл не найден"), false,
       "32-разрядный тест драйвера не запущен: файл не найден"},
      {facts(true, false, 64, true), false, "запущен 32-разрядным и не передаёт запуск обратно"},
      {facts(false, true, 32, true), false, "запущен 64-разрядным и не передаёт запуск обратно"},
      {facts(true, true, 64), false, ""},  // its own view has it: the failure is elsewhere
      {facts(true, true, 32), false, ""},
      {facts(false, false, 32), false, ""},
      {facts(true, false, 32), false, ""},
      {facts(false, true, 64), false, ""},
  };
  for (const auto& c : cases) {
    const std::string details = driverFailureDetails(c.facts);
    EXPECT_EQ(handsOver(c.facts), c.handsOver) << details;
    if (*c.line != '\0') {
      EXPECT_TRUE(has(details, c.line)) << details;
    } else {
      EXPECT_FALSE(has(details, "только для")) << details;
    }
  }
}

TEST(DriverFailure, DetailsSayWhatWasLookedUpAndTheSystemsWords) {
  EXPECT_EQ(driverFailureDetails(facts(true, false, 64, false, "")),
            "ProgID AddIn.DrvTarvo: класс {5B1C9F2E-0000-4000-8000-000000000001}\n"
            "CLSID\\{5B1C9F2E-0000-4000-8000-000000000001}\\InprocServer32: в 32-разрядном разделе реестра есть, "
            "в 64-разрядном нет\n"
            "Ошибка: Класс не зарегистрирован\n"
            "Драйвер зарегистрирован только для 32-разрядных программ, а этот тест драйвера 64-разрядный\n"
            "32-разрядный тест драйвера не установлен\n");
  DriverFailureFacts none = facts(false, false, 64);
  none.clsid.clear();
  none.failure = "No driver for 'AddIn.DrvTarvo'";
  EXPECT_EQ(driverFailureDetails(none),
            "ProgID AddIn.DrvTarvo: класс не зарегистрирован\nОшибка: No driver for 'AddIn.DrvTarvo'\n");
}

}  // namespace
}  // namespace lk40::core
