#include "widgets/pictures.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <cmath>

namespace {

constexpr int kLampSize = 16;
constexpr double kPi = 3.14159265358979323846;
// The grey of the lamp places, so that a lamp reads the same on any window colour.
const QColor kLampGround{192, 192, 192};

// The glass is a circle above a narrower neck; the screw base sits below it.
QPainterPath bulbGlass() {
  QPainterPath path;
  path.addEllipse(QRectF(4.0, 2.0, 8.0, 8.0));
  QPainterPath neck;
  neck.moveTo(5.6, 8.0);
  neck.lineTo(10.4, 8.0);
  neck.lineTo(9.6, 11.0);
  neck.lineTo(6.4, 11.0);
  neck.closeSubpath();
  return path.united(neck);
}

void drawBase(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(112, 112, 112));
  p.drawRect(QRectF(6.0, 11.0, 4.0, 3.0));
  p.setPen(QPen(QColor(64, 64, 64), 0.8));
  p.drawLine(QPointF(6.0, 12.0), QPointF(10.0, 12.0));
  p.drawLine(QPointF(6.0, 13.2), QPointF(10.0, 13.2));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(48, 48, 48));
  p.drawRect(QRectF(7.0, 14.0, 2.0, 1.2));
}

void drawRays(QPainter& p) {
  p.setPen(QPen(QColor(255, 200, 0), 1.1, Qt::SolidLine, Qt::RoundCap));
  const QPointF centre(8.0, 6.0);
  // Rays fan out above and beside the glass; the base side stays clear.
  for (const double degrees : {-180.0, -135.0, -90.0, -45.0, 0.0}) {
    const double a = degrees * kPi / 180.0;
    const QPointF dir(std::cos(a), std::sin(a));
    p.drawLine(centre + dir * 5.6, centre + dir * 7.4);
  }
}

}  // namespace

QPixmap lampPixmap(int index, qreal devicePixelRatio) {
  const bool lit = index == 1;
  const int side = static_cast<int>(std::ceil(kLampSize * devicePixelRatio));
  QPixmap pixmap(side, side);
  // The painter then draws in the 16 x 16 units of the picture.
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(kLampGround);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (lit) drawRays(p);
  const QPainterPath glass = bulbGlass();
  if (lit) {
    QRadialGradient glow(QPointF(7.0, 5.0), 6.0);
    glow.setColorAt(0.0, QColor(255, 255, 210));
    glow.setColorAt(0.5, QColor(255, 240, 60));
    glow.setColorAt(1.0, QColor(235, 180, 0));
    p.setBrush(glow);
    p.setPen(QPen(QColor(170, 120, 0), 0.8));
  } else {
    QRadialGradient shade(QPointF(7.0, 5.0), 6.0);
    shade.setColorAt(0.0, QColor(120, 120, 120));
    shade.setColorAt(1.0, QColor(60, 60, 60));
    p.setBrush(shade);
    p.setPen(QPen(QColor(40, 40, 40), 0.8));
  }
  p.drawPath(glass);
  // The filament: glowing when lit, a dull wire when not.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(lit ? QColor(200, 90, 0) : QColor(150, 150, 150), 0.8));
  QPainterPath wire;
  wire.moveTo(6.8, 9.6);
  wire.lineTo(6.8, 6.4);
  wire.lineTo(9.2, 6.4);
  wire.lineTo(9.2, 9.6);
  p.drawPath(wire);
  drawBase(p);
  return pixmap;
}

const QPixmap& LampPictures::picture(bool lit, qreal devicePixelRatio) {
  if (devicePixelRatio != ratio_) {
    unlit_ = lampPixmap(0, devicePixelRatio);
    lit_ = lampPixmap(1, devicePixelRatio);
    ratio_ = devicePixelRatio;
  }
  return lit ? lit_ : unlit_;
}

namespace {

QPixmap meterPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  // The case and its dark screen.
  p.setPen(QPen(QColor(60, 60, 60), 1.0));
  p.setBrush(QColor(170, 170, 170));
  p.drawRoundedRect(QRectF(0.5, 1.5, 15.0, 13.0), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 40, 20));
  p.drawRect(QRectF(2.0, 3.0, 12.0, 10.0));
  // A grid line through the middle, then the trace over it.
  p.setPen(QPen(QColor(40, 90, 40), 0.6));
  p.drawLine(QPointF(2.0, 8.0), QPointF(14.0, 8.0));
  QPainterPath trace;
  for (int i = 0; i <= 24; ++i) {
    const double x = 2.5 + i * 0.458;
    const double y = 8.0 - 3.2 * std::sin(i * kPi / 6.0);
    if (i == 0)
      trace.moveTo(x, y);
    else
      trace.lineTo(x, y);
  }
  p.setPen(QPen(QColor(80, 255, 80), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(trace);
  return pixmap;
}

}  // namespace

QIcon adcToggleIcon() {
  QIcon icon;
  for (const int size : {16, 20, 32}) icon.addPixmap(meterPixmap(size));
  return icon;
}
