// "Начало": connect, disconnect, exchange parameters, device type, mode,
// reset and checksum.
#pragma once

#include "pages/page.h"
#include "ui_connection.h"

class ConnectionPage : public Page {
 public:
  ConnectionPage(const PageContext& context, QWidget* parent);

  void applyDefaults() override;
  std::vector<SavedInput> savedInputs() const override;
  void connectionChanged(ConnectionReadBack what) override;

 private:
  void Button15Click();
  void Button68Click();
  void btnGetChangeParamClick();
  void btnSetChangeParamClick();
  void Button36Click();
  void Button1Click();
  void Button2Click();
  void Button21Click();
  void Button37Click();
  void presentDeviceMetrics();   // 0xFC
  void presentMode();            // 0x12
  void presentExchangeParams();  // 0x15
  void presentDeviceCrc();       // 0xF2

  Ui::ConnectionPage ui;
};
