// "Настройки": password change, key emulation, keyboard lock and supply state.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main_window/tfrm_main.h"

using lk40::automation::Variant;

void TfrmMain::wireSettingsPage() {
  onClick(ui.Button19, &TfrmMain::Button19Click);
  onClick(ui.Button67, &TfrmMain::Button67Click);
  onClick(ui.Button16, &TfrmMain::Button16Click);
  onClick(ui.Button14, &TfrmMain::Button14Click);
}

// The password field keeps the old password: the operator types the new one
// there before the next operation that needs it.
void TfrmMain::Button19Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("NewPassword", Variant(intField(ui.Edit4)));
      },
      "SetPassword", 0x16);
}

void TfrmMain::Button67Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Key", Variant(intField(ui.Edit123)));
      },
      "KeyEmulation", 0x08);
}

// One button for both: the check box alone decides lock or unlock.
void TfrmMain::Button16Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("LockKeyboardON", Variant(ui.CheckBox7->isChecked()));
      },
      "LockKeyboard", 0x09);
}

void TfrmMain::Button14Click() {
  runFramed([this] { writePassword(); }, "GetVoltage", 0xF3, {}, [this] { ui.Memo4->clear(); });
}
