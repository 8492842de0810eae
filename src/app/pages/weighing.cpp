// "Вес": zero, tare, tare value, state requests, goods data and the live display.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

#include "display/tfrm_display.h"
#include "main_window/tfrm_main.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;

void TfrmMain::wireWeighingPage() {
  onClick(ui.Button23, &TfrmMain::Button23Click);
  onClick(ui.Button24, &TfrmMain::Button24Click);
  onClick(ui.Button25, &TfrmMain::Button25Click);
  onClick(ui.Button18, &TfrmMain::Button18Click);
  onClick(ui.Button34, &TfrmMain::Button34Click);
  onClick(ui.Button35, &TfrmMain::Button35Click);
  onClick(ui.Button20, &TfrmMain::Button20Click);
}

void TfrmMain::Button23Click() {
  runFramed([this] { writePassword(); }, "SetZero", 0x30);
}

void TfrmMain::Button24Click() {
  runFramed([this] { writePassword(); }, "SetTare", 0x31);
}

void TfrmMain::Button25Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Tare", Variant(decimalField(ui.Edit1)));
      },
      "SetTareValue", 0x32);
}

void TfrmMain::Button18Click() {
  runFramed([this] { writePassword(); }, "GetChannelStatus", 0x3A, {}, [this] { ui.Memo3->clear(); });
}

void TfrmMain::Button34Click() {
  runFramed([this] { writePassword(); }, "GetChannelStatusEx", 0x11, {}, [this] { ui.Memo3->clear(); });
}

void TfrmMain::Button35Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Price", Variant(decimalField(ui.Edit12)));
        Driver.put("Quantity", Variant(intField(ui.Edit14)));
        Driver.put("GoodType", Variant(ui.RadioGroup3->itemIndex()));
      },
      "SetGoodData", 0x33);
}

void TfrmMain::Button20Click() {
  writePassword();
  if (Driver.callInt("GetChannelStatus") == 0) {
    setWindowState(windowState() | Qt::WindowMinimized);
    // Restored also when the display cannot open.
    const auto restore = qScopeGuard([this] { setWindowState(windowState() & ~Qt::WindowMinimized); });
    ShowWeightDisplay(Driver, logging_.file, logging_.period, logging_.step, options_.formats, this, options_.showError);
  }
  ShowCommandResult(0);
}
