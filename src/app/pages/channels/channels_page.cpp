#include "pages/channels/channels_page.h"

#include "channel_dialog/tfrm_set_channel_param.h"
#include "core/result_texts.h"
#include "pages/page_id.h"

using lk40::automation::Variant;

ChannelsPage::ChannelsPage(const PageContext& context, QWidget* parent) : Page(context, PageID::Channels, parent) {
  ui.setupUi(this);
  fitForm();
  guardIntegerFields({ui.Edit9});
  onClick(ui.Button27, &ChannelsPage::Button27Click);
  onClick(ui.Button33, &ChannelsPage::Button33Click);
  onClick(ui.Button28, &ChannelsPage::Button28Click);
  onClick(ui.Button29, &ChannelsPage::Button29Click);
  onClick(ui.Button30, &ChannelsPage::Button30Click);
  onClick(ui.Button31, &ChannelsPage::Button31Click);
  onClick(ui.Button32, &ChannelsPage::Button32Click);
  present(0xE5, &ChannelsPage::presentChannelsCount);
  present(0xE8, &ChannelsPage::presentChannelParam);
  present(0xEA, &ChannelsPage::presentActiveChannel);
  // The weighing page's state reads carry the channel's switch too.
  present(0x11, &ChannelsPage::presentChannelOn);
  present(0x3A, &ChannelsPage::presentChannelOn);
}

void ChannelsPage::applyDefaults() {
  ui.Edit10->clear();
  ui.Edit9->setText(QStringLiteral("0"));
  ui.CheckBox5->setChecked(true);
  ui.Memo1->clear();
}

std::vector<SavedInput> ChannelsPage::savedInputs() const { return {{126, ui.Edit9}, {134, ui.CheckBox5}}; }

// The three reads send no password.
void ChannelsPage::Button27Click() { runFramed({}, "GetChannelsCount", 0xE5); }

void ChannelsPage::Button33Click() { runFramed({}, "GetActiveChannel", 0xEA); }

void ChannelsPage::Button28Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("ChannelNumber", Variant(intField(ui.Edit9)));
      },
      "SetActiveChannel", 0xE6);
}

void ChannelsPage::Button29Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("ChannelON", Variant(ui.CheckBox5->isChecked()));
      },
      "SetChannelMode", 0xE7);
}

void ChannelsPage::Button30Click() {
  runFramed([this] { Driver.put("ChannelNumber", Variant(intField(ui.Edit9))); }, "GetChannelParam", 0xE8, {},
            [this] { ui.Memo1->clear(); });
}

void ChannelsPage::Button31Click() {
  writePassword();
  inFrame([this] {
    if (ShowChannelParamDialog(Driver, window(), formats_, showError_)) Driver.call("SetChannelParam");
  });
  // Also after a cancelled dialog, which shows the driver's last result again.
  ShowCommandResult(0xE9);
}

void ChannelsPage::Button32Click() { runFramed([this] { writePassword(); }, "RestartChannel", 0xEF); }

void ChannelsPage::presentChannelsCount() {
  paint(ui.Edit10);
  ui.Edit10->setText(QString::number(Driver.getInt("ChannelsCount")));
}

void ChannelsPage::presentChannelParam() {
  paint(ui.Memo1);
  lk40::core::appendChannelBlock(Driver, formats_, [this](const std::string& l) { appendLine(ui.Memo1, l); });
}

void ChannelsPage::presentActiveChannel() {
  paint(ui.Edit9);
  ui.Edit9->setText(QString::number(Driver.getInt("ChannelNumber")));
}

void ChannelsPage::presentChannelOn() { ui.CheckBox5->setChecked(Driver.getBool("ChannelON")); }
