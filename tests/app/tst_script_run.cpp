// The scripted run on the real main window over the recording driver: each
// kind of step through the controls an operator uses, boxes as outcomes, and
// names that the window has not.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>

#include "core/run_script.h"
#include "main_window_harness.h"
#include "script_run/script_runner.h"
#include "widgets/radio_group.h"
#include "support/recording_driver.h"

using lk40::core::Outcome;
Q_DECLARE_METATYPE(lk40::core::Outcome)

namespace {
lk40::core::Step stepOf(const char* line) {
  const lk40::core::Script script = lk40::core::parseScript(line);
  if (script.steps.size() != 1) qFatal("not one step: %s", line);
  return script.steps.front();
}
}  // namespace

class ScriptRunTest : public QObject {
  Q_OBJECT

 private slots:
  void stepsOneByOne() {
    MainWindowHarness h;
    ScriptRunner runner;
    h.onBox = [&](const ShownBox& box) { runner.recordBox(box.text, box.caption); };
    h.driver->failOn("SetZero", "нет связи");
    TfrmMain& window = h.start();

    struct Row {
      const char* line;
      Outcome outcome;
      const char* reason;  // a part of it, for Failed and Bad
    };
    const Row rows[] = {
        // Typed key by key: the typing limit of three, then the check on leaving.
        {"set Таймаут 12345", Outcome::Done, ""},
        {"expect edtTimeOut 123", Outcome::Passed, ""},
        {"set Скорость 19200", Outcome::Done, ""},
        {"set Скорость 1234", Outcome::Failed, "нет «1234»"},
        {"set Тара 5", Outcome::Failed, "на странице «Вес», она не показана"},
        {"page Вес", Outcome::Done, ""},
        {"set Тара 2,5", Outcome::Done, ""},
        {"expect Тара 2,5000", Outcome::Passed, ""},
        {"set \"Тип товара\" штучный", Outcome::Done, ""},
        {"expect \"Тип товара\" штучный", Outcome::Passed, ""},
        {"press Задать тару", Outcome::Done, ""},
        {"expect Label28 ~ ^Время выполнения \\d+ мс$", Outcome::Passed, ""},
        {"press Установить ноль", Outcome::Done, ""},
        {"expect box ~ нет связи", Outcome::Passed, ""},
        {"expect box ~ нет связи", Outcome::Failed, ""},  // each box is expected once
        {"expect Тара 2,5", Outcome::Failed, ""},
        // The shown page first: "Скорость" is on "Начало" and on "ЛУ".
        {"set Скорость 9600", Outcome::Bad, "несколько"},
        {"press Нет такой", Outcome::Bad, "нет кнопки «Нет такой»"},
        {"expect Нет 1", Outcome::Bad, "нет поля «Нет»"},
        // What takes no input refuses it, and the step fails.
        {"page Настройки", Outcome::Done, ""},
        {"set Memo4 текст", Outcome::Failed, "«Memo4» только для чтения"},
        {"page Градуировка", Outcome::Done, ""},
        {"set \"Состояние реперной точки\" \"Точка готова для измерения\"", Outcome::Failed, "заблокирован"},
        {"page Тест", Outcome::Failed, "скрыта"},
        {"page Весовые каналы", Outcome::Done, ""},
        {"set \"Канал включен\" нет", Outcome::Done, ""},
        {"set \"Канал включен\" может", Outcome::Failed, "«да» или «нет»"},
        // A window the run cannot drive is closed, not waited on.
        {"press О программе", Outcome::Failed, "«О программе»"},
        {"wait 30", Outcome::Done, ""},
    };
    for (const Row& row : rows) {
      const lk40::core::StepResult result = runner.runStep(window, stepOf(row.line));
      QVERIFY2(result.outcome == row.outcome, row.line);
      QVERIFY2(QString::fromStdString(result.reason).contains(QString::fromUtf8(row.reason)),
               qPrintable(QString::fromUtf8(row.line) + " → " + QString::fromStdString(result.reason)));
    }
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), 3);
    QCOMPARE(h.find<RadioGroup>("RadioGroup3")->itemIndex(), 1);
    QVERIFY(!h.find<QCheckBox>("CheckBox5")->isChecked());
    QCOMPARE(h.driver->value("Tare").toDouble(), 2.5);
    QCOMPARE(h.driver->callCount("SetTareValue"), 1);
  }

  void aBadStepEndsTheRunAtItsLine() {
    MainWindowHarness h;
    ScriptRunner runner;
    TfrmMain& window = h.start();
    std::string report;
    const int code = runScript(runner, window, "page Вес\n# a comment\npress Ноль\npress Установить ноль\n", report);
    QCOMPARE(code, int{lk40::core::kRunBad});
    QVERIFY2(report.find("строка 3: press Ноль — ОШИБКА СЦЕНАРИЯ") != std::string::npos, report.c_str());
    QVERIFY(report.find("строка 4") == std::string::npos);
    QCOMPARE(h.driver->callCount("SetZero"), 0);
  }

  // A box no `expect box` right after its step accounts for fails that step;
  // `expect box` sees every box since the previous one, a line each.
  void unexpectedBoxesFailTheirStep() {
    struct Row {
      const char* failing;  // the driver member that raises
      const char* script;
      int exitCode;
      std::vector<const char*> lines;
    };
    const Row rows[] = {
        {"SetZero", "page Вес\npress Установить ноль\nexpect Тара 0\n", lk40::core::kRunFailed,
         {"строка 2: press Установить ноль — НЕ ВЫПОЛНЕНО", "причина: окно, которого сценарий не ждёт"}},
        {"SetZero", "page Вес\npress Установить ноль\nexpect Тара 0\nexpect box ~ нет связи\n", lk40::core::kRunPassed,
         {"строка 2: press Установить ноль — выполнено"}},
        // The box that failed its step is not seen again by the next expect box.
        {"SetZero", "page Вес\npress Установить ноль\npress Установить ноль\nexpect box ~ ^[^\\n]+связи$\n",
         lk40::core::kRunFailed,
         {"строка 2: press Установить ноль — НЕ ВЫПОЛНЕНО", "строка 3: press Установить ноль — выполнено",
          "строка 4: expect box ~ ^[^\\n]+связи$ — верно"}},
        {"Connect", "page Вес\n", lk40::core::kRunFailed, {"при запуске окно:", "причина: окно при запуске"}},
        {"Connect", "expect box ~ .\npage Вес\n", lk40::core::kRunPassed, {"при запуске окно:"}},
    };
    for (const Row& row : rows) {
      MainWindowHarness h;
      ScriptRunner runner;
      h.onBox = [&](const ShownBox& box) { runner.recordBox(box.text, box.caption); };
      h.driver->failOn(row.failing, "нет связи");
      TfrmMain& window = h.start();
      std::string report;
      QCOMPARE(runScript(runner, window, row.script, report), row.exitCode);
      for (const char* line : row.lines) QVERIFY2(report.find(line) != std::string::npos, report.c_str());
    }
  }

  // Grids by cell, lists by row and by their bulb, captions, enabled states,
  // the window's caption and values named by the caption label beside them.
  void whatTheWindowShows() {
    MainWindowHarness h;
    h.arguments << QStringLiteral("-t");
    h.driver->set("LDCount", lk40::automation::Variant(2));
    h.driver->onCall("GetActiveLD", [](lk40::testing::RecordingDriver& d) { d.set("LDIndex", lk40::automation::Variant(1)); });
    h.driver->onCall("EnumLD", [](lk40::testing::RecordingDriver& d) {
      const int index = d.value("LDIndex").toInt();
      d.set("LDNumber", lk40::automation::Variant(index + 1));
      d.set("LDName", lk40::automation::Variant("Весы " + std::to_string(index + 1)));
    });
    ScriptRunner runner;
    TfrmMain& window = h.start();
    struct Row {
      const char* line;
      Outcome outcome;
      const char* part;  // of the reason, or of what was seen
    };
    const Row rows[] = {
        {"expect caption \"Тест драйвера весового модуля ЛК-40\"", Outcome::Passed, ""},
        {"expect Button36.caption \"Получить тип устройства\"", Outcome::Passed, ""},
        {"expect \"Получить тип устройства\".enabled да", Outcome::Passed, ""},
        {"page Тест", Outcome::Done, ""},
        {"expect StringGrid1[0,1] Значение", Outcome::Passed, ""},
        {"expect StringGrid1[1] \"1 | \"", Outcome::Passed, ""},
        {"expect StringGrid1[7,1] 5", Outcome::Failed, "в «StringGrid1» нет строки 7 (строк 2)"},
        {"expect StringGrid1[0,2] 5", Outcome::Failed, "нет столбца 2"},
        {"expect Измерений: ---------", Outcome::Passed, ""},
        {"expect Переполнений ---------", Outcome::Passed, ""},
        {"expect Button17.caption Старт", Outcome::Passed, ""},
        {"expect Label16.caption Измерений:", Outcome::Passed, ""},
        {"expect StringGrid1.enabled нет", Outcome::Failed, "да"},
        {"page ЛУ", Outcome::Done, ""},
        {"expect ListView1[1] \"2 | Весы 2\"", Outcome::Passed, ""},
        {"expect ListView1[0,1] \"Весы 1\"", Outcome::Passed, ""},
        {"expect ListView1.bulb 1", Outcome::Passed, ""},
        {"expect ListView1 ~ ^1 \\| Весы 1\\n2 ", Outcome::Passed, ""},
        {"expect Edit53.bulb 1", Outcome::Bad, "не список"},
        {"page Градуировка", Outcome::Done, ""},
        {"press SpeedButton1", Outcome::Done, ""},
        {"expect \"Показания АЦП\".enabled нет", Outcome::Passed, ""},
        {"press SpeedButton1", Outcome::Done, ""},
        {"expect \"Показания АЦП\".enabled да", Outcome::Passed, ""},
    };
    for (const Row& row : rows) {
      const lk40::core::StepResult result = runner.runStep(window, stepOf(row.line));
      const QString said = QString::fromStdString(result.reason + " / " + result.seen);
      QVERIFY2(result.outcome == row.outcome, qPrintable(QString::fromUtf8(row.line) + " → " + said));
      QVERIFY2(said.contains(QString::fromUtf8(row.part)), qPrintable(QString::fromUtf8(row.line) + " → " + said));
    }
  }

  // The steps after the press that opens the channel dialog act on the
  // dialog until one closes it; the press that closed it reports what the
  // main window then shows.
  void drivesTheChannelDialog() {
    MainWindowHarness h;
    ScriptRunner runner;
    TfrmMain& window = h.start();
    std::string report;
    const int code = runScript(runner, window,
                               "page Весовые каналы\n"
                               "press Записать хар-ки канала...\n"
                               "expect caption \"Запись характеристик весового канала\"\n"
                               "set НПВ 15\n"
                               "press расчет\n"
                               "expect Степень -3\n"
                               "set \"Тип канала\" виброчастотный\n"
                               "expect edtError ~ ^0:\n"
                               "press Записать\n"
                               "expect Label28 ~ ^Время\n"
                               "press Записать хар-ки канала...\n"
                               "page Вес\n"
                               "press Отмена\n"
                               "repeat 2\n"
                               "  press Записать хар-ки канала...\n"
                               "  press Отмена\n"
                               "end\n"
                               "press Записать хар-ки канала...\n"
                               "set НПВ 5\n",
                               report);
    QVERIFY2(code == int{lk40::core::kRunFailed}, report.c_str());
    for (const char* line : {"строка 2: press Записать хар-ки канала... — выполнено",
                             "строка 6: expect Степень -3 — верно", "строка 9: press Записать — выполнено",
                             "строка 10: expect Label28 ~ ^Время — верно",
                             "строка 12: page Вес — НЕ ВЫПОЛНЕНО", "сначала «Записать» или «Отмена»",
                             "строка 13: press Отмена — выполнено",
                             "строка 15, повтор 2 из 2: press Записать хар-ки канала... — выполнено",
                             "строка 16, повтор 2 из 2: press Отмена — выполнено", "строка 19: set НПВ 5 — выполнено",
                             "окно «Запись характеристик весового канала» осталось открытым: закрыто без записи",
                             "Итого: шагов 19, проверок 4, неудач 1, повторов 2; код выхода 1"})
      QVERIFY2(report.find(line) != std::string::npos, (std::string(line) + "\n" + report).c_str());
    QCOMPARE(h.driver->callCount("SetChannelParam"), 1);
    QCOMPARE(h.driver->value("ChannelMaxWeight").toDouble(), 15.0);
    QCOMPARE(h.driver->value("ChannelDegree").toInt(), -3);
    QCOMPARE(h.driver->value("ChannelFlags").toInt(), 1);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }

 private:
  static int runScript(ScriptRunner& runner, TfrmMain& window, const char* text, std::string& report) {
    const lk40::core::Script script = lk40::core::parseScript(text);
    lk40::core::RunReporter reporter(
        {}, [&](std::string_view part) { return report.append(part), true; }, [](int) {});
    runner.run(window, script.steps, reporter);
    return reporter.finish();
  }
};

QTEST_MAIN(ScriptRunTest)
#include "tst_script_run.moc"
