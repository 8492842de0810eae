// "Вес": zero, tare, tare value, state requests, goods data and the live display.
#pragma once

#include "pages/page.h"
#include "ui_weighing.h"

class WeighingPage : public Page {
 public:
  WeighingPage(const PageContext& context, QWidget* parent);

  void applyDefaults() override;
  std::vector<SavedInput> savedInputs() const override;

 private:
  void Button23Click();
  void Button24Click();
  void Button25Click();
  void Button18Click();
  void Button34Click();
  void Button35Click();
  void Button20Click();
  void presentChannelStatus();    // 0x3A
  void presentChannelStatusEx();  // 0x11: with the goods block, written back into the inputs

  Ui::WeighingPage ui;
};
