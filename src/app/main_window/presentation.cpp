// ShowCommandResult: the status fields, the caption in logging mode, the
// success gate and the presenters the pages gave for the command code.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/window_caption.h"
#include "main_window/tfrm_main.h"
#include "widgets/font_colour.h"

namespace {

void paint(QWidget* control) { setFontColour(control, kHighlightColour); }

QString driverText(const lk40::automation::Driver& driver, const char* name) {
  return QString::fromStdString(driver.getText(name));
}

}  // namespace

void TfrmMain::ShowCommandResult(int code) {
  // A text equal to the one shown is not written again: a soak test would
  // lay out and repaint the same code and request on every tick. A long
  // frame that changed reads from its start.
  paint(ui.edtError);
  const QString resultCode = QString::number(Driver.getInt("ResultCode"));
  if (ui.edtError->showWhole(resultCode + QStringLiteral(": ") + driverText(Driver, "ResultCodeDescription")))
    ui.edtError->setCursorPosition(0);
  paint(ui.edtSend);
  if (ui.edtSend->showWhole(driverText(Driver, "Input"))) ui.edtSend->setCursorPosition(0);
  paint(ui.edtRecieve);
  if (ui.edtRecieve->showWhole(driverText(Driver, "Output"))) ui.edtRecieve->setCursorPosition(0);

  if (logging_.period > 0)
    setWindowTitle(QString::fromStdString(lk40::core::captionWithPort(Driver, baseCaption_.toStdString())));

  if (Driver.getInt("ResultCode") != 0) return;
  // A code without presenters shows the status fields only.
  if (const auto found = presenters_.find(code); found != presenters_.end())
    for (const Handler& presenter : found->second) presenter();
}

void TfrmMain::present(int code, Handler presenter) { presenters_[code].push_back(std::move(presenter)); }
