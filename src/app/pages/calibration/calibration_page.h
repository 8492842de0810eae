// "Градуировка": calibration mode, calibration points and process, the ADC
// reading once and continuously.
#pragma once

#include "core/every_nth_tick.h"
#include "pages/page.h"
#include "ui_calibration.h"

class CalibrationPage : public Page {
 public:
  CalibrationPage(const PageContext& context, QWidget* parent);

  void applyDefaults() override;
  std::vector<SavedInput> savedInputs() const override;
  void started() override;
  // The continuous ADC reading, while it is on.
  std::optional<int> timerPeriod() const override;
  void timerTick() override;

 private:
  void Button26Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button9Click();
  void Button11Click();
  void Button22Click();
  void SpeedButton1Click();
  // The toggle, the timer and "Показания АЦП" as the reading flag says.
  void showAdcReading();
  void LogAdcLine();
  void presentFixedPoint();         // 0x71
  void presentCalibrationStatus();  // 0x73
  void presentAdcValue();           // 0x75

  Ui::CalibrationPage ui;
  lk40::core::EveryNthTick adcLogTicks_;
  bool adcReading_ = false;
};
