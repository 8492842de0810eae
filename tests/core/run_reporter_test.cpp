#include "core/run_reporter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace lk40::core {
namespace {

using std::chrono::milliseconds;

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Step `stuck` (0: the start-up) holds the thread for stuckMs, as a driver
// call that does not return; the others take a moment each.
TEST(RunReporter, ALimitPassedEndsTheReportFromTheWatch) {
  struct Case {
    const char* script;
    RunLimits limits;
    std::size_t stuck;
    int stuckMs;
    std::vector<const char*> lines;
    int exitCode;
  };
  const Case cases[] = {
      {"press A\npress B\npress C\n", {0, 300}, 2, 5000,
       {"строка 1: press A — выполнено", "строка 2: press B — ВРЕМЯ ВЫШЛО, ",
        "  причина: шаг идёт дольше 300 мс (--step-timeout)\n",
        "Итого: шагов 1, проверок 0, неудач 0; время вышло: строка 2; код выхода 3\n"},
       kRunTimedOut},
      // A wait's own time is its own; the limit runs beyond it.
      {"wait 400\npress B\n", {0, 400}, 1, 400, {"строка 1: wait 400 — выполнено", "; код выхода 0\n"}, kRunPassed},
      {"wait 100\npress B\n", {0, 100}, 1, 5000,
       {"причина: шаг идёт дольше 100 мс своего времени и ещё 100 мс (--step-timeout)"}, kRunTimedOut},
      {"press A\npress B\npress C\n", {700, 10000}, 3, 5000,
       {"строка 2: press B — выполнено", "строка 3: press C — ВРЕМЯ ВЫШЛО",
        "причина: сценарий идёт дольше 700 мс (--timeout)", "время вышло: строка 3; код выхода 3"},
       kRunTimedOut},
      {"press A\n", {0, 300}, 0, 5000, {"запуск — ВРЕМЯ ВЫШЛО", "время вышло: запуск; код выхода 3"}, kRunTimedOut},
  };
  for (const Case& c : cases) {
    const Script script = parseScript(c.script);
    std::string text;
    std::atomic<int> overrun{-1};
    RunReporter reporter(
        c.limits,
        [&](std::string_view part) {
          text.append(part);
          return true;
        },
        [&](int code) { overrun = code; });
    // Stuck for stuckMs, or until the watch has ended the report.
    const auto stuck = [&] {
      const auto until = std::chrono::steady_clock::now() + milliseconds(c.stuckMs);
      while (overrun == -1 && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(milliseconds(5));
    };
    if (c.stuck == 0) stuck();
    for (std::size_t i = 0; i < script.steps.size(); ++i) {
      reporter.stepStarted(RunStep::of(script.steps[i]));
      if (i + 1 == c.stuck)
        stuck();
      else
        std::this_thread::sleep_for(milliseconds(20));
      reporter.stepDone(RunStep::of(script.steps[i]), StepResult{});
    }
    EXPECT_EQ(reporter.finish(), c.exitCode) << c.script << text;
    EXPECT_EQ(overrun, c.exitCode == kRunTimedOut ? kRunTimedOut : -1) << c.script;
    for (const char* line : c.lines) EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    // Nothing after the end, whoever ended it.
    EXPECT_EQ(count(text, "Итого:"), 1u) << text;
    EXPECT_EQ(text.rfind("Итого:"), text.rfind('\n', text.size() - 2) + 1) << text;
  }
}

// The run's own end and the watch's, as close together as they come: one
// summary, one exit code, never both and never torn.
TEST(RunReporter, OneEndWhoeverComesFirst) {
  const Script script = parseScript("press A\n");
  int ends[2] = {0, 0};
  for (int i = 0; i < 300; ++i) {
    std::string text;
    std::atomic<int> overrun{-1};
    RunReporter reporter(
        {0, 1},
        [&](std::string_view part) {
          text.append(part);
          return true;
        },
        [&](int code) { overrun = code; });
    reporter.stepStarted(RunStep::of(script.steps[0]));
    // Up to 16 ms: Windows wakes sleepers at its clock's tick, about 15.6 ms,
    // so shorter steps there end before the 1 ms watch ever looks.
    std::this_thread::sleep_for(std::chrono::microseconds(i % 5 * 4000));
    reporter.stepDone(RunStep::of(script.steps[0]), StepResult{});
    const int code = reporter.finish();
    EXPECT_EQ(count(text, "Итого:"), 1u) << text;
    EXPECT_EQ(code == kRunTimedOut, overrun == kRunTimedOut) << text;
    EXPECT_EQ(code == kRunTimedOut, count(text, "ВРЕМЯ ВЫШЛО") == 1) << text;
    ++ends[code == kRunTimedOut];
  }
  EXPECT_GT(ends[1], 0) << "the watch never came first";
}

// Cut short by the watch, the JUnit file still ends whole: the step that
// overran as an error, the statistics as properties.
TEST(RunReporter, TheWatchFinishesTheJunitFileToo) {
  const Script script = parseScript("press A\nexpect edtError 0\npress B\n");
  std::string file, finished;
  auto junit = std::make_unique<JunitOutput>(JunitOutput{
      JunitReport("s.txt", "2026-12-01T09:30:00"),
      [&](const std::vector<FilePatch>& patches) {
        for (const FilePatch& p : patches) {
          if (p.offset + p.bytes.size() > file.size()) file.resize(p.offset + p.bytes.size());
          file.replace(p.offset, p.bytes.size(), p.bytes);
        }
        return true;
      },
      [&](const JunitReport::Finished& f) {
        finished = f.head + file.substr(f.bodyBegin, f.bodyEnd - f.bodyBegin) + f.tail;
        return true;
      }});
  file = junit->report.begin();
  std::atomic<int> overrun{-1};
  RunReporter reporter({0, 200}, [](std::string_view) { return true; }, [&](int code) { overrun = code; },
                       std::move(junit));
  StepCursor cursor(script.steps);
  reporter.stepStarted(cursor.current());
  reporter.countCalls([](CallStatistics& calls) { calls.add("GetMode", 0, 12); });
  reporter.stepDone(cursor.current(), StepResult{});
  cursor.next();
  reporter.stepStarted(cursor.current());
  reporter.stepDone(cursor.current(), checkExpectation(*cursor.step(), "0"));
  cursor.next();
  reporter.stepStarted(cursor.current());
  while (overrun == -1) std::this_thread::sleep_for(milliseconds(5));
  EXPECT_EQ(reporter.finish(), kRunTimedOut);
  EXPECT_TRUE(reporter.junitWritten());
  EXPECT_NE(finished.find("<property name=\"GetMode.code.0\" value=\"1\"/>"), std::string::npos) << finished;
  EXPECT_NE(finished.find("<property name=\"exit.code\" value=\"3\"/>"), std::string::npos) << finished;
  EXPECT_NE(finished.find("<testcase name=\"строка 3: press B\" classname=\"s\""), std::string::npos) << finished;
  EXPECT_NE(finished.find("<error type=\"timeout\" message=\"шаг идёт дольше 200 мс (--step-timeout)\">"),
            std::string::npos)
      << finished;
  EXPECT_NE(finished.find("tests=\"2\" failures=\"0\" errors=\"1\""), std::string::npos) << finished;
}

}  // namespace
}  // namespace lk40::core
