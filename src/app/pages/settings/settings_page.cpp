#include "pages/settings/settings_page.h"

#include "core/result_texts.h"
#include "pages/page_id.h"

using lk40::automation::Variant;

SettingsPage::SettingsPage(const PageContext& context, QWidget* parent) : Page(context, PageID::Settings, parent) {
  ui.setupUi(this);
  fitForm();
  guardIntegerFields({ui.Edit4, ui.Edit123});
  onClick(ui.Button19, &SettingsPage::Button19Click);
  onClick(ui.Button67, &SettingsPage::Button67Click);
  onClick(ui.Button16, &SettingsPage::Button16Click);
  onClick(ui.Button14, &SettingsPage::Button14Click);
  present(0xF3, &SettingsPage::presentVoltage);
}

void SettingsPage::applyDefaults() {
  ui.Edit4->setText(QStringLiteral("0"));
  ui.Edit123->setText(QStringLiteral("0"));
  ui.Memo4->clear();
  ui.CheckBox7->setChecked(false);
}

std::vector<SavedInput> SettingsPage::savedInputs() const { return {{54, ui.Edit4}, {56, ui.Edit123}, {58, ui.CheckBox7}}; }

// The password field keeps the old password: the operator types the new one
// there before the next operation that needs it.
void SettingsPage::Button19Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("NewPassword", Variant(intField(ui.Edit4)));
      },
      "SetPassword", 0x16);
}

void SettingsPage::Button67Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Key", Variant(intField(ui.Edit123)));
      },
      "KeyEmulation", 0x08);
}

// One button for both: the check box alone decides lock or unlock.
void SettingsPage::Button16Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("LockKeyboardON", Variant(ui.CheckBox7->isChecked()));
      },
      "LockKeyboard", 0x09);
}

void SettingsPage::Button14Click() {
  runFramed([this] { writePassword(); }, "GetVoltage", 0xF3, {}, [this] { ui.Memo4->clear(); });
}

void SettingsPage::presentVoltage() {
  paint(ui.Memo4);
  lk40::core::appendSupplyBlock(Driver, formats_, [this](const std::string& l) { appendLine(ui.Memo4, l); });
}
