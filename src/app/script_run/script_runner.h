// Carries out the steps of a script on the real main window, as an operator
// would: pages by their tabs, fields typed into and left, buttons clicked,
// and the channel characteristics dialog driven by the steps that follow the
// press that opens it. The window's message boxes come to the runner instead
// of the screen and become the outcome of the step that raised them.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/run_cursor.h"
#include "core/run_report.h"
#include "core/run_reporter.h"
#include "core/run_script.h"
#include "widgets/error_box.h"

class QWidget;

class ScriptRunner {
 public:
  // Hand this to the window (TfrmMainOptions::showError) before it is made,
  // so that the boxes of its start-up are recorded too. The runner must
  // outlive the window.
  ErrorBox boxSeam();
  void recordBox(const QString& text, const QString& caption);
  // The boxes raised before the first step, boxText each.
  const std::vector<std::string>& startupBoxes() const { return startupBoxes_; }
  // Called after each step with the statistics to add the calls made since.
  void setCallCounter(std::function<void(lk40::core::CallStatistics&)> count) { countCalls_ = std::move(count); }

  // Carries out the steps in order, loops and all, and hands each one's
  // report on as soon as it is done; stops after a step that names what the
  // window has not. A step that raised a box fails unless an `expect box`
  // stands among the expectations right after it; so do the boxes of the
  // start-up, before the first step. Such boxes are not seen again by a
  // later `expect box`. The summary is the caller's (RunReporter::finish).
  void run(QWidget& window, const std::vector<lk40::core::Step>& steps, lk40::core::RunReporter& report);

  // One step on the window, outside a run: a window that a press opens is
  // closed and the step fails, as no later step can drive it.
  lk40::core::StepResult runStep(QWidget& window, const lk40::core::Step& step);

 private:
  lk40::core::StepResult act(const lk40::core::Step& step);
  // The status panel and the boxes of a step that has ended.
  void complete(lk40::core::StepResult& result, const QElapsedTimer& clock, std::vector<std::string>& boxes) const;
  // Fails a step whose boxes no `expect box` takes, counts the calls and
  // hands the step to the report.
  void report(const lk40::core::RunStep& at, lk40::core::StepResult result);
  // The steps after the press that opened `dialog`, on the dialog, until one
  // closes it; the step that closed it is reported once the press returns.
  void drive(QWidget* dialog);

  lk40::core::StepResult page(const lk40::core::Step& step);
  lk40::core::StepResult set(const lk40::core::Step& step);
  lk40::core::StepResult press(const lk40::core::Step& step);
  lk40::core::StepResult expect(const lk40::core::Step& step);
  lk40::core::StepResult display(const lk40::core::Step& step);

  QWidget* window_ = nullptr;  // the main window
  QWidget* scope_ = nullptr;   // the window the steps act on: the main window or a driven dialog
  lk40::core::StepCursor* cursor_ = nullptr;  // while run() runs
  lk40::core::RunReporter* report_ = nullptr;
  std::function<void(lk40::core::CallStatistics&)> countCalls_;
  bool stopped_ = false;  // a Bad step: the run ends

  // The step being carried out by run(): a press that opens a dialog is
  // reported from inside the dialog's loop, and the step that closes the
  // dialog waits for the press to return.
  struct Pending {
    lk40::core::RunStep at;
    lk40::core::StepResult result;
    QElapsedTimer clock;
  };
  std::optional<Pending> current_;
  bool currentReported_ = false;
  std::optional<Pending> closing_;

  std::vector<std::string> startupBoxes_;
  std::vector<std::string>* stepBoxes_ = nullptr;  // while a step runs
  // Since the last `expect box`, but those a step already failed for.
  std::vector<std::string> pendingBoxes_;
};
