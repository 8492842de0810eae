// "Весовые каналы": channel count, selection, switching, characteristics and restart.
#pragma once

#include "pages/page.h"
#include "ui_channels.h"

class ChannelsPage : public Page {
 public:
  ChannelsPage(const PageContext& context, QWidget* parent);

  void applyDefaults() override;
  std::vector<SavedInput> savedInputs() const override;

 private:
  void Button27Click();
  void Button33Click();
  void Button28Click();
  void Button29Click();
  void Button30Click();
  void Button31Click();
  void Button32Click();
  void presentChannelsCount();  // 0xE5
  void presentChannelParam();   // 0xE8
  void presentActiveChannel();  // 0xEA
  void presentChannelOn();      // 0x11 and 0x3A: CheckBox5 from ChannelON, not coloured

  Ui::ChannelsPage ui;
};
