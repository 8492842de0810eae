#include "display/display_chart.h"

#include <QDialog>
#include <QLayout>
#include <QToolButton>
#include <QScreen>
#include <algorithm>

#include "core/weight_display_state.h"
#include "trend/trend_panel.h"

DisplayChart::DisplayChart(QDialog* window, DisplayUi& ui, const lk40::platform::RegionalFormats& formats,
                           ErrorBox showError)
    : QObject(window),
      window_(window),
      formats_(formats),
      showError_(std::move(showError)),
      toggle_(new QToolButton(window)),
      fixedSize_(window->size()) {
  toggle_->setObjectName(QStringLiteral("btnChart"));
  toggle_->setText(QStringLiteral("График"));
  toggle_->setCheckable(true);
  toggle_->setFocusPolicy(Qt::StrongFocus);
  // Below the big buttons, in the room the lamps' row leaves at its end, no
  // higher than a lamp: the window keeps the size it was fixed at.
  int rowHeight = 0;
  for (const QWidget* w : {static_cast<QWidget*>(ui.Image4), static_cast<QWidget*>(ui.Label7)})
    rowHeight = std::max(rowHeight, w->sizeHint().height());
  toggle_->setFixedHeight(rowHeight);
  // Before the row's closing stretch, so that a window widened for the
  // chart keeps it where it was.
  ui.lamps->insertSpacing(ui.lamps->count() - 1, 6);
  ui.lamps->insertWidget(ui.lamps->count() - 1, toggle_);
  // A face whose words are wide beside its digits leaves the lamps' row no
  // room for it; the tare's row always has some, since the tare's digits are
  // smaller than the weight's that set the width.
  if (window_->layout()->totalMinimumSize().width() > fixedSize_.width()) {
    ui.lamps->removeWidget(toggle_);
    delete ui.lamps->takeAt(ui.lamps->count() - 2);
    ui.tareRow->addWidget(toggle_, 0, Qt::AlignBottom);
  }
  // A window widened for the chart gives the room to the right of the big
  // buttons; at its fixed size there is none to give.
  ui.displayTop->addStretch(1);
  window_->setFixedSize(fixedSize_);
  connect(toggle_, &QToolButton::toggled, this, &DisplayChart::toggled);
}

void DisplayChart::poll(std::optional<double> weight, int32_t mode) {
  if (!panel_) return;
  if (weight)
    panel_->addPoint(*weight, lk40::core::weightDisplayState(mode).settledLamp);
  else
    panel_->addGap();
}

void DisplayChart::toggled(bool on) {
  if (on && !panel_) {
    panel_ = new TrendPanel(TrendPanel::weight(), formats_, showError_, window_);
    panel_->setObjectName(QStringLiteral("pnlChart"));
    window_->layout()->addWidget(panel_);
  }
  if (on) {
    panel_->show();
    // A chart wants room: the window may be resized while it is shown.
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_->layout()->activate();
    window_->setMinimumSize(window_->minimumSizeHint().expandedTo(fixedSize_));
    window_->resize(window_->sizeHint().expandedTo(fixedSize_));
    // Grown to the right and down, it stays on its screen.
    if (const QScreen* screen = window_->screen()) {
      const QRect room = screen->availableGeometry();
      const QRect frame = window_->frameGeometry();
      window_->move(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())),
                    std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
    }
  } else if (panel_) {
    panel_->hide();
    window_->setFixedSize(fixedSize_);
  }
}
