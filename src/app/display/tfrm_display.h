// The live weight display: polls the weighing channel on its own timer, shows
// weight, tare and four lamps, and in logging mode appends a weight line to
// the logging file on every N-th poll.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "automation/driver.h"
#include "core/every_nth_tick.h"
#include "display/display_ui.h"
#include "platform/regional_formats.h"
#include "platform/text_file.h"
#include "widgets/error_box.h"
#include "widgets/pictures.h"

class TfrmDisplay : public QDialog {
  Q_OBJECT
 public:
  // Steps 1 and 2 of the opening: the logging settings, the caption with the
  // port in logging mode and the polling interval.
  TfrmDisplay(lk40::automation::Driver driver, const QString& loggingFile, int loggingPeriod, int loggingStep,
              const lk40::platform::RegionalFormats& formats, ErrorBox showError = {});
  ~TfrmDisplay() override;  // FormDestroy

  const DisplayUi& controls() const { return ui; }
  // "График" and its chart panel.
  class DisplayChart* chart() const { return chart_; }
  int loggingPeriod() const { return loggingPeriod_; }
  bool loggingFileOpen() const { return log_ != nullptr; }
  // One poll, as the timer runs it; errors are shown and polling goes on.
  void TimerTimer();
  // The pause of the user-interface thread after a failed poll.
  static constexpr int kFailedPollHoldMs = 500;
  using Hold = std::function<void(int ms)>;
  // Replaces the pause (tests look at the window while it lasts).
  void setHold(Hold hold) { hold_ = std::move(hold); }

 protected:
  void showEvent(QShowEvent* event) override;    // FormShow
  void closeEvent(QCloseEvent* event) override;  // FormCloseQuery
  void done(int result) override;

 private:
  void FormShow();
  void FormCloseQuery();
  void poll();
  void LogWeightLine();
  // True when the lamp changed.
  bool drawLamp(class QLabel* place, bool lit);
  void Button1Click();
  void Button2Click();
  void callGuarded(const char* method, const class QPushButton* button);

  DisplayUi ui;
  LampPictures ImageList2;  // unlit and lit
  lk40::automation::Driver Driver;
  lk40::platform::RegionalFormats formats_;
  QString loggingFile_;
  int loggingPeriod_;
  int loggingStep_;
  lk40::core::EveryNthTick logTicks_;
  std::unique_ptr<lk40::platform::OutputFile> log_;
  ErrorBox showError_;
  bool reportingError_ = false;
  Hold hold_;
  class DisplayChart* chart_;
};

// Opens the display modally over centreOn and returns when it is closed.
void ShowWeightDisplay(const lk40::automation::Driver& driver, const QString& loggingFile, int loggingPeriod,
                       int loggingStep, const lk40::platform::RegionalFormats& formats, QWidget* centreOn,
                       ErrorBox showError = {});
