// "ЛУ": the driver's logical devices, listed and rebuilt from scratch after
// every change, read, written and made active. No operation sends a password.
#pragma once

#include "pages/page.h"
#include "ui_logical_devices.h"

class LogicalDevicesPage : public Page {
 public:
  LogicalDevicesPage(const PageContext& context, QWidget* parent);

  void applyDefaults() override;
  std::vector<SavedInput> savedInputs() const override;
  void shown() override;    // the list is rebuilt
  void closing() override;  // the list lets go of its selection

 private:
  void Button6Click();  // rebuild of the logical-device list
  void Button72Click();
  void Button71Click();
  void Button7Click();
  void Button69Click();
  void Button70Click();
  void Button10Click();
  void Button8Click();
  void ListView1SelectItem(QTreeWidgetItem* row);
  void readLdNumber(const char* method, const char* property, QLineEdit* field);
  void writeLdSettings();  // LDName, LDComNumber, LDBaudrate, LDTimeout
  // LDName, LDNumber into "Номер ЛУ" when withNumber, LDComNumber, LDBaudrate, LDTimeout.
  void showLdSettings(bool withNumber);

  Ui::LogicalDevicesPage ui;
};
