// "Градуировка": calibration mode, calibration points and process, the ADC
// reading once and continuously.
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "core/channel_dialog.h"
#include "core/weight_log.h"
#include "font_colour.h"
#include "myconsts.h"
#include "page_id.h"
#include "platform/code_page.h"
#include "platform/text_file.h"
#include "radio_group.h"
#include "tfrm_main.h"

using lk40::automation::Variant;

namespace {

// Calls back on focus entering or leaving the watched widgets.
class FocusWatcher : public QObject {
 public:
  FocusWatcher(QObject* parent, std::function<void()> entered, std::function<void()> left)
      : QObject(parent), entered_(std::move(entered)), left_(std::move(left)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) entered_();
    if (event->type() == QEvent::FocusOut) left_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> entered_;
  std::function<void()> left_;
};

}  // namespace

void TfrmMain::wireCalibrationPage() {
  onClick(ui.Button26, &TfrmMain::Button26Click);
  onClick(ui.Button3, &TfrmMain::Button3Click);
  onClick(ui.Button4, &TfrmMain::Button4Click);
  onClick(ui.Button5, &TfrmMain::Button5Click);
  onClick(ui.Button9, &TfrmMain::Button9Click);
  onClick(ui.Button11, &TfrmMain::Button11Click);
  onClick(ui.Button22, &TfrmMain::Button22Click);

  // A mouse click, Space and an assistive tool's toggle action all flip the
  // button first; the handler follows every flip it did not make itself.
  connect(ui.SpeedButton1, &QToolButton::toggled, this, [this](bool down) {
    if (down != adcReading_) guard([this] { SpeedButton1Click(); });
  });

  // Enabling again waits for the focus change to finish: disabling the group
  // is what moves the focus away.
  auto* watcher = new FocusWatcher(
      this, [this] { RadioGroup2Enter(); },
      [this] { QTimer::singleShot(0, this, [this] { RadioGroup2Exit(); }); });
  for (int i = 0; i < ui.RadioGroup2->count(); ++i) {
    // Tab passes the group by: a group that disables itself on the focus
    // would push Shift+Tab forward again and trap it.
    ui.RadioGroup2->button(i)->setFocusPolicy(Qt::ClickFocus);
    ui.RadioGroup2->button(i)->installEventFilter(watcher);
  }
}

void TfrmMain::Button26Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Mode", Variant(1));
      },
      "SetMode", 0);
}

void TfrmMain::Button3Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("PointNumber", Variant(intField(ui.Edit7)));
        Driver.put("CalibrationWeight", Variant(decimalField(ui.Edit2)));
      },
      "SetFixedPoint", 0x70);
}

void TfrmMain::Button4Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("PointNumber", Variant(intField(ui.Edit7)));
      },
      "GetFixedPoint", 0x71);
}

void TfrmMain::Button5Click() {
  runFramed([this] { writePassword(); }, "StartCalibration", 0x72);
}

void TfrmMain::Button9Click() {
  runFramed([this] { writePassword(); }, "GetCalibrationStatus", 0x73);
}

void TfrmMain::Button11Click() {
  runFramed([this] { writePassword(); }, "BreakCalibration", 0x74);
}

void TfrmMain::Button22Click() {
  runFramed([this] { writePassword(); }, "GetADCValue", 0x75);
}

void TfrmMain::RadioGroup2Enter() { ui.RadioGroup2->setEnabled(false); }

void TfrmMain::RadioGroup2Exit() { ui.RadioGroup2->setEnabled(true); }

void TfrmMain::SpeedButton1Click() {
  try {
    writePassword();
  } catch (...) {
    // The button has flipped already; it goes back to what is running.
    showAdcReading();
    throw;
  }
  adcReading_ = !adcReading_;
  showAdcReading();
}

void TfrmMain::showAdcReading() {
  {
    const QSignalBlocker quiet(ui.SpeedButton1);
    ui.SpeedButton1->setChecked(adcReading_);
  }
  // The timer belongs to the soak test on the test page, and to nobody on
  // the others; only the calibration page hands it to the ADC reading.
  if (ui.PageControl->currentIndex() != PageID::kTestPageIndex)
    ui.Timer->setInterval(lk40::core::continuousReadingPeriod(loggingPeriod_));
  if (shownPageId() == PageID::Calibration) {
    if (adcReading_)
      ui.Timer->start();
    else
      ui.Timer->stop();
  }
  ui.Button22->setEnabled(!adcReading_);
}

void TfrmMain::adcTick() {
  try {
    const int32_t result = Driver.callInt("GetADCValue");
    ui.Edit6->setText(result == 0 ? QString::number(Driver.getInt("ADCValue")) : myconsts::kUnknownValue);
    if (loggingStep_ > 0) {
      if (adcTickCounter_ % loggingStep_ == 0) LogAdcLine();
      ++adcTickCounter_;
    }
    setFontColour(ui.Edit6, kHighlightColour);
  } catch (...) {
    // A driver that raises on every tick would stack an error box per tick;
    // the reading stops and the one error is shown.
    adcReading_ = false;
    showAdcReading();
    throw;
  }
}

void TfrmMain::LogAdcLine() {
  if (loggingPeriod_ <= 0 || loggingStep_ <= 0) return;
  const auto file = lk40::platform::OutputFile::openForAppend(QFile::encodeName(loggingFile_).toStdString());
  if (!file) {
    loggingPeriod_ = 0;
    return;
  }
  try {
    const auto now = lk40::platform::DateTime::now();
    file->write(lk40::platform::utf8ToAnsi(lk40::core::adcLogLine(Driver, options_.formats, now, now)));
  } catch (const std::exception&) {
    // A line that cannot be built or written is dropped; reading goes on.
  }
}
