// What the calibration page shows.
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
