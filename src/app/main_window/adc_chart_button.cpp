// "График АЦП" on "Градуировка": the one chart window of the continuous ADC
// reading, and the ticks it is fed.
#include "adc_chart/tfrm_adc_chart.h"
#include "main_window/tfrm_main.h"

void TfrmMain::btnAdcChartClick() {
  if (!adcChart_) adcChart_ = new TfrmAdcChart(options_.formats, this, options_.showError);
  adcChart_->show();
  adcChart_->raise();
  adcChart_->activateWindow();
}

void TfrmMain::chartAdcTick(std::optional<int32_t> adcValue) {
  if (adcChart_) adcChart_->addReading(adcValue);
}
