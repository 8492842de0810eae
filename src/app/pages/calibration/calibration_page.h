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
  void btnAdcChartClick();
  // One tick of the continuous reading for the chart, once it is made.
  void chartAdcTick(std::optional<int32_t> adcValue);

  Ui::CalibrationPage ui;
  lk40::core::EveryNthTick adcLogTicks_;
  bool adcReading_ = false;
  class TfrmAdcChart* adcChart_ = nullptr;  // made on the first press of "График АЦП", a child of the window
};
