// What the calibration and channels pages show.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/numbers.h"
#include "core/result_texts.h"
#include "main_window/tfrm_main.h"
#include "widgets/radio_group.h"

void TfrmMain::presentFixedPoint() {
  paint(ui.Edit2);
  ui.Edit2->setText(QString::fromStdString(
      lk40::core::formatGeneral(Driver.getDouble("CalibrationWeight"), options_.formats.decimalSeparator)));
}

void TfrmMain::presentCalibrationStatus() {
  paint(ui.Edit5);
  ui.Edit5->setText(QString::fromStdString(
      lk40::core::formatGeneral(Driver.getDouble("CalibrationWeight"), options_.formats.decimalSeparator)));
  paint(ui.RadioGroup2);
  ui.RadioGroup2->setItemIndex(Driver.getInt("FixedPointStatus"));
}

void TfrmMain::presentAdcValue() {
  paint(ui.Edit6);
  ui.Edit6->setText(QString::number(Driver.getInt("ADCValue")));
}

void TfrmMain::presentChannelsCount() {
  paint(ui.Edit10);
  ui.Edit10->setText(QString::number(Driver.getInt("ChannelsCount")));
}

void TfrmMain::presentChannelParam() {
  paint(ui.Memo1);
  lk40::core::appendChannelBlock(Driver, options_.formats, [this](const std::string& l) { appendLine(ui.Memo1, l); });
}

void TfrmMain::presentActiveChannel() {
  paint(ui.Edit9);
  ui.Edit9->setText(QString::number(Driver.getInt("ChannelNumber")));
}
