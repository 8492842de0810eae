// "Градуировка": calibration mode, calibration points and process, the ADC
// reading once and continuously.
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "core/adc_reading_period.h"
#include "core/weight_log.h"
#include "main_window/tfrm_main.h"
#include "myconsts.h"
#include "pages/page_forms.h"
#include "pages/page_id.h"
#include "platform/code_page.h"
#include "platform/text_file.h"
#include "widgets/font_colour.h"
#include "widgets/pictures.h"
#include "widgets/radio_group.h"
#include "widgets/shown_text.h"

using lk40::automation::Variant;

namespace {

// A disabled item draws its text in the palette's disabled colours; a locked
// item shows the colour that the presentation or EnableControls gave it.
void showActiveColoursWhenDisabled(QWidget* item) {
  QPalette p = item->palette();
  for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
  // An equal palette sends no further change.
  if (p != item->palette()) item->setPalette(p);
}

class LockedItemColours : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::PaletteChange) showActiveColoursWhenDisabled(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
  }
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
  onClick(ui.btnAdcChart, &TfrmMain::btnAdcChartClick);

  // A mouse click, Space and an assistive tool's toggle action all flip the
  // button first; the handler follows every flip it did not make itself.
  connect(ui.SpeedButton1, &QToolButton::toggled, this, [this](bool down) {
    if (down != adcReading_) guard([this] {
      const auto operation = journalled(ui.SpeedButton1);
      SpeedButton1Click();
    });
  });

  // The point state is the module's: only the result presentation chooses an
  // item. Disabled items refuse every way of choosing one, the mouse, the
  // keyboard and an assistive tool's press or toggle action alike.
  auto* colours = new LockedItemColours(this);
  for (int i = 0; i < ui.RadioGroup2->count(); ++i) {
    QRadioButton* item = ui.RadioGroup2->button(i);
    item->setEnabled(false);
    showActiveColoursWhenDisabled(item);
    item->installEventFilter(colours);
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
    const auto value = result == 0 ? std::optional(Driver.getInt("ADCValue")) : std::nullopt;
    showText(ui.Edit6, value ? QString::number(*value) : myconsts::kUnknownValue);
    chartAdcTick(value);
    if (adcLogTicks_.due(loggingStep_)) LogAdcLine();
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
  const auto file = lk40::platform::OutputFile::openForAppend(loggingFile_.toStdString());
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

void finishCalibrationForm(MainUi& ui) { ui.SpeedButton1->setIcon(adcToggleIcon()); }
