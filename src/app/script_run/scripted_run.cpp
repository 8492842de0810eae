#include "script_run/scripted_run.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QDateTime>
#include <QTimer>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/run_report.h"
#include "core/run_reporter.h"
#include "core/run_junit_file.h"
#include "core/run_options.h"
#include "core/run_script.h"
#include "core/run_script_file.h"
#include "platform/text_file.h"
#include "script_run/script_runner.h"

namespace {

// The bytes whole, a NUL among them included, flushed at once.
bool writeAll(std::FILE* stream, std::string_view text) {
  const bool complete = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  return std::fflush(stream) == 0 && complete;
}

void toStandardError(const std::string& text) { writeAll(stderr, text); }

// The files a script was read from: the script and each file it includes.
std::vector<std::string> filesOf(const std::string& script, const lk40::core::Script& parsed) {
  std::vector<std::string> files{script};
  const auto add = [&files](const std::string& file) {
    if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
  };
  for (const lk40::core::Step& step : parsed.steps) add(step.file);
  for (const lk40::core::ScriptError& error : parsed.errors) add(error.file);
  return files;
}

// Why an output would be written over a file the script was read from, or nothing.
std::string overScript(const std::vector<std::string>& files, const std::string& output, const char* option) {
  for (const std::string& file : files)
    if (!output.empty() && lk40::core::sameFile(file, output))
      return std::string(option) + ": " + output + " — это " + file + ", из него читается сценарий\n";
  return {};
}

// The calls the journal has filed since the last time, into the statistics.
std::function<void(lk40::core::CallStatistics&)> journalCalls(const TfrmMain& window) {
  auto next = std::make_shared<uint64_t>(0);
  return [&window, next](lk40::core::CallStatistics& statistics) {
    const lk40::core::ExchangeJournal& journal = window.journal().journal();
    if (journal.firstSequence() > *next) {
      statistics.lost(journal.firstSequence() - *next);
      *next = journal.firstSequence();
    }
    for (; *next < journal.nextSequence(); ++*next) {
      const lk40::core::JournalRow& row = journal[static_cast<std::size_t>(*next - journal.firstSequence())];
      statistics.add(row.method(), row.hasCode() ? std::optional<int32_t>(row.code()) : std::nullopt, row.elapsedMs());
    }
  };
}

// Runs the event loop until the window is active, for at most a while: the
// fields take the keyboard focus only in an active window.
void waitUntilActive(const QWidget& window) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (window.isActiveWindow()) loop.quit();
  });
  poll.start(10);
  QTimer::singleShot(2000, &loop, &QEventLoop::quit);
  if (!window.isActiveWindow()) loop.exec();
}

}  // namespace

int runScripted(const lk40::core::RunOptions& run, TfrmMainOptions options) {
  const lk40::core::Script script = lk40::core::loadScript(run.script, lk40::core::readScriptFile);
  const std::vector<std::string> files = filesOf(run.script, script);
  if (const std::string refused = overScript(files, run.report, "--report") + overScript(files, run.junit, "--junit");
      !refused.empty()) {
    toStandardError(refused);
    return lk40::core::kRunBad;
  }

  // The report and the JUnit file are made before anything runs, so that
  // one that cannot be written stops the run before the driver is called.
  std::unique_ptr<lk40::platform::OutputFile> file;
  if (!run.report.empty()) {
    file = lk40::platform::OutputFile::recreate(run.report);
    if (!file) {
      toStandardError(run.report + ": отчёт не создан\n");
      return lk40::core::kRunBad;
    }
  }
  std::unique_ptr<lk40::core::JunitOutput> junit;
  std::shared_ptr<lk40::core::JunitFile> junitFile;
  if (!run.junit.empty()) {
    lk40::core::JunitReport document(run.script,
                                     QDateTime::currentDateTime().toString(Qt::ISODate).toStdString());
    junitFile = lk40::core::JunitFile::create(run.junit, document.begin());
    if (!junitFile) {
      toStandardError(run.junit + ": файл JUnit не создан\n");
      return lk40::core::kRunBad;
    }
    junit = std::make_unique<lk40::core::JunitOutput>(lk40::core::JunitOutput{
        std::move(document), [junitFile](const auto& patches) { return junitFile->apply(patches); },
        [junitFile](const auto& finished) { return junitFile->finish(finished); }});
  }
  const auto output = [&file](std::string_view text) { return file ? file->write(text) : writeAll(stdout, text); };
  if (!script.errors.empty()) {
    const std::string errors = lk40::core::scriptErrorsReport(run.script, script.errors);
    toStandardError(errors);
    if (file) file->write(errors);
    if (junit) {
      junit->apply(junit->report.error(run.script, "script", "сценарий с ошибками", errors, 0));
      junit->finish(junit->report.finish({}, 0));
    }
    return lk40::core::kRunBad;
  }

  // Past a time limit the user-interface thread may be stuck in a driver
  // call: the reporter's watch ends the report and the process from its own
  // thread, without running anything of this one.
  lk40::core::RunReporter report(run.limits, output, [](int exitCode) { std::_Exit(exitCode); }, std::move(junit));
  ScriptRunner runner;  // outlives the window, whose boxes it takes
  options.showError = runner.boxSeam();
  options.savedInputs = false;
  TfrmMain window(std::move(options));
  if (!window.started()) {
    std::string why = "Драйвер не создан";
    for (const std::string& box : runner.startupBoxes()) why += "\n  окно: " + box;
    for (const QString& line : window.driverFailure().split(QLatin1Char('\n'))) why += "\n  " + line.toStdString();
    toStandardError(why + "\n");
    report.abandon(why + "\n", file != nullptr);  // no summary: no step ran
    return lk40::core::kRunBad;
  }
  window.show();
  window.activateWindow();
  waitUntilActive(window);

  report.write("Сценарий: " + run.script + "\n");
  const auto calls = journalCalls(window);
  runner.setCallCounter(calls);
  runner.run(window, script.steps, report);
  // Closed as the operator closes it: a running soak test stops, its log ends.
  report.phaseStarted("закрытие");
  window.close();
  report.countCalls(calls);
  const int exitCode = report.finish();
  if (!report.written()) {
    toStandardError((run.report.empty() ? std::string("стандартный вывод") : run.report) + ": отчёт записан не весь\n");
    return lk40::core::kRunBad;
  }
  if (!report.junitWritten()) {
    toStandardError(run.junit + ": файл JUnit записан не весь\n");
    return lk40::core::kRunBad;
  }
  return exitCode;
}
