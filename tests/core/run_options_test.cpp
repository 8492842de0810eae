#include "core/run_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

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
      {{"--run", "a.txt", "--timeout", "5", "--step-timeout=600"}, "a.txt", "", {}},
  };
  for (const Case& c : cases) {
    const RunOptions options = parseRunOptions(c.args);
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.script, c.script);
    EXPECT_EQ(options.report, c.report);
    EXPECT_EQ(options.rest, c.rest);
    EXPECT_EQ(options.scripted(), *c.script != '\0');
  }
  const RunLimits limits = parseRunOptions({"--run", "a.txt", "--timeout", "5", "--step-timeout=600"}).limits;
  EXPECT_EQ(limits.runMs, 5000u);
  EXPECT_EQ(limits.stepMs, 600000u);
  EXPECT_EQ(parseRunOptions({"--run", "a.txt"}).limits.runMs, 0u);
  EXPECT_EQ(parseRunOptions({"--run", "a.txt"}).limits.stepMs, kDefaultStepLimitMs);
  const RunOptions all = parseRunOptions({"--run", "a.txt", "--junit=j.xml", "-t"});
  EXPECT_EQ(all.junit, "j.xml");
  EXPECT_EQ(all.rest, Args{"-t"});
  EXPECT_EQ(parseRunOptions({"--check", "a.txt"}).check, "a.txt");
  EXPECT_FALSE(parseRunOptions({"--check", "a.txt"}).scripted());
  EXPECT_EQ(parseRunOptions({"--record", "r.txt", "-t"}).record, "r.txt");
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
      {{"--run", "a.txt", "--timeout", "0"}, "--timeout: нужно целое число секунд от 1 до 2592000"},
      {{"--run", "a.txt", "--timeout", "2592001"}, "--timeout: нужно целое число секунд от 1 до 2592000"},
      {{"--run", "a.txt", "--timeout=1.5"}, "--timeout: нужно целое число секунд от 1 до 2592000"},
      {{"--run", "a.txt", "--step-timeout", "-3"}, "--step-timeout: нужно целое число секунд от 1 до 2592000"},
      {{"--timeout", "5"}, "--timeout: нужен --run"},
      {{"--junit", "j.xml"}, "--junit: нужен --run"},
      {{"--run", "a.txt", "--junit", "a.txt"}, "--junit: файл JUnit записался бы поверх сценария"},
      {{"--run", "a.txt", "--report", "r.txt", "--junit=./r.txt"}, "--junit: файл JUnit записался бы поверх отчёта"},
      {{"--check", "a.txt", "--run", "a.txt"}, "--run: не вместе с --check"},
      {{"--record", "r.txt", "--check", "a.txt"}, "--check: не вместе с --record"},
      {{"--check", "a.txt", "--report", "r.txt"}, "--report: нужен --run"},
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(parseRunOptions(args).error, error) << args[0];
}

// The report must not be the script under any other name, or the run would
// write over what it reads.
TEST(RunOptions, ReportNeverTheScriptsFile) {
  namespace fs = std::filesystem;
  const platform::testing::TempFolder folder;
  const fs::path script = folder.path() / "script.txt";
  platform::testing::writeBytes(script, "page Вес\n");
  fs::create_directory(folder.path() / "dir");
  std::error_code noLinks;
  fs::create_symlink(script, folder.path() / "link.txt", noLinks);
  fs::create_hard_link(script, folder.path() / "hard.txt", noLinks);
  const std::string same[] = {fs::absolute(script).string(), folder / "dir/../script.txt", folder / "./script.txt",
                              folder / "link.txt", folder / "hard.txt"};
  for (const std::string& report : same) {
    if (!fs::exists(report)) continue;  // no links where the system cannot make them
    EXPECT_EQ(parseRunOptions({"--run", script.string(), "--report", report}).error,
              "--report: отчёт записался бы поверх сценария")
        << report;
  }
  EXPECT_EQ(parseRunOptions({"--run", script.string(), "--report", folder / "report.txt"}).error, "");
}

}  // namespace
}  // namespace lk40::core
