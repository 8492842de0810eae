// "График АЦП": the continuous ADC reading's ticks as a trend in converter
// counts, with the peak-to-peak noise and the noise-free bits. One window,
// not modal, above the main window; it keeps the ticks while it exists, shown
// or not.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "platform/regional_formats.h"
#include "widgets/error_box.h"

class TrendPanel;

class TfrmAdcChart : public QWidget {
  Q_OBJECT

 public:
  TfrmAdcChart(const lk40::platform::RegionalFormats& formats, QWidget* owner, ErrorBox showError = {});

  // One tick of the reading: the ADC value, or nothing when the tick failed.
  void addReading(std::optional<int32_t> adcValue);
  TrendPanel* panel() const { return panel_; }

 private:
  TrendPanel* panel_;
};
