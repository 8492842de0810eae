// The report of a scripted run: what each step did, the status panel after
// it, the summary and the run's exit code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_cursor.h"
#include "core/run_script.h"

namespace lk40::core {

// The exit codes of a scripted run.
enum RunExit : int {
  kRunPassed = 0,  // every expectation held
  kRunFailed = 1,  // an expectation failed or a step could not be carried out
  kRunBad = 2,     // the command line or the script is bad, or no driver
  kRunTimedOut = 3,  // a step or the whole run went past its time limit
};

// The status panel after a step: edtError, edtSend, edtRecieve and Label28.
struct StatusFields {
  std::string error;
  std::string send;
  std::string receive;
  std::string executionTime;
};

enum class Outcome {
  Done,    // carried out
  Passed,  // an expectation held
  Failed,  // an expectation did not hold, or the step could not be carried out
  Bad,     // the script names what the window has not: the run stops here
};

struct StepResult {
  Outcome outcome = Outcome::Done;
  StatusFields status;
  uint32_t elapsedMs = 0;          // the step's own time
  std::vector<std::string> boxes;  // each message box the step raised, boxText
  std::string seen;                // an expectation's: the text the field held
  std::string reason;              // Failed other than by an expectation, Bad: why
};

// A message box as a step's outcome and as `expect box` compares it:
// "Внимание: Файл не создан!".
std::string boxText(std::string_view caption, std::string_view text);

// What `expect box` compares: the boxes since the previous one, a line each.
std::string boxesText(const std::vector<std::string>& boxes);

// The result of an expectation given what the field (or the boxes) hold.
StepResult checkExpectation(const Step& step, const std::string& seen);

// The report's lines for one step, each ending in "\n": the step with its
// place, outcome and time; the status fields; the boxes; for a failed
// expectation what was expected and what was seen.
std::string stepReport(const RunStep& at, const StepResult& result);

// What a failed expectation expected and saw, in one line: "ожидалось «7»,
// получено «4»".
std::string expectationMismatch(const Step& step, const StepResult& result);

// The lines for what went past its time limit while it still runs ("строка
// 3: press Button15", "запуск"): elapsed milliseconds and why.
std::string overrunReport(std::string_view what, uint32_t elapsedMs, std::string_view reason);

// "<script>:<line>: <message>\n" for each bad line, the included file's name
// in place of the script's for a line of one; "<script>: <message>\n" for
// one of the script as a whole (line 0).
std::string scriptErrorsReport(std::string_view scriptName, const std::vector<ScriptError>& errors);

// What --check says of a script without errors: "a.txt: ошибок нет; шагов
// 12, из них проверок 5; блоков repeat 2; вставленных файлов 1\n" (steps
// and expectations as written, each loop's once).
std::string checkedScript(std::string_view scriptName, const Script& script);

// Counts the steps as they are reported and gives the summary and exit code.
class RunTally {
 public:
  void count(const RunStep& at, const StepResult& result);
  // Boxes of the start-up that no `expect box` before the first action takes.
  void startupFailed() { ++failed_; }
  // A step ("строка 3") or a phase ("запуск") went past its time limit; the
  // run ends there.
  void timedOut(std::string where);
  // kRunTimedOut once timed out, else kRunBad after a Bad step, else
  // kRunFailed after a Failed one, else kRunPassed.
  int exitCode() const;
  // One line, ending in "\n".
  std::string summary() const;

  uint64_t steps() const { return steps_; }
  uint64_t expectations() const { return expectations_; }
  uint64_t failures() const { return failed_; }
  uint64_t repeats() const { return repeats_; }

 private:
  uint64_t steps_ = 0;
  uint64_t expectations_ = 0;
  uint64_t failed_ = 0;
  uint64_t repeats_ = 0;
  bool bad_ = false;
  std::string badPlace_;
  std::string timedOut_;  // where, once timed out
};

}  // namespace lk40::core
