#include "script_run/scripted_run.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "core/run_report.h"
#include "core/run_reporter.h"
#include "core/run_script.h"
#include "platform/text_file.h"
#include "script_run/script_runner.h"

namespace {

// The bytes whole, a NUL among them included, flushed at once.
bool writeAll(std::FILE* stream, std::string_view text) {
  const bool complete = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  return std::fflush(stream) == 0 && complete;
}

void toStandardError(const std::string& text) { writeAll(stderr, text); }

QString fileName(const std::string& utf8) { return QString::fromStdString(utf8); }

// The script's bytes, at most kMaxScriptBytes of them: a device or a pipe
// without end (/dev/zero) is refused, not read until memory runs out.
bool readScript(const std::string& path, std::string& bytes) {
  QFile file(fileName(path));
  if (!file.open(QIODevice::ReadOnly)) {
    toStandardError(path + ": сценарий не прочитан: " + file.errorString().toStdString() + "\n");
    return false;
  }
  char buffer[65536];
  for (;;) {
    const qint64 n = file.read(buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      toStandardError(path + ": сценарий не прочитан: " + file.errorString().toStdString() + "\n");
      return false;
    }
    if (bytes.size() + static_cast<std::size_t>(n) > lk40::core::kMaxScriptBytes) {
      toStandardError(path + ": сценарий больше " + std::to_string(lk40::core::kMaxScriptBytes >> 20) + " МиБ\n");
      return false;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
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
  std::string bytes;
  if (!readScript(run.script, bytes)) return lk40::core::kRunBad;
  const lk40::core::Script script = lk40::core::parseScript(bytes);

  // The report file is made before anything runs, so that a report that
  // cannot be written stops the run before the driver is called.
  std::unique_ptr<lk40::platform::OutputFile> file;
  if (!run.report.empty()) {
    file = lk40::platform::OutputFile::recreate(run.report);
    if (!file) {
      toStandardError(run.report + ": отчёт не создан\n");
      return lk40::core::kRunBad;
    }
  }
  const auto output = [&file](std::string_view text) { return file ? file->write(text) : writeAll(stdout, text); };
  if (!script.errors.empty()) {
    const std::string errors = lk40::core::scriptErrorsReport(run.script, script.errors);
    toStandardError(errors);
    if (file) file->write(errors);
    return lk40::core::kRunBad;
  }

  // Past a time limit the user-interface thread may be stuck in a driver
  // call: the reporter's watch ends the report and the process from its own
  // thread, without running anything of this one.
  lk40::core::RunReporter report(run.limits, output, [](int exitCode) { std::_Exit(exitCode); });
  ScriptRunner runner;  // outlives the window, whose boxes it takes
  options.showError = runner.boxSeam();
  options.savedInputs = false;
  TfrmMain window(std::move(options));
  if (!window.started()) {
    std::string why = "Драйвер не создан";
    for (const std::string& box : runner.startupBoxes()) why += "\n  окно: " + box;
    for (const QString& line : window.driverFailure().split(QLatin1Char('\n'))) why += "\n  " + line.toStdString();
    toStandardError(why + "\n");
    if (file) report.write(why + "\n");  // no summary: no step ran
    return lk40::core::kRunBad;
  }
  window.show();
  window.activateWindow();
  waitUntilActive(window);

  report.write("Сценарий: " + run.script + "\n");
  runner.run(window, script.steps, report);
  // Closed as the operator closes it: a running soak test stops, its log ends.
  report.phaseStarted("закрытие");
  window.close();
  const int exitCode = report.finish();
  if (!report.written()) {
    toStandardError((run.report.empty() ? std::string("стандартный вывод") : run.report) + ": отчёт записан не весь\n");
    return lk40::core::kRunBad;
  }
  return exitCode;
}
