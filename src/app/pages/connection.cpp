// "Начало": connect, disconnect, exchange parameters, device type, mode,
// reset and checksum.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/result_texts.h"
#include "main_window/tfrm_main.h"
#include "pages/page_forms.h"
#include "widgets/combo_box.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;

void TfrmMain::wireConnectionPage() {
  onClick(ui.Button15, &TfrmMain::Button15Click);
  onClick(ui.Button68, &TfrmMain::Button68Click);
  onClick(ui.btnGetChangeParam, &TfrmMain::btnGetChangeParamClick);
  onClick(ui.btnSetChangeParam, &TfrmMain::btnSetChangeParamClick);
  onClick(ui.Button36, &TfrmMain::Button36Click);
  onClick(ui.Button1, &TfrmMain::Button1Click);
  onClick(ui.Button2, &TfrmMain::Button2Click);
  onClick(ui.Button21, &TfrmMain::Button21Click);
  onClick(ui.Button37, &TfrmMain::Button37Click);
}

void TfrmMain::Button15Click() {
  runFramed(
      [this] {
        Driver.put("ComNumber", Variant(ui.ComboBox2->currentIndex() + 1));
        Driver.put("BaudRate", Variant(ui.cbBaudRate->currentIndex()));
        Driver.put("Timeout", Variant(intField(ui.edtTimeOut)));
      },
      "Connect", 0xFC);
}

void TfrmMain::Button68Click() { runFramed({}, "Disconnect", 0); }

void TfrmMain::btnGetChangeParamClick() {
  runFramed([this] { writePassword(); }, "GetExchangeParam", 0x15);
}

void TfrmMain::btnSetChangeParamClick() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("BaudRate", Variant(ui.cbBaudRate->currentIndex()));
        Driver.put("Timeout", Variant(intField(ui.edtTimeOut)));
        try {
          Driver.put("PortNumber", Variant(intField(ui.Edit17)));
        } catch (const std::exception&) {
          // Drivers without a port number still set the other parameters.
        }
      },
      "SetExchangeParam", 0x14);
}

void TfrmMain::Button36Click() { runFramed({}, "GetDeviceMetrics", 0xFC); }

void TfrmMain::Button1Click() { runFramed({}, "GetMode", 0x12); }

void TfrmMain::Button2Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Mode", Variant(lk40::core::modeForItem(ui.RadioGroup1->itemIndex())));
      },
      "SetMode", 0x07);
}

void TfrmMain::Button21Click() {
  runFramed([this] { writePassword(); }, "Reset", 0xF0);
}

void TfrmMain::Button37Click() { runFramed({}, "GetDeviceCRC", 0xF2); }

void finishConnectionForm(MainUi& ui) {
  // The 32 ports are made by rule, not listed in the form.
  for (int i = 1; i <= 32; ++i) ui.ComboBox2->addItem(QStringLiteral("Com%1").arg(i));
  ui.ComboBox2->setCurrentIndex(0);
  followTextWithIndex(ui.ComboBox2);
}
