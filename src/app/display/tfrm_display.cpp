#include "display/tfrm_display.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "core/journal_recorder.h"
#include "core/numbers.h"
#include "core/weight_display_state.h"
#include "core/weight_log.h"
#include "core/window_caption.h"
#include "display/display_chart.h"
#include "myconsts.h"
#include "platform/code_page.h"
#include "widgets/centre_over.h"
#include "widgets/guard.h"
#include "widgets/keyboard_path.h"
#include "widgets/pictures.h"
#include "widgets/shown_text.h"

using lk40::automation::Driver;

TfrmDisplay::TfrmDisplay(lk40::automation::Driver driver, const QString& loggingFile, int loggingPeriod, int loggingStep,
                         const lk40::platform::RegionalFormats& formats, ErrorBox showError)
    : Driver(std::move(driver)),
      formats_(formats),
      loggingFile_(loggingFile),
      loggingPeriod_(loggingPeriod),
      loggingStep_(loggingStep),
      showError_(showError ? std::move(showError) : standardErrorBox()),
      hold_([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }) {
  setupDisplayUi(this, ui);
  chart_ = new DisplayChart(this, ui, formats_, showError_);
  for (QLabel* place : {ui.Image1, ui.Image2, ui.Image3, ui.Image4}) drawLamp(place, false);
  connect(ui.Timer, &QTimer::timeout, this, &TfrmDisplay::TimerTimer);
  connect(ui.Button1, &QPushButton::clicked, this, &TfrmDisplay::Button1Click);
  connect(ui.Button2, &QPushButton::clicked, this, &TfrmDisplay::Button2Click);
  if (loggingPeriod_ != 0) {
    setWindowTitle(QString::fromStdString(lk40::core::captionWithPort(Driver, windowTitle().toStdString())));
    ui.Timer->setInterval(loggingPeriod_);
  }
}

TfrmDisplay::~TfrmDisplay() {
  ui.Timer->stop();
  log_.reset();
}

void TfrmDisplay::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmDisplay::FormShow() {
  log_.reset();
  if (loggingPeriod_ > 0 && loggingStep_ > 0) {
    log_ = lk40::platform::OutputFile::openForAppend(loggingFile_.toStdString());
    if (!log_) loggingPeriod_ = 0;
  }
  logTicks_.restart();
  ui.Timer->start();
}

void TfrmDisplay::FormCloseQuery() { ui.Timer->stop(); }

void TfrmDisplay::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  QDialog::closeEvent(event);
}

void TfrmDisplay::done(int result) {
  FormCloseQuery();
  QDialog::done(result);
}

void TfrmDisplay::TimerTimer() {
  // While an error box of an earlier tick is open, further ticks wait instead
  // of piling up boxes.
  if (reportingError_) return;
  const ErrorBox reporting = [this](QWidget* owner, const QString& text, const QString& caption) {
    reportingError_ = true;
    showError_(owner, text, caption);
    reportingError_ = false;
  };
  runGuarded(this, reporting, [this] {
    const auto operation = lk40::core::JournalRecorder::operation(Driver, lk40::core::kPollOperation, true);
    poll();
  });
}

void TfrmDisplay::poll() {
  const int32_t status = Driver.callInt("GetChannelStatus");
  if (loggingPeriod_ > 0 && logTicks_.due(loggingStep_)) LogWeightLine();
  // Only what changed is written: a settled scale shows the same weight,
  // tare and lamps poll after poll, and each write would repaint them.
  if (status != 0) {
    bool changed = showText(ui.edtWeight, myconsts::kUnknownValue);
    changed = showText(ui.edtTare, myconsts::kUnknownValue) || changed;
    for (QLabel* place : {ui.Image1, ui.Image2, ui.Image3, ui.Image4}) changed = drawLamp(place, false) || changed;
    chart_->poll(std::nullopt, 0);
    // The hold blocks the event loop, so a failure newly shown is put on the
    // screen now: what changed, lamps included, not only the two fields.
    if (changed) QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    hold_(kFailedPollHoldMs);
    return;
  }
  const int32_t mode = Driver.getInt("WeightChannelMode") & 0xFFFF;
  const char sep = formats_.decimalSeparator;
  std::optional<double> weight;
  if (const auto error = lk40::core::weightErrorText(mode)) {
    showText(ui.edtWeight, QString::fromStdString(*error));
  } else {
    weight = Driver.getDouble("Weight");
    showText(ui.edtWeight, QString::fromStdString(lk40::core::formatDecimals(*weight, 4, sep)));
  }
  showText(ui.edtTare, QString::fromStdString(lk40::core::formatDecimals(Driver.getDouble("Tare"), 4, sep)));
  const auto state = lk40::core::weightDisplayState(mode);
  drawLamp(ui.Image1, state.zeroLamp);
  drawLamp(ui.Image2, state.tareLamp);
  ui.Button1->setEnabled(state.tareButtonEnabled);
  drawLamp(ui.Image3, state.settledLamp);
  drawLamp(ui.Image4, state.fixedLamp);
  chart_->poll(weight, mode);
}

void TfrmDisplay::LogWeightLine() {
  if (!log_) return;
  try {
    const auto now = lk40::platform::DateTime::now();
    log_->write(lk40::platform::utf8ToAnsi(lk40::core::weightLogLine(Driver, formats_, now)));
  } catch (const std::exception&) {
    // A line that cannot be built or written is dropped; polling goes on.
  }
}

bool TfrmDisplay::drawLamp(QLabel* place, bool lit) {
  return showPicture(place, ImageList2.picture(lit, place->devicePixelRatioF()));
}

void TfrmDisplay::Button1Click() { callGuarded("SetTare", ui.Button1); }

void TfrmDisplay::Button2Click() { callGuarded("SetZero", ui.Button2); }

void TfrmDisplay::callGuarded(const char* method, const QPushButton* button) {
  // The outcome is not shown here: the next poll shows the module's state.
  runGuarded(this, showError_, [this, method, button] {
    const auto operation =
        lk40::core::JournalRecorder::operation(Driver, keyboardpath::withoutMnemonic(button->text()).toStdString(), false);
    Driver.call(method);
  });
}

void ShowWeightDisplay(const Driver& driver, const QString& loggingFile, int loggingPeriod, int loggingStep,
                       const lk40::platform::RegionalFormats& formats, QWidget* centreOn, ErrorBox showError) {
  TfrmDisplay display(driver, loggingFile, loggingPeriod, loggingStep, formats, std::move(showError));
  if (centreOn) centreOver(&display, centreOn);
  display.exec();
}
