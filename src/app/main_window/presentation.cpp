// ShowCommandResult: the status fields, the caption in logging mode, the
// success gate and the selection of the operation's presenter by command code.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/window_caption.h"
#include "main_window/tfrm_main.h"
#include "widgets/font_colour.h"

void TfrmMain::paint(QWidget* control) { setFontColour(control, kHighlightColour); }

QString TfrmMain::driverText(const char* name) const { return QString::fromStdString(Driver.getText(name)); }

void TfrmMain::appendLine(QPlainTextEdit* memo, const std::string& utf8) {
  memo->appendPlainText(QString::fromStdString(utf8));
}

void TfrmMain::ShowCommandResult(int code) {
  // A text equal to the one shown is not written again: a soak test would
  // lay out and repaint the same code and request on every tick. A long
  // frame that changed reads from its start.
  paint(ui.edtError);
  const QString resultCode = QString::number(Driver.getInt("ResultCode"));
  if (ui.edtError->showWhole(resultCode + QStringLiteral(": ") + driverText("ResultCodeDescription")))
    ui.edtError->setCursorPosition(0);
  paint(ui.edtSend);
  if (ui.edtSend->showWhole(driverText("Input"))) ui.edtSend->setCursorPosition(0);
  paint(ui.edtRecieve);
  if (ui.edtRecieve->showWhole(driverText("Output"))) ui.edtRecieve->setCursorPosition(0);

  if (loggingPeriod_ > 0)
    setWindowTitle(QString::fromStdString(lk40::core::captionWithPort(Driver, baseCaption_.toStdString())));

  if (Driver.getInt("ResultCode") != 0) return;

  switch (code) {
    case 0x11: presentChannelStatusEx(); break;
    case 0x12: presentMode(); break;
    case 0x15: presentExchangeParams(); break;
    case 0x3A: presentChannelStatus(); break;
    case 0x71: presentFixedPoint(); break;
    case 0x73: presentCalibrationStatus(); break;
    case 0x75: presentAdcValue(); break;
    case 0xE5: presentChannelsCount(); break;
    case 0xE8: presentChannelParam(); break;
    case 0xEA: presentActiveChannel(); break;
    case 0xF1: presentTestRecord(); break;
    case 0xF2: presentDeviceCrc(); break;
    case 0xF3: presentVoltage(); break;
    case 0xFC: presentDeviceMetrics(); break;
    default: break;  // the status fields only
  }
}
