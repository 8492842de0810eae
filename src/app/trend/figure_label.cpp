#include "trend/figure_label.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

FigureLabel::FigureLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
  setAccessibleName(caption);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // It fills its own ground, so nothing under it is drawn first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void FigureLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
      event->type() == QEvent::EnabledChange)
    pictures_.clear();
}

// A character as wide as it advances the text, as high as a line, on the
// label's ground.
const QPixmap& FigureLabel::picture(QChar ch) {
  auto it = pictures_.constFind(ch);
  if (it != pictures_.constEnd()) return *it;
  const QFontMetrics fm = fontMetrics();
  const qreal ratio = devicePixelRatioF();
  QPixmap pixmap(QSize(std::max(1, fm.horizontalAdvance(ch)), fm.height()) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(palette().color(backgroundRole()));
  QPainter p(&pixmap);
  p.setFont(font());
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  p.drawText(QPointF(0, fm.ascent()), QString(ch));
  return *pictures_.insert(ch, pixmap);
}

void FigureLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(backgroundRole()));
  const QString shown = text();
  int width = 0;
  for (const QChar ch : shown) width += static_cast<int>(picture(ch).deviceIndependentSize().width());
  const QRect r = contentsRect();
  int x = alignment() & Qt::AlignRight ? r.right() + 1 - width : r.left();
  const int y = r.top() + (r.height() - fontMetrics().height()) / 2;
  for (const QChar ch : shown) {
    const QPixmap& glyph = picture(ch);
    p.drawPixmap(x, y, glyph);
    x += static_cast<int>(glyph.deviceIndependentSize().width());
  }
}
