#include "core/run_options.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

using Args = std::vector<std::string>;

TEST(RunOptions, TakesItsOwnAndLeavesTheRest) {
  struct Case {
    Args args;
    const char* script;
    const char* report;
    Args rest;
  };
  const Case cases[] = {
      {{}, "", "", {}},
      {{"w.log", "200", "5", "-t"}, "", "", {"w.log", "200", "5", "-t"}},
      {{"--run", "a.txt"}, "a.txt", "", {}},
      {{"-t", "--report", "r.txt", "--run", "сценарий.txt"}, "сценарий.txt", "r.txt", {"-t"}},
      {{"--run=a.txt", "--report=r.txt", "x"}, "a.txt", "r.txt", {"x"}},
      {{"--running", "a.txt"}, "", "", {"--running", "a.txt"}},
  };
  for (const Case& c : cases) {
    const RunOptions options = parseRunOptions(c.args);
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.script, c.script);
    EXPECT_EQ(options.report, c.report);
    EXPECT_EQ(options.rest, c.rest);
    EXPECT_EQ(options.scripted(), *c.script != '\0');
  }
}

TEST(RunOptions, ClearErrors) {
  const std::pair<Args, const char*> cases[] = {
      {{"--run"}, "--run: не указан файл сценария"},
      {{"--run="}, "--run: не указан файл сценария"},
      {{"--run", "--report", "r.txt"}, "--run: не указан файл сценария"},
      {{"--run", "a.txt", "--report"}, "--report: не указан файл отчёта"},
      {{"--run", "a.txt", "--run", "b.txt"}, "--run: указан дважды"},
      {{"--report", "r.txt"}, "--report: нужен --run"},
      {{"--run", "a.txt", "--report", "./a.txt"}, "--report: отчёт записался бы поверх сценария"},
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(parseRunOptions(args).error, error) << args[0];
}

}  // namespace
}  // namespace lk40::core
