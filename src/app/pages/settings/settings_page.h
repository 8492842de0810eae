// "Настройки": password change, key emulation, keyboard lock and supply state.
#pragma once

#include "pages/page.h"
#include "ui_settings.h"

class SettingsPage : public Page {
 public:
  SettingsPage(const PageContext& context, QWidget* parent);

  void applyDefaults() override;
  std::vector<SavedInput> savedInputs() const override;

 private:
  void Button19Click();
  void Button67Click();
  void Button16Click();
  void Button14Click();
  void presentVoltage();  // 0xF3

  Ui::SettingsPage ui;
};
