#include "core/driver_failure.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

DriverFailureFacts facts(bool in32, bool in64, int ownBits, bool handedOver, const char* twin) {
  DriverFailureFacts f;
  f.progId = "AddIn.DrvTarvo";
  f.failure = "Класс не зарегистрирован";
  f.clsid = "{5B1C9F2E-0000-4000-8000-000000000001}";
  f.registered32 = in32;
  f.registered64 = in64;
  f.ownBits = ownBits;
  f.handedOver = handedOver;
  f.twin = twin;
  return f;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(DriverFailure, HandsOverOnlyToAnInstalledTwinWhenOnlyItsBitnessHasTheClass) {
  const char* twin = "C:\\Program Files (x86)\\lk40-drvtest\\bin\\lk40-drvtest.exe";
  const struct {
    bool in32, in64;
    int own;
    bool handedOver;
    const char* twin;
    bool handOver;
    const char* line;  // a line the details must hold; "" for none of the bitness lines
  } cases[] = {
      {true, false, 64, false, twin, true, "только для 32-разрядных программ, а этот тест драйвера 64-разрядный"},
      {false, true, 32, false, twin, true, "только для 64-разрядных программ, а этот тест драйвера 32-разрядный"},
      {true, false, 64, false, "", false, "32-разрядный тест драйвера не установлен"},
      {true, false, 64, true, twin, false, "запущен 32-разрядным и не передаёт запуск обратно"},
      {false, true, 32, true, twin, false, "запущен 64-разрядным и не передаёт запуск обратно"},
      {true, true, 64, false, twin, false, ""},   // its own view has it: the failure is elsewhere
      {false, false, 32, false, twin, false, ""},
      {true, false, 32, false, twin, false, ""},
  };
  for (const auto& c : cases) {
    const DriverFailure out = judgeDriverFailure(facts(c.in32, c.in64, c.own, c.handedOver, c.twin));
    EXPECT_EQ(out.handOver, c.handOver) << out.details;
    if (*c.line != '\0') {
      EXPECT_TRUE(has(out.details, c.line)) << out.details;
    } else {
      EXPECT_FALSE(has(out.details, "только для")) << out.details;
    }
  }
}

TEST(DriverFailure, DetailsSayWhatWasLookedUpAndTheSystemsWords) {
  const DriverFailure found = judgeDriverFailure(facts(true, false, 64, false, ""));
  EXPECT_EQ(found.details,
            "ProgID AddIn.DrvTarvo: класс {5B1C9F2E-0000-4000-8000-000000000001}\n"
            "CLSID\\{5B1C9F2E-0000-4000-8000-000000000001}\\InprocServer32: в 32-разрядном разделе реестра есть, "
            "в 64-разрядном нет\n"
            "Ошибка: Класс не зарегистрирован\n"
            "Драйвер зарегистрирован только для 32-разрядных программ, а этот тест драйвера 64-разрядный\n"
            "32-разрядный тест драйвера не установлен\n");
  DriverFailureFacts none = facts(false, false, 64, false, "");
  none.clsid.clear();
  none.failure = "No driver for 'AddIn.DrvTarvo'";
  EXPECT_EQ(judgeDriverFailure(none).details,
            "ProgID AddIn.DrvTarvo: класс не зарегистрирован\nОшибка: No driver for 'AddIn.DrvTarvo'\n");
  EXPECT_EQ(twinNotStarted(32, "файл не найден"), "32-разрядный тест драйвера не запущен: файл не найден\n");
}

}  // namespace
}  // namespace lk40::core
