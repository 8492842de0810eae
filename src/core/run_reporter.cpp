#include "core/run_reporter.h"

#include <algorithm>

namespace lk40::core {

namespace {

// "60 с", or "1500 мс" where the limit is no whole number of seconds.
std::string durationText(uint64_t ms) {
  return ms % 1000 == 0 ? std::to_string(ms / 1000) + " с" : std::to_string(ms) + " мс";
}

}  // namespace

RunReporter::RunReporter(RunLimits limits, Output output, Overrun overrun, std::unique_ptr<JunitOutput> junit)
    : limits_(limits),
      output_(std::move(output)),
      overrun_(std::move(overrun)),
      junit_(std::move(junit)),
      started_(Clock::now()),
      stepStarted_(started_),
      watch_([this] { watch(); }) {}

RunReporter::~RunReporter() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
  }
  wake_.notify_all();
  watch_.join();
}

void RunReporter::put(std::string_view text) {
  if (!output_(text)) written_ = false;
}

void RunReporter::putJunit(const std::vector<FilePatch>& patches) {
  if (junit_ && !junit_->apply(patches)) junitWritten_ = false;
}

uint32_t RunReporter::runMs() const {
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_).count());
}

void RunReporter::write(std::string_view text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!ended_) put(text);
}

void RunReporter::startupBoxes(const std::vector<std::string>& boxes, bool expected) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (ended_ || boxes.empty()) return;
  std::string lines;
  for (const std::string& box : boxes) lines += "  при запуске окно: " + box + "\n";
  put(lines);
  if (expected) return;
  const std::string reason = "окно при запуске, которого сценарий не ждёт: до первого действия нет expect box";
  put("  причина: " + reason + "\n");
  tally_.startupFailed();
  if (junit_) putJunit(junit_->report.error("запуск", "box", reason, lines, runMs()));
}

void RunReporter::stepStarted(RunStep at) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    step_ = std::move(at);
    stepStarted_ = Clock::now();
  }
  wake_.notify_all();
}

void RunReporter::phaseStarted(std::string name) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    step_ = {};
    phase_ = std::move(name);
    stepStarted_ = Clock::now();
  }
  wake_.notify_all();
}

void RunReporter::stepDone(const RunStep& at, const StepResult& result) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (ended_) return;
  tally_.count(at, result);
  const std::string text = stepReport(at, result);
  put(text);
  if (junit_) putJunit(junit_->report.step(at, result, text, runMs()));
}

void RunReporter::countCalls(const std::function<void(CallStatistics&)>& add) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!ended_) add(calls_);
}

void RunReporter::close() {
  put(calls_.reportLines());
  put(tally_.summary());
  ended_ = true;
  exitCode_ = tally_.exitCode();
  if (!junit_) return;
  RunProperties properties{{"steps", std::to_string(tally_.steps())},
                           {"expectations", std::to_string(tally_.expectations())},
                           {"failures", std::to_string(tally_.failures())},
                           {"repeats", std::to_string(tally_.repeats())},
                           {"exit.code", std::to_string(exitCode_)}};
  for (auto& property : calls_.properties()) properties.push_back(std::move(property));
  if (!junit_->finish(junit_->report.finish(properties, runMs()))) junitWritten_ = false;
}

void RunReporter::abandon(const std::string& why, bool intoReport) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (ended_) return;
    if (intoReport) put(why);
    ended_ = true;
    exitCode_ = kRunBad;
    if (junit_) {
      putJunit(junit_->report.error("запуск", "driver", why, why, runMs()));
      if (!junit_->finish(junit_->report.finish({}, runMs()))) junitWritten_ = false;
    }
  }
  wake_.notify_all();
}

int RunReporter::finish() {
  int exitCode = kRunPassed;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!ended_) close();
    exitCode = exitCode_;
  }
  wake_.notify_all();
  return exitCode;
}

bool RunReporter::written() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return written_;
}

bool RunReporter::junitWritten() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return junitWritten_;
}

void RunReporter::watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!ended_) {
    const uint64_t ownMs = step_.step ? step_.step->ownMs() : 0;
    const Clock::time_point stepDeadline = stepStarted_ + std::chrono::milliseconds(ownMs + limits_.stepMs);
    const Clock::time_point runDeadline = started_ + std::chrono::milliseconds(limits_.runMs);
    const Clock::time_point deadline = limits_.runMs > 0 ? std::min(stepDeadline, runDeadline) : stepDeadline;
    if (Clock::now() >= deadline) {
      end();
      return;
    }
    // Woken early by a new step or the end; the deadline is worked out anew.
    wake_.wait_until(lock, deadline);
  }
}

void RunReporter::end() {
  const Clock::time_point now = Clock::now();
  const uint64_t ownMs = step_.step ? step_.step->ownMs() : 0;
  const bool stepOver = now >= stepStarted_ + std::chrono::milliseconds(ownMs + limits_.stepMs);
  std::string reason;
  if (!stepOver)
    reason = "сценарий идёт дольше " + durationText(limits_.runMs) + " (--timeout)";
  else if (!step_.step)
    reason = phase_ + " идёт дольше " + durationText(limits_.stepMs) + " (--step-timeout)";
  else
    reason = "шаг идёт дольше " + (ownMs > 0 ? durationText(ownMs) + " своего времени и ещё " : std::string()) +
             durationText(limits_.stepMs) + " (--step-timeout)";
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - stepStarted_).count();
  const std::string where = step_.step ? step_.place : phase_;
  const std::string what = step_.step ? where + ": " + step_.step->source : where;
  const std::string text = overrunReport(what, static_cast<uint32_t>(elapsed), reason);
  put(text);
  tally_.timedOut(where);
  if (junit_) putJunit(junit_->report.error(what, "timeout", reason, text, runMs()));
  close();
  overrun_(exitCode_);
}

}  // namespace lk40::core
