// The report of a scripted run as it goes, and its time limits. Each step's
// lines reach the output the moment the step is done, so that what ran is on
// record whatever happens next. A driver call that never returns holds the
// user-interface thread, so the limits are kept by a thread of the reporter's
// own: past one, it writes the overrun and the summary and hands over the
// exit code. Whichever ends the report first, the run or the watch, ends it;
// the other writes nothing more.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/run_cursor.h"
#include "core/run_junit.h"
#include "core/run_report.h"
#include "core/run_script.h"
#include "core/run_statistics.h"

namespace lk40::core {

inline constexpr uint32_t kDefaultStepLimitMs = 60 * 1000;

struct RunLimits {
  uint32_t runMs = 0;                     // the whole run, start-up included; 0: none
  uint32_t stepMs = kDefaultStepLimitMs;  // the start-up, and a step beyond its own wait or display time
};

// The JUnit file beside the report: its document and where its writes go.
struct JunitOutput {
  JunitReport report;
  std::function<bool(const std::vector<FilePatch>&)> apply;
  std::function<bool(const JunitReport::Finished&)> finish;
};

class RunReporter {
 public:
  // Writes the bytes whole (they may hold NUL); false when they did not all
  // reach their place. Called under the reporter's lock only.
  using Output = std::function<bool(std::string_view)>;
  // Called once, from the watch, when a limit is passed, with the report
  // ended and still under its lock, so that nothing can follow it: a process
  // ends here (std::_Exit); a test returns.
  using Overrun = std::function<void(int exitCode)>;

  // The watch starts at once, timing the start-up until the first step.
  RunReporter(RunLimits limits, Output output, Overrun overrun, std::unique_ptr<JunitOutput> junit = nullptr);
  ~RunReporter();
  RunReporter(const RunReporter&) = delete;
  RunReporter& operator=(const RunReporter&) = delete;

  // Lines outside the steps: the header.
  void write(std::string_view text);
  // The boxes the window raised as it started, a line each; unless
  // `expected`, they count as a failure of the run.
  void startupBoxes(const std::vector<std::string>& boxes, bool expected);
  // The step now carried out; its limit runs from here.
  void stepStarted(RunStep at);
  // Work outside the steps ("запуск" until the first step, "закрытие"),
  // timed with the step limit.
  void phaseStarted(std::string name);
  // Counts the step and writes its lines.
  void stepDone(const RunStep& at, const StepResult& result);
  // The driver calls made since the last time, into the statistics.
  void countCalls(const std::function<void(CallStatistics&)>& add);
  // The run could not start (no driver): `why` into the report when
  // `intoReport`, an error testcase into the JUnit file, and no summary.
  void abandon(const std::string& why, bool intoReport);
  // Writes the statistics and the summary, unless the watch has ended the
  // report, and stops the watch. The run's exit code either way.
  int finish();

  // False once a write of the report failed.
  bool written() const;
  // False once a write of the JUnit file failed.
  bool junitWritten() const;

 private:
  using Clock = std::chrono::steady_clock;

  void watch();
  void end();  // under the lock: the watch ends the report
  void put(std::string_view text);
  void putJunit(const std::vector<FilePatch>& patches);
  void close();  // under the lock: the statistics, the summary, the JUnit file finished
  uint32_t runMs() const;

  const RunLimits limits_;
  const Output output_;
  const Overrun overrun_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  RunTally tally_;
  CallStatistics calls_;
  std::unique_ptr<JunitOutput> junit_;
  const Clock::time_point started_;
  RunStep step_;  // step_.step nullptr: phase_
  std::string phase_ = "запуск";
  Clock::time_point stepStarted_;
  bool ended_ = false;
  bool written_ = true;
  bool junitWritten_ = true;
  int exitCode_ = kRunPassed;
  std::thread watch_;  // last: it starts once everything above is made
};

}  // namespace lk40::core
