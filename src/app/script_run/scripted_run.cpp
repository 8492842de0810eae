#include "script_run/scripted_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>

#include "core/run_report.h"
#include "core/run_script.h"
#include "script_run/script_runner.h"

namespace {

void toStandardError(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

QString fileName(const std::string& utf8) { return QString::fromStdString(utf8); }

// Where the report goes: standard output step by step, or a file at the end.
class ReportSink {
 public:
  explicit ReportSink(const std::string& file) : file_(file) {}

  void operator()(const std::string& text) {
    if (file_.empty()) {
      std::fputs(text.c_str(), stdout);
      std::fflush(stdout);
    } else {
      text_ += text;
    }
  }

  // False, with the reason on standard error, when the file cannot be written.
  bool finish() {
    if (file_.empty()) return true;
    QSaveFile out(fileName(file_));
    if (out.open(QIODevice::WriteOnly) && out.write(text_.data(), static_cast<qint64>(text_.size())) >= 0 &&
        out.commit())
      return true;
    toStandardError(file_ + ": отчёт не записан: " + out.errorString().toStdString() + "\n");
    return false;
  }

 private:
  std::string file_;
  std::string text_;
};

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
  QFile file(fileName(run.script));
  if (!file.open(QIODevice::ReadOnly)) {
    toStandardError(run.script + ": сценарий не прочитан: " + file.errorString().toStdString() + "\n");
    return lk40::core::kRunBad;
  }
  const QByteArray bytes = file.readAll();
  const lk40::core::Script script = lk40::core::parseScript(std::string_view(bytes.constData(), bytes.size()));
  ReportSink report(run.report);
  if (!script.errors.empty()) {
    const std::string errors = lk40::core::scriptErrorsReport(run.script, script.errors);
    toStandardError(errors);
    if (!run.report.empty()) {
      report(errors);
      report.finish();
    }
    return lk40::core::kRunBad;
  }

  ScriptRunner runner;  // outlives the window, whose boxes it takes
  options.showError = runner.boxSeam();
  options.savedInputs = false;
  TfrmMain window(std::move(options));
  if (!window.started()) {
    if (const auto twin = window.twinExitCode()) return *twin;  // the twin wrote the report
    std::string why = "Драйвер не создан";
    for (const std::string& box : runner.startupBoxes()) why += "\n  окно: " + box;
    for (const QString& line : window.driverFailure().split(QLatin1Char('\n'))) why += "\n  " + line.toStdString();
    toStandardError(why + "\n");
    report("Сценарий: " + run.script + "\n" + why + "\n");
    report.finish();
    return lk40::core::kRunBad;
  }
  window.show();
  window.activateWindow();
  waitUntilActive(window);

  report("Сценарий: " + run.script + "\n");
  for (const std::string& box : runner.startupBoxes()) report("  при запуске окно: " + box + "\n");
  const int exitCode = runner.run(window, script.steps, std::ref(report));
  // Closed as the operator closes it: a running soak test stops, its log ends.
  window.close();
  return report.finish() ? exitCode : lk40::core::kRunBad;
}
