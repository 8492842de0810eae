#include "core/run_report.h"

#include <algorithm>

namespace lk40::core {

namespace {

std::string_view outcomeText(const Step& step, Outcome outcome) {
  switch (outcome) {
    case Outcome::Done: return "выполнено";
    case Outcome::Passed: return "верно";
    case Outcome::Failed: return step.isExpectation() ? "НЕВЕРНО" : "НЕ ВЫПОЛНЕНО";
    case Outcome::Bad: return "ОШИБКА СЦЕНАРИЯ";
  }
  return {};
}

// Characters, not bytes: UTF-8 continuation bytes are not counted.
std::size_t width(std::string_view utf8) {
  std::size_t count = 0;
  for (const char ch : utf8) count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return count;
}

// "  label: value\n", a value of several lines indented under its first.
void field(std::string& out, std::string_view label, std::string_view value) {
  out += "  ";
  out += label;
  out += ": ";
  for (const char ch : value) {
    if (ch == '\r') continue;
    out += ch;
    if (ch == '\n') out.append(width(label) + 4, ' ');
  }
  out += '\n';
}

std::string quoted(std::string_view text) { return "«" + std::string(text) + "»"; }

std::string expected(const Step& step) {
  if (step.kind == StepKind::ExpectTime) return "время < " + std::to_string(step.ms) + " мс";
  return (step.pattern ? "~ " : "") + quoted(step.text);
}

}  // namespace


std::string boxText(std::string_view caption, std::string_view text) {
  return std::string(caption) + ": " + std::string(text);
}

std::string boxesText(const std::vector<std::string>& boxes) {
  std::string text;
  for (const std::string& box : boxes) {
    if (!text.empty()) text += '\n';
    text += box;
  }
  return text;
}

StepResult checkExpectation(const Step& step, const std::string& seen) {
  StepResult result;
  result.outcome = step.accepts(seen) ? Outcome::Passed : Outcome::Failed;
  result.seen = seen;
  return result;
}

std::string expectationMismatch(const Step& step, const StepResult& result) {
  return "ожидалось " + expected(step) + ", получено " + quoted(result.seen);
}

std::string stepReport(const RunStep& at, const StepResult& result) {
  const Step& step = *at.step;
  std::string out = at.place + ": " + step.source + " — ";
  out += outcomeText(step, result.outcome);
  out += ", " + std::to_string(result.elapsedMs) + " мс\n";
  field(out, "edtError", result.status.error);
  field(out, "edtSend", result.status.send);
  field(out, "edtRecieve", result.status.receive);
  field(out, "Label28", result.status.executionTime);
  for (const std::string& box : result.boxes) field(out, "окно", box);
  if (result.outcome == Outcome::Failed && step.isExpectation()) {
    field(out, "ожидалось", expected(step));
    field(out, "получено", quoted(result.seen));
  }
  if (!result.reason.empty()) field(out, "причина", result.reason);
  return out;
}

std::string overrunReport(std::string_view what, uint32_t elapsedMs, std::string_view reason) {
  std::string out(what);
  out += " — ВРЕМЯ ВЫШЛО, " + std::to_string(elapsedMs) + " мс\n";
  field(out, "причина", reason);
  return out;
}

std::string scriptErrorsReport(std::string_view scriptName, const std::vector<ScriptError>& errors) {
  std::string out;
  for (const ScriptError& error : errors) {
    out += error.file.empty() ? std::string(scriptName) : error.file;
    if (error.line > 0) out += ":" + std::to_string(error.line);
    out += ": " + error.message + "\n";
  }
  return out;
}

std::string checkedScript(std::string_view scriptName, const Script& script) {
  std::size_t steps = 0, expectations = 0, loops = 0;
  std::vector<std::string_view> files;
  for (const Step& step : script.steps) {
    if (step.kind == StepKind::Repeat) ++loops;
    if (step.acts() || step.isExpectation()) ++steps;
    if (step.isExpectation()) ++expectations;
    if (!step.file.empty() && std::find(files.begin(), files.end(), step.file) == files.end()) files.push_back(step.file);
  }
  return std::string(scriptName) + ": ошибок нет; шагов " + std::to_string(steps) + ", из них проверок " +
         std::to_string(expectations) + "; блоков repeat " + std::to_string(loops) + "; вставленных файлов " +
         std::to_string(files.size()) + "\n";
}

void RunTally::count(const RunStep& at, const StepResult& result) {
  ++steps_;
  repeats_ = at.repeats;
  if (at.step->isExpectation()) ++expectations_;
  if (result.outcome == Outcome::Failed) ++failed_;
  if (result.outcome == Outcome::Bad && !bad_) {
    bad_ = true;
    badPlace_ = at.place;
  }
}

void RunTally::timedOut(std::string where) { timedOut_ = std::move(where); }

int RunTally::exitCode() const {
  if (!timedOut_.empty()) return kRunTimedOut;
  if (bad_) return kRunBad;
  return failed_ != 0 ? kRunFailed : kRunPassed;
}

std::string RunTally::summary() const {
  std::string out = "Итого: шагов " + std::to_string(steps_) + ", проверок " + std::to_string(expectations_) +
                    ", неудач " + std::to_string(failed_);
  if (repeats_ > 0) out += ", повторов " + std::to_string(repeats_);
  if (bad_) out += "; сценарий прерван: " + badPlace_;
  if (!timedOut_.empty()) out += "; время вышло: " + timedOut_;
  return out + "; код выхода " + std::to_string(exitCode()) + "\n";
}

}  // namespace lk40::core
