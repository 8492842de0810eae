// The bench: one main window that lives from start to exit, or a scripted run
// of it (--run SCRIPT [--report FILE] [--junit FILE]) that exits with the
// run's code, or a check of a script (--check SCRIPT), or the window with the
// operator's steps recorded into a script (--record FILE).
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/run_options.h"
#include "core/run_report.h"
#include "core/run_script.h"
#include "core/run_script_file.h"
#include "main_window/driver_failure.h"
#include "main_window/tfrm_main.h"
#include "platform/whole_file.h"
#include "script_record/script_recorder.h"
#include "script_run/scripted_run.h"
#include "widgets/qt_translations.h"

namespace {

// The installed icon's picture at every size the desktop may ask for.
QIcon applicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/lk40-drvtest-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

QtMessageHandler qtMessages = nullptr;

// While Qt starts a scripted run: a platform that cannot start (xcb with no
// display, a plugin that is missing) ends in qFatal, which would abort; the
// run exits with kRunBad and says why instead.
void startingScriptedRun(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (qtMessages) qtMessages(type, context, message);
    else std::fprintf(stderr, "%s\n", qPrintable(message));
    return;
  }
  const std::string text = message.toStdString() + "\nПлатформа Qt не запустилась, сценарий не выполнен\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
  std::_Exit(lk40::core::kRunBad);
}

}  // namespace

int main(int argc, char** argv) {
  // A bad --run or --report ends the program before Qt looks for a display.
  const lk40::core::RunOptions early = lk40::core::parseRunOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!early.error.empty()) {
    std::fprintf(stderr, "%s\n", early.error.c_str());
    return lk40::core::kRunBad;
  }
  // A check reads the script and its includes, and nothing else: no driver, no window.
  if (!early.check.empty()) {
    const lk40::core::Script script = lk40::core::loadScript(early.check, lk40::core::readScriptFile);
    const std::string said = script.errors.empty() ? lk40::core::checkedScript(early.check, script)
                                                   : lk40::core::scriptErrorsReport(early.check, script.errors);
    std::fputs(said.c_str(), script.errors.empty() ? stdout : stderr);
    return script.errors.empty() ? lk40::core::kRunPassed : lk40::core::kRunBad;
  }
  // The twin of the driver's bitness takes the run before anything of it is made.
  std::string twinError;
  if (const auto twin = runTwinIfDriverIsTheirs(twinError)) return *twin;
  // A scripted run needs no display; the platform is chosen before Qt starts.
  if (early.scripted() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (early.scripted()) qtMessages = qInstallMessageHandler(startingScriptedRun);
  QApplication app(argc, argv);
  if (early.scripted()) qInstallMessageHandler(qtMessages);
  installQtTranslations(app);
  app.setApplicationName(QStringLiteral("lk40-drvtest"));
  // Ties the windows to the desktop entry (and its icon) where the desktop
  // matches them by that name rather than by the window class.
  QGuiApplication::setDesktopFileName(QStringLiteral(LK40_APP_ID));
  QApplication::setWindowIcon(applicationIcon());

  // Qt has taken its own arguments out of the command line by now.
  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
  const lk40::core::RunOptions run = lk40::core::parseRunOptions(arguments);
  if (!run.error.empty()) {
    std::fprintf(stderr, "%s\n", run.error.c_str());
    return lk40::core::kRunBad;
  }
  TfrmMainOptions options;
  options.twinError = twinError;
  for (const std::string& argument : run.rest) options.arguments << QString::fromStdString(argument);
  if (run.scripted()) return runScripted(run, std::move(options));

  // A recording that could not be saved is told before the operator's work.
  if (!run.record.empty()) {
    if (const std::error_code why = lk40::platform::prepareFolderFor(std::filesystem::u8path(run.record))) {
      std::fprintf(stderr, "--record: %s: %s\n", run.record.c_str(), why.message().c_str());
      return lk40::core::kRunBad;
    }
  }
  TfrmMain window(std::move(options));
  if (!window.started()) return 0;
  ScriptRecorder* recorder = nullptr;
  if (!run.record.empty()) {
    recorder = ScriptRecorder::of(&window);
    recorder->setRecording(true);
  }
  window.show();
  const int code = app.exec();
  if (recorder && !recorder->save(QString::fromStdString(run.record))) {
    std::fprintf(stderr, "--record: %s: сценарий не записан\n", run.record.c_str());
    return lk40::core::kRunBad;
  }
  return code;
}
