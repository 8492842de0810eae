#include "core/run_reporter.h"

#include <algorithm>

namespace lk40::core {

namespace {

// "60 с", or "1500 мс" where the limit is no whole number of seconds.
std::string durationText(uint64_t ms) {
  return ms % 1000 == 0 ? std::to_string(ms / 1000) + " с" : std::to_string(ms) + " мс";
}

}  // namespace

RunReporter::RunReporter(RunLimits limits, Output output, Overrun overrun)
    : limits_(limits),
      output_(std::move(output)),
      overrun_(std::move(overrun)),
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

void RunReporter::write(std::string_view text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!ended_) put(text);
}

void RunReporter::startupBoxes(const std::vector<std::string>& boxes, bool expected) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (ended_ || boxes.empty()) return;
  for (const std::string& box : boxes) put("  при запуске окно: " + box + "\n");
  if (expected) return;
  put("  причина: окно при запуске, которого сценарий не ждёт: до первого действия нет expect box\n");
  tally_.startupFailed();
}

void RunReporter::stepStarted(const Step& step) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    step_ = &step;
    stepStarted_ = Clock::now();
  }
  wake_.notify_all();
}

void RunReporter::phaseStarted(std::string name) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    step_ = nullptr;
    phase_ = std::move(name);
    stepStarted_ = Clock::now();
  }
  wake_.notify_all();
}

void RunReporter::stepDone(const Step& step, const StepResult& result) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (ended_) return;
  tally_.count(step, result);
  put(stepReport(step, result));
}

int RunReporter::finish() {
  int exitCode = kRunPassed;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!ended_) {
      put(tally_.summary());
      ended_ = true;
      exitCode_ = tally_.exitCode();
    }
    exitCode = exitCode_;
  }
  wake_.notify_all();
  return exitCode;
}

bool RunReporter::written() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return written_;
}

void RunReporter::watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!ended_) {
    const uint64_t ownMs = step_ ? step_->ms : 0;
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
  const uint64_t ownMs = step_ ? step_->ms : 0;
  const bool stepOver = now >= stepStarted_ + std::chrono::milliseconds(ownMs + limits_.stepMs);
  std::string reason;
  if (!stepOver)
    reason = "сценарий идёт дольше " + durationText(limits_.runMs) + " (--timeout)";
  else if (!step_)
    reason = phase_ + " идёт дольше " + durationText(limits_.stepMs) + " (--step-timeout)";
  else
    reason = "шаг идёт дольше " + (ownMs > 0 ? durationText(ownMs) + " своего времени и ещё " : std::string()) +
             durationText(limits_.stepMs) + " (--step-timeout)";
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - stepStarted_).count();
  const std::string where = step_ ? "строка " + std::to_string(step_->line) : phase_;
  put(overrunReport(step_ ? where + ": " + step_->source : where, static_cast<uint32_t>(elapsed), reason));
  tally_.timedOut(where);
  put(tally_.summary());
  ended_ = true;
  exitCode_ = tally_.exitCode();
  overrun_(exitCode_);
}

}  // namespace lk40::core
