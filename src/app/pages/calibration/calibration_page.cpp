#include "pages/calibration/calibration_page.h"

#include <QEvent>
#include <QPalette>
#include <QRadioButton>
#include <QSignalBlocker>

#include "adc_chart/tfrm_adc_chart.h"
#include "core/adc_reading_period.h"
#include "core/numbers.h"
#include "core/weight_log.h"
#include "myconsts.h"
#include "pages/page_id.h"
#include "platform/code_page.h"
#include "platform/text_file.h"
#include "widgets/font_colour.h"
#include "widgets/pictures.h"
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

CalibrationPage::CalibrationPage(const PageContext& context, QWidget* parent)
    : Page(context, PageID::Calibration, parent) {
  ui.setupUi(this);
  fitForm();
  ui.SpeedButton1->setIcon(adcToggleIcon());
  guardIntegerFields({ui.Edit7});
  // The calibration weight stands in the form in which the module's weight is
  // read back into it, so that a weight read, typed or left reads the same.
  guardDecimalField(ui.Edit2, [sep = formats_.decimalSeparator](QLineEdit* field) {
    const auto value = lk40::core::tryParseDecimal(field->text().toStdString(), sep);
    const QString corrected =
        value ? QString::fromStdString(lk40::core::formatGeneral(*value, sep)) : QStringLiteral("0");
    if (corrected != field->text()) field->setText(corrected);
  });
  present(0x71, &CalibrationPage::presentFixedPoint);
  present(0x73, &CalibrationPage::presentCalibrationStatus);
  present(0x75, &CalibrationPage::presentAdcValue);

  onClick(ui.Button26, &CalibrationPage::Button26Click);
  onClick(ui.Button3, &CalibrationPage::Button3Click);
  onClick(ui.Button4, &CalibrationPage::Button4Click);
  onClick(ui.Button5, &CalibrationPage::Button5Click);
  onClick(ui.Button9, &CalibrationPage::Button9Click);
  onClick(ui.Button11, &CalibrationPage::Button11Click);
  onClick(ui.Button22, &CalibrationPage::Button22Click);
  onClick(ui.btnAdcChart, &CalibrationPage::btnAdcChartClick);

  // A mouse click, Space and an assistive tool's toggle action all flip the
  // button first; the handler follows every flip it did not make itself.
  connect(ui.SpeedButton1, &QToolButton::toggled, this, [this](bool down) {
    if (down != adcReading_) host_.handle(ui.SpeedButton1, [this] { SpeedButton1Click(); });
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

void CalibrationPage::Button26Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Mode", Variant(1));
      },
      "SetMode", 0);
}

void CalibrationPage::Button3Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("PointNumber", Variant(intField(ui.Edit7)));
        Driver.put("CalibrationWeight", Variant(decimalField(ui.Edit2)));
      },
      "SetFixedPoint", 0x70);
}

void CalibrationPage::Button4Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("PointNumber", Variant(intField(ui.Edit7)));
      },
      "GetFixedPoint", 0x71);
}

void CalibrationPage::Button5Click() {
  runFramed([this] { writePassword(); }, "StartCalibration", 0x72);
}

void CalibrationPage::Button9Click() {
  runFramed([this] { writePassword(); }, "GetCalibrationStatus", 0x73);
}

void CalibrationPage::Button11Click() {
  runFramed([this] { writePassword(); }, "BreakCalibration", 0x74);
}

void CalibrationPage::Button22Click() {
  runFramed([this] { writePassword(); }, "GetADCValue", 0x75);
}

void CalibrationPage::SpeedButton1Click() {
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

void CalibrationPage::showAdcReading() {
  {
    const QSignalBlocker quiet(ui.SpeedButton1);
    ui.SpeedButton1->setChecked(adcReading_);
  }
  host_.timerWanted(*this);
  ui.Button22->setEnabled(!adcReading_);
}

std::optional<int> CalibrationPage::timerPeriod() const {
  if (!adcReading_) return std::nullopt;
  return lk40::core::continuousReadingPeriod(logging_.period);
}

void CalibrationPage::timerTick() {
  try {
    const int32_t result = Driver.callInt("GetADCValue");
    const auto value = result == 0 ? std::optional(Driver.getInt("ADCValue")) : std::nullopt;
    showText(ui.Edit6, value ? QString::number(*value) : myconsts::kUnknownValue);
    chartAdcTick(value);
    if (adcLogTicks_.due(logging_.step)) LogAdcLine();
    setFontColour(ui.Edit6, kHighlightColour);
  } catch (...) {
    // A driver that raises on every tick would stack an error box per tick;
    // the reading stops and the one error is shown.
    adcReading_ = false;
    showAdcReading();
    throw;
  }
}

void CalibrationPage::LogAdcLine() {
  if (logging_.period <= 0 || logging_.step <= 0) return;
  const auto file = lk40::platform::OutputFile::openForAppend(logging_.file.toStdString());
  if (!file) {
    logging_.period = 0;
    return;
  }
  try {
    const auto now = lk40::platform::DateTime::now();
    file->write(lk40::platform::utf8ToAnsi(lk40::core::adcLogLine(Driver, formats_, now)));
  } catch (const std::exception&) {
    // A line that cannot be built or written is dropped; reading goes on.
  }
}

void CalibrationPage::applyDefaults() {
  ui.RadioGroup2->setItemIndex(-1);
  ui.Edit2->setText(QStringLiteral("0"));
  ui.Edit7->setText(QStringLiteral("0"));
}

std::vector<SavedInput> CalibrationPage::savedInputs() const {
  return {{89, ui.Edit2}, {90, ui.RadioGroup2}, {95, ui.Edit7}};
}

// The point state is the module's: a restored one is not shown as if read.
void CalibrationPage::started() {
  ui.RadioGroup2->setItemIndex(-1);
  adcLogTicks_.restart();
}

void CalibrationPage::presentFixedPoint() {
  paint(ui.Edit2);
  ui.Edit2->setText(QString::fromStdString(
      lk40::core::formatGeneral(Driver.getDouble("CalibrationWeight"), formats_.decimalSeparator)));
}

void CalibrationPage::presentCalibrationStatus() {
  paint(ui.Edit5);
  ui.Edit5->setText(QString::fromStdString(
      lk40::core::formatGeneral(Driver.getDouble("CalibrationWeight"), formats_.decimalSeparator)));
  paint(ui.RadioGroup2);
  ui.RadioGroup2->setItemIndex(Driver.getInt("FixedPointStatus"));
}

void CalibrationPage::presentAdcValue() {
  paint(ui.Edit6);
  ui.Edit6->setText(QString::number(Driver.getInt("ADCValue")));
}

// "График АЦП": the one chart window of the continuous reading, over the window.
void CalibrationPage::btnAdcChartClick() {
  if (!adcChart_) adcChart_ = new TfrmAdcChart(formats_, window(), showError_);
  adcChart_->show();
  adcChart_->raise();
  adcChart_->activateWindow();
}

void CalibrationPage::chartAdcTick(std::optional<int32_t> adcValue) {
  if (adcChart_) adcChart_->addReading(adcValue);
}
