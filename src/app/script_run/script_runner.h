// Carries out the steps of a script on the real main window, as an operator
// would: pages by their tabs, fields typed into and left, buttons clicked.
// The window's message boxes come to the runner instead of the screen and
// become the outcome of the step that raised them.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/run_report.h"
#include "core/run_reporter.h"
#include "core/run_script.h"
#include "widgets/error_box.h"

class TfrmMain;
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

  // Carries out the steps in order and hands each one's report on as soon as
  // it is done; stops after a step that names what the window has not. A
  // step that raised a box fails unless an `expect box` stands among the
  // expectations right after it; so do the boxes of the start-up, before the
  // first step. Such boxes are not seen again by a later `expect box`. The summary is the caller's (RunReporter::finish).
  void run(TfrmMain& window, const std::vector<lk40::core::Step>& steps, lk40::core::RunReporter& report);

  lk40::core::StepResult runStep(TfrmMain& window, const lk40::core::Step& step);

 private:
  lk40::core::StepResult page(TfrmMain& window, const lk40::core::Step& step);
  lk40::core::StepResult set(TfrmMain& window, const lk40::core::Step& step);
  lk40::core::StepResult press(TfrmMain& window, const lk40::core::Step& step);
  lk40::core::StepResult expect(TfrmMain& window, const lk40::core::Step& step);
  lk40::core::StepResult display(TfrmMain& window, const lk40::core::Step& step);

  std::vector<std::string> startupBoxes_;
  std::vector<std::string>* stepBoxes_ = nullptr;  // while a step runs
  // Since the last `expect box`, but those a step already failed for.
  std::vector<std::string> pendingBoxes_;
};
