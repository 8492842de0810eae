// "Весовые каналы": channel count, selection, switching, characteristics and restart.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "channel_dialog/tfrm_set_channel_param.h"
#include "main_window/tfrm_main.h"

using lk40::automation::Variant;

void TfrmMain::wireChannelsPage() {
  onClick(ui.Button27, &TfrmMain::Button27Click);
  onClick(ui.Button33, &TfrmMain::Button33Click);
  onClick(ui.Button28, &TfrmMain::Button28Click);
  onClick(ui.Button29, &TfrmMain::Button29Click);
  onClick(ui.Button30, &TfrmMain::Button30Click);
  onClick(ui.Button31, &TfrmMain::Button31Click);
  onClick(ui.Button32, &TfrmMain::Button32Click);
}

// The three reads send no password.
void TfrmMain::Button27Click() { runFramed({}, "GetChannelsCount", 0xE5); }

void TfrmMain::Button33Click() { runFramed({}, "GetActiveChannel", 0xEA); }

void TfrmMain::Button28Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("ChannelNumber", Variant(intField(ui.Edit9)));
      },
      "SetActiveChannel", 0xE6);
}

void TfrmMain::Button29Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("ChannelON", Variant(ui.CheckBox5->isChecked()));
      },
      "SetChannelMode", 0xE7);
}

void TfrmMain::Button30Click() {
  runFramed([this] { Driver.put("ChannelNumber", Variant(intField(ui.Edit9))); }, "GetChannelParam", 0xE8, {},
            [this] { ui.Memo1->clear(); });
}

void TfrmMain::Button31Click() {
  writePassword();
  inFrame([this] {
    if (ShowChannelParamDialog(Driver, this, options_.formats, options_.showError)) Driver.call("SetChannelParam");
  });
  // Also after a cancelled dialog, which shows the driver's last result again.
  ShowCommandResult(0xE9);
}

void TfrmMain::Button32Click() {
  runFramed([this] { writePassword(); }, "RestartChannel", 0xEF);
}
