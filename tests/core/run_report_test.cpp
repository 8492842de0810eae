#include "core/run_report.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

Step stepOf(const char* line) { return parseScript(line).steps.at(0); }
std::string reportOf(const Step& step, const StepResult& result) { return stepReport(RunStep::of(step), result); }

const StatusFields kStatus{"-1: Нет связи", "02 05", "", "Время выполнения 12 мс"};

TEST(RunReport, StepWithStatusBoxesAndOutcome) {
  StepResult pressed;
  pressed.status = kStatus;
  pressed.elapsedMs = 15;
  pressed.boxes = {boxText("Внимание", "Файл не создан!"), "Ошибка: одна\r\nдве"};
  EXPECT_EQ(reportOf(stepOf("press Button15 # start"), pressed),
            "строка 1: press Button15 — выполнено, 15 мс\n"
            "  edtError: -1: Нет связи\n  edtSend: 02 05\n  edtRecieve: \n  Label28: Время выполнения 12 мс\n"
            "  окно: Внимание: Файл не создан!\n  окно: Ошибка: одна\n        две\n");

  StepResult failed = checkExpectation(stepOf("expect edtError ~ ^0:"), kStatus.error);
  failed.status = kStatus;
  const std::string report = reportOf(stepOf("expect edtError ~ ^0:"), failed);
  EXPECT_EQ(report.substr(0, report.find('\n')), "строка 1: expect edtError ~ ^0: — НЕВЕРНО, 0 мс");
  EXPECT_NE(report.find("\n  ожидалось: ~ «^0:»\n  получено: «-1: Нет связи»\n"), std::string::npos) << report;

  StepResult refused;
  refused.outcome = Outcome::Failed;
  refused.reason = "кнопка недоступна";
  EXPECT_NE(reportOf(stepOf("press Button15"), refused).find("— НЕ ВЫПОЛНЕНО, 0 мс\n"), std::string::npos);
  EXPECT_NE(reportOf(stepOf("press Button15"), refused).find("\n  причина: кнопка недоступна\n"), std::string::npos);
}

TEST(RunReport, ExitCodeAndSummary) {
  const Step press = stepOf("press Button15");
  const Step expect = stepOf("expect box \"\"");
  StepResult done;
  const StepResult held = checkExpectation(expect, "");
  const StepResult missed = checkExpectation(expect, "Внимание: Файл не создан!");
  StepResult bad;
  bad.outcome = Outcome::Bad;

  RunTally tally;
  EXPECT_EQ(tally.exitCode(), kRunPassed);
  tally.count(RunStep::of(press), done);
  tally.count(RunStep::of(expect), held);
  EXPECT_EQ(tally.exitCode(), kRunPassed);
  EXPECT_EQ(tally.summary(), "Итого: шагов 2, проверок 1, неудач 0; код выхода 0\n");
  tally.count(RunStep::of(expect), missed);
  EXPECT_EQ(tally.exitCode(), kRunFailed);
  Step later = press;
  later.line = 9;
  tally.count(RunStep::of(later), bad);
  EXPECT_EQ(tally.exitCode(), kRunBad);
  EXPECT_EQ(tally.summary(), "Итого: шагов 4, проверок 2, неудач 1; сценарий прерван: строка 9; код выхода 2\n");

  EXPECT_EQ(scriptErrorsReport("a.txt", parseScript("page\nwait x").errors),
            "a.txt:1: page: не указана страница\na.txt:2: wait: нужно число миллисекунд от 0 до 86400000\n");
  EXPECT_EQ(scriptErrorsReport("a.txt", parseScript("").errors), "a.txt: в сценарии нет ни одного шага\n");
}

}  // namespace
}  // namespace lk40::core
