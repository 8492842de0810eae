// "Начало": connect, disconnect, exchange parameters, device type, mode,
// reset and checksum.
#include <QComboBox>
#include <QLineEdit>

#include "core/result_texts.h"
#include "radio_group.h"
#include "tfrm_main.h"

using lk40::automation::Variant;

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
