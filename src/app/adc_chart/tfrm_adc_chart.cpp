#include "adc_chart/tfrm_adc_chart.h"

#include <QVBoxLayout>

#include "trend/trend_panel.h"

TfrmAdcChart::TfrmAdcChart(const lk40::platform::RegionalFormats& formats, QWidget* owner, ErrorBox showError)
    : QWidget(owner, Qt::Window), panel_(new TrendPanel(TrendPanel::adc(), formats, std::move(showError), this)) {
  setObjectName(QStringLiteral("frmAdcChart"));
  setWindowTitle(QStringLiteral("График АЦП"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(panel_);
  resize(sizeHint());
}

void TfrmAdcChart::addReading(std::optional<int32_t> adcValue) {
  if (adcValue)
    panel_->addPoint(*adcValue, false);
  else
    panel_->addGap();
}
