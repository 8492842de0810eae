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
    const lk40::core::Script script =
        lk40::core::parseScript("page Вес\n# a comment\npress Ноль\npress Установить ноль\n");
    std::string report;
    const int code = runner.run(window, script.steps, [&](const std::string& text) { report += text; });
    QCOMPARE(code, int{lk40::core::kRunBad});
    QVERIFY2(report.find("строка 3: press Ноль — ОШИБКА СЦЕНАРИЯ") != std::string::npos, report.c_str());
    QVERIFY(report.find("строка 4") == std::string::npos);
    QCOMPARE(h.driver->callCount("SetZero"), 0);
  }
};

QTEST_MAIN(ScriptRunTest)
#include "tst_script_run.moc"
