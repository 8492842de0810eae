// "График" on the weight display: the toggle below the two big buttons and
// the chart panel it grows the window by, beneath everything else. Up, the
// window has exactly its fixed size; the panel is made at the first press
// and from then on takes every poll, shown or not.
#pragma once

#include <QObject>
#include <QSize>
#include <cstdint>
#include <optional>

#include "display/display_ui.h"
#include "platform/regional_formats.h"
#include "widgets/error_box.h"

class QToolButton;
class TrendPanel;

class DisplayChart : public QObject {
  Q_OBJECT

 public:
  DisplayChart(QDialog* window, DisplayUi& ui, const lk40::platform::RegionalFormats& formats, ErrorBox showError);

  // One poll: the weight it showed, or nothing when it failed or showed an
  // error text; mode is the poll's mode word.
  void poll(std::optional<double> weight, int32_t mode);

  QToolButton* toggle() const { return toggle_; }
  TrendPanel* panel() const { return panel_; }

 private:
  void toggled(bool on);

  QDialog* window_;
  lk40::platform::RegionalFormats formats_;
  ErrorBox showError_;
  QToolButton* toggle_;
  TrendPanel* panel_ = nullptr;
  QSize fixedSize_;
};
