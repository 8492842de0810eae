#include "trend/trend_chart.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/exchange_journal.h"
#include "core/numbers.h"

using lk40::core::TrendColumn;
using lk40::core::TrendWindow;

namespace {

// Dark ink on white, a curve that stands out from the grid in colour and in
// brightness, a readout on a pale note.
const QColor kGround(255, 255, 255);
const QColor kFrame(140, 140, 140);
const QColor kGrid(224, 224, 224);
const QColor kInk(0, 0, 0);
const QColor kCurve(0, 60, 170);
const QColor kCursor(110, 110, 110);
const QColor kMarker(200, 30, 30);
const QColor kNote(255, 255, 220);

constexpr int kGap = 6;
constexpr int64_t kDayMs = 86'400'000;
const QString kNoPoints = QStringLiteral("Нет точек");
const QString kPausedMark = QStringLiteral("Пауза");

}  // namespace

TrendChart::TrendChart(const lk40::core::TrendSeries& series, Clock clock, QWidget* parent)
    : QWidget(parent),
      series_(series),
      clock_(std::move(clock)),
      idleTimer_(new QTimer(this)),
      mouseTimer_(new QTimer(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(360, 200);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  measure();
  idleTimer_->setInterval(kIdleRedrawMs);
  connect(idleTimer_, &QTimer::timeout, this, [this] { bringUpToDate(true); });
  mouseTimer_->setSingleShot(true);
  connect(mouseTimer_, &QTimer::timeout, this, [this] { redrawForMouse(); });
}

void TrendChart::setFormat(int decimals, const QString& unit, char separator, int integerDigits) {
  decimals_ = decimals;
  unit_ = unit;
  separator_ = separator;
  integerDigits_ = integerDigits;
  measure();
  touch();
}

void TrendChart::setSpanMs(int64_t spanMs) {
  spanMs_ = spanMs;
  touch();
}

void TrendChart::setPaused(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  if (paused_) frozenEndMs_ = columns_.window().endMs;
  touch();
}

void TrendChart::touch() {
  dirty_ = true;
  whole_ = true;
  if (isVisible()) bringUpToDate(false);
}

void TrendChart::seriesGrew() {
  if (isVisible()) bringUpToDate(true);
}

void TrendChart::redrawForMouse() {
  const qint64 since = sinceMouseRedraw_.isValid() ? sinceMouseRedraw_.elapsed() : kRedrawMs;
  if (since < kRedrawMs) {
    if (!mouseTimer_->isActive()) mouseTimer_->start(static_cast<int>(kRedrawMs - since));
    return;
  }
  sinceMouseRedraw_.start();
  update();
}

void TrendChart::refresh() {
  dirty_ = true;
  bringUpToDate(false);
}

void TrendChart::measure() {
  const QFontMetrics fm = fontMetrics();
  const QString widest = QLatin1Char('-') + QString(integerDigits_, QLatin1Char('0')) +
                         (decimals_ > 0 ? QLatin1Char(separator_) + QString(decimals_, QLatin1Char('0')) : QString());
  margins_ = QMargins(fm.horizontalAdvance(widest) + 2 * kGap, fm.height() / 2 + kGap, 2 * kGap, fm.height() + 2 * kGap);
  labelWidth_ = fm.horizontalAdvance(QStringLiteral("00:00:00,0")) + 3 * kGap;
  texts_.clear();
}

void TrendChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    measure();
    touch();
  }
}

const QStaticText& TrendChart::staticText(const QString& text) {
  auto it = texts_.find(text);
  if (it == texts_.end()) {
    if (texts_.size() > 512) texts_.clear();
    it = texts_.insert(text, QStaticText(text));
    it->setTextFormat(Qt::PlainText);
    it->prepare(QTransform(), font());
  }
  return *it;
}

// The columns, inside the frame.
QRect TrendChart::plotRect() const {
  const QRect r = rect().marginsRemoved(margins_).adjusted(1, 1, -1, -1);
  return QRect(r.topLeft(), QSize(std::max(1, r.width()), std::max(1, r.height())));
}

int TrendChart::maxValueTicks() const { return std::max(2, plotRect().height() / (fontMetrics().height() * 5 / 2)); }

void TrendChart::bringUpToDate(bool live) {
  const TrendWindow before = columns_.window();
  const int64_t newestBefore = newestKey_;
  const auto columns = static_cast<std::size_t>(plotRect().width());
  const TrendWindow w = lk40::core::trendWindow(series_, spanMs_, paused_ ? frozenEndMs_ : clock_(), columns,
                                                columns / kJumps);
  const bool cleared = series_.generation() != seenGeneration_;
  const uint64_t fresh = paused_ || cleared ? 0 : series_.added() - seenAdded_;
  const bool moved = w.columns != before.columns || w.widthMs != before.widthMs || w.lastKey != before.lastKey;
  if (!dirty_ && !cleared) {
    if (fresh == 0 && !moved) return;
    // A frame costs as much as a few polls: a live look draws one after
    // every few points, and once a second when fewer come or the view jumped.
    if (live && sinceRedraw_.isValid()) {
      const qint64 since = sinceRedraw_.elapsed();
      if (since < kRedrawMs || (fresh < kPointsPerRedraw && since < kIdleRedrawMs)) return;
    }
  }
  columns_.update(series_, w);
  extremes_ = columns_.extremes();
  lk40::core::ValueRange range;
  if (extremes_.count == 0)
    range = {};
  else if (whole_ || cleared || !hasRange_)  // a new picture starts from the tightest range
    range = lk40::core::chartRange(extremes_.min, extremes_.max, decimals_, maxValueTicks());
  else
    range = lk40::core::keptRange(range_, extremes_.min, extremes_.max, decimals_, maxValueTicks());
  if (!(range == range_) || cleared) whole_ = true;
  range_ = range;
  hasRange_ = extremes_.count > 0;
  const auto [first, last] = shownPoints();
  newestKey_ = last > first ? w.keyOf(series_.timeAt(last - 1)) : w.firstKey();
  seenAdded_ = series_.added();
  seenGeneration_ = series_.generation();
  dirty_ = false;
  sinceRedraw_.start();
  emit viewChanged(live);
  if (whole_ || mouse_ || extremes_.count == 0) {
    whole_ = false;
    update();
  } else {
    updateChanged(before, newestBefore);
  }
}

void TrendChart::updateChanged(const TrendWindow& before, int64_t newestBefore) {
  const TrendWindow& w = columns_.window();
  const QRect plot = plotRect();
  const int64_t slid = w.lastKey - before.lastKey;
  if (w.columns != before.columns || w.widthMs != before.widthMs || slid < 0 || slid >= plot.width()) {
    update();
    return;
  }
  // One rectangle from the leftmost change to the right end, columns and
  // time texts: a single rectangle is the cheapest thing to draw into.
  const int k = static_cast<int>(slid);
  int left = plot.right() + 1 - k;
  if (k > 0) {
    // The columns and the time texts under them move left as one; the
    // window system moves the pixels.
    scroll(-k, 0, QRect(plot.left(), plot.top(), plot.width(), height() - plot.top()));
    // A time text that stuck out on the right before may fit now.
    const double zeroMs = w.startMs(w.firstKey());
    const int64_t fromOfDay = timeOfDay(static_cast<int64_t>(std::floor(zeroMs)));
    const int64_t toOfDay = fromOfDay + static_cast<int64_t>(w.widthMs * static_cast<double>(w.columns));
    const auto times = lk40::core::timeTicks(fromOfDay, toOfDay, std::max(1, plot.width() / labelWidth_));
    for (int i = 0; i < times.count; ++i) {
      const int x = plot.left() + static_cast<int>(std::floor(
                                      (static_cast<double>(times.at(i) - timeOfDayAtZero_) - zeroMs) / w.widthMs));
      if (x + labelWidth_ / 2 > plot.right() - k) left = std::min(left, x - labelWidth_ / 2);
    }
  }
  // The newest column drawn before may have taken more points, and the
  // stroke goes on from it to the newest now.
  left = std::min(left, plot.left() + static_cast<int>(std::max(newestBefore - 1, w.firstKey()) - w.firstKey()));
  left = std::max(left, plot.left());
  update(QRect(left, plot.top(), plot.right() + 1 - left, height() - plot.top()));
  // Once the ring drops points the oldest column is made again from those held.
  if (series_.added() > series_.size()) update(QRect(plot.left(), plot.top(), 2, plot.height()));
}

std::pair<std::size_t, std::size_t> TrendChart::shownPoints() const {
  const TrendWindow& w = columns_.window();
  std::size_t first = series_.firstAtOrAfter(static_cast<int64_t>(std::floor(w.startMs(w.firstKey()))) - 1);
  while (first < series_.size() && w.keyOf(series_.timeAt(first)) < w.firstKey()) ++first;
  std::size_t last = std::max(first, series_.firstAtOrAfter(w.endMs + 1));
  while (last > first && w.keyOf(series_.timeAt(last - 1)) > w.lastKey) --last;
  return {first, last};
}

QString TrendChart::valueText(double value, int decimals) const {
  return QString::fromStdString(lk40::core::formatDecimals(value, decimals, separator_));
}

std::optional<std::size_t> TrendChart::pointUnder(int x) const {
  const auto [first, last] = shownPoints();
  if (first >= last) return std::nullopt;
  const TrendWindow& w = columns_.window();
  const double key = w.firstKey() + (x - plotRect().left() + 0.5);
  const auto t = static_cast<int64_t>(std::llround(key * w.widthMs));
  std::size_t i = std::clamp(series_.firstAtOrAfter(t), first, last - 1);
  if (i > first && t - series_.timeAt(i - 1) < series_.timeAt(i) - t) --i;
  return i;
}

QString TrendChart::readout() const {
  if (!mouse_ || !plotRect().contains(*mouse_)) return {};
  const auto i = pointUnder(mouse_->x());
  if (!i) return {};
  const int64_t ofDay = (timeOfDay(series_.timeAt(*i)) % kDayMs + kDayMs) % kDayMs;
  QString text = QString::fromStdString(lk40::core::timeOfDayText(static_cast<int32_t>(ofDay))) +
                 QStringLiteral("   ") + valueText(series_.valueAt(*i), decimals_);
  if (!unit_.isEmpty()) text += QLatin1Char(' ') + unit_;
  return text;
}

void TrendChart::paintEvent(QPaintEvent* event) {
  ++redraws_;
  // Only what was asked for is drawn: while the picture slides, a strip a
  // few columns wide and the time texts coming in.
  QPainter p(this);
  for (const QRect& part : event->region()) paintPart(p, part);
  paintOverlay(p);
}

void TrendChart::paintPart(QPainter& p, const QRect& dirty) {
  p.fillRect(dirty, kGround);
  const QRect plot = plotRect();
  const QRect frame = plot.adjusted(-1, -1, 1, 1);
  const TrendWindow& w = columns_.window();
  const auto yOf = [&](double v) { return plot.bottom() + 1 - (v - range_.lo) / (range_.hi - range_.lo) * plot.height(); };
  const double zeroMs = w.startMs(w.firstKey());
  const auto xOf = [&](double seriesMs) { return plot.left() + (seriesMs - zeroMs) / w.widthMs; };
  // Grid lines are rectangles a pixel wide: the cheapest thing a raster engine draws.
  const auto fill = [&](const QRect& r, const QColor& colour) {
    const QRect part = r.intersected(dirty);
    if (!part.isEmpty()) p.fillRect(part, colour);
  };
  const auto text = [&](const QPointF& at, const QString& s) {
    const QStaticText& t = staticText(s);
    if (QRectF(at, t.size()).intersects(dirty)) p.drawStaticText(at, t);
  };

  p.setPen(kInk);
  if (extremes_.count > 0) {
    const auto ticks = lk40::core::valueTicks(range_.lo, range_.hi, maxValueTicks());
    for (int i = 0; i < ticks.count; ++i) {
      const int y = static_cast<int>(std::lround(yOf(ticks.at(i))));
      if (y < plot.top() || y > plot.bottom()) continue;
      fill(QRect(plot.left(), y, plot.width(), 1), kGrid);
      const QString s = valueText(ticks.at(i), ticks.decimals);
      if (dirty.left() < frame.left()) {
        const QSizeF size = staticText(s).size();
        text(QPointF(frame.left() - kGap - size.width(), y - size.height() / 2), s);
      }
    }
  }
  const int64_t fromOfDay = timeOfDay(static_cast<int64_t>(std::floor(zeroMs)));
  const int64_t toOfDay = fromOfDay + static_cast<int64_t>(w.widthMs * static_cast<double>(w.columns));
  const auto times = lk40::core::timeTicks(fromOfDay, toOfDay, std::max(1, plot.width() / labelWidth_));
  for (int i = 0; i < times.count; ++i) {
    const int x = static_cast<int>(std::floor(xOf(static_cast<double>(times.at(i) - timeOfDayAtZero_))));
    if (x + labelWidth_ < dirty.left() || x - labelWidth_ > dirty.right()) continue;
    fill(QRect(x, plot.top(), 1, plot.height()), kGrid);
    // A text stands under the columns whole or not at all, so that it
    // slides with them.
    const QString s = QString::fromStdString(lk40::core::timeTickText(times.at(i), times.step, separator_));
    const double half = staticText(s).size().width() / 2;
    if (x - half >= plot.left() && x + half <= plot.right()) text(QPointF(x - half, frame.bottom() + kGap), s);
  }
  for (const QRect& side : {QRect(frame.left(), frame.top(), frame.width(), 1),
                            QRect(frame.left(), frame.bottom(), frame.width(), 1),
                            QRect(frame.left(), frame.top(), 1, frame.height()),
                            QRect(frame.right(), frame.top(), 1, frame.height())})
    fill(side, kFrame);

  // The curve: per column the first value, the extremes, the last value; a
  // break ends the stroke. Only the columns asked for, from the last one
  // before them that holds points, where the stroke comes from.
  const QRect curveArea = plot.intersected(dirty);
  if (curveArea.isEmpty()) return;
  p.setClipRect(curveArea);
  p.setPen(QPen(kCurve, 0));  // cosmetic: one pixel whatever the scale
  QPolygonF stroke;
  const auto flush = [&] {
    if (stroke.size() == 1)
      p.drawPoint(stroke.front());
    else if (stroke.size() > 1)
      p.drawPolyline(stroke);
    stroke.clear();
  };
  int64_t fromKey = std::max(w.firstKey(), w.firstKey() + (dirty.left() - plot.left()) - 1);
  const int64_t toKey = std::min(w.lastKey, w.firstKey() + (dirty.right() - plot.left()) + 1);
  for (int64_t key = fromKey - 1; key >= w.firstKey(); --key) {
    if (columns_.at(key)) {
      fromKey = key;
      break;
    }
  }
  stroke.reserve(4 * static_cast<int>(std::max<int64_t>(0, toKey - fromKey + 1)));
  for (int64_t key = fromKey; key <= toKey; ++key) {
    const TrendColumn* c = columns_.at(key);
    if (!c) continue;
    if (c->breakBefore) flush();
    const double x = plot.left() + static_cast<double>(key - w.firstKey()) + 0.5;
    stroke << QPointF(x, yOf(c->first));
    if (c->moments.count > 1)
      stroke << QPointF(x, yOf(c->moments.min)) << QPointF(x, yOf(c->moments.max)) << QPointF(x, yOf(c->last));
  }
  flush();
  p.setClipping(false);
}

void TrendChart::paintOverlay(QPainter& p) {
  const QRect plot = plotRect();
  const TrendWindow& w = columns_.window();
  const auto yOf = [&](double v) { return plot.bottom() + 1 - (v - range_.lo) / (range_.hi - range_.lo) * plot.height(); };
  const auto xOf = [&](double seriesMs) { return plot.left() + (seriesMs - w.startMs(w.firstKey())) / w.widthMs; };
  p.setPen(kInk);
  if (extremes_.count == 0) p.drawText(plot, Qt::AlignCenter, kNoPoints);
  if (paused_) {
    p.setPen(kMarker);
    p.drawText(plot.adjusted(kGap, kGap / 2, -kGap, 0), Qt::AlignRight | Qt::AlignTop, kPausedMark);
  }

  // The reading under the mouse.
  const QString reading = readout();
  if (!reading.isEmpty()) {
    const QFontMetrics fm = fontMetrics();
    const std::size_t i = *pointUnder(mouse_->x());
    const QPointF at(xOf(static_cast<double>(series_.timeAt(i))), yOf(series_.valueAt(i)));
    p.setPen(QPen(kCursor, 1, Qt::DashLine));
    p.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kMarker, 2));
    p.drawEllipse(at, 3.5, 3.5);
    QRect box(0, 0, fm.horizontalAdvance(reading) + 2 * kGap, fm.height() + kGap);
    box.moveTopLeft(QPoint(static_cast<int>(at.x()) + 2 * kGap, mouse_->y() - box.height() - kGap));
    if (box.right() > plot.right()) box.moveRight(static_cast<int>(at.x()) - 2 * kGap);
    if (box.top() < plot.top()) box.moveTop(mouse_->y() + 2 * kGap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kFrame);
    p.setBrush(kNote);
    p.drawRect(box);
    p.setPen(kInk);
    p.drawText(box, Qt::AlignCenter, reading);
  }
}

void TrendChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  touch();
}

void TrendChart::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  idleTimer_->start();
  touch();
}

void TrendChart::hideEvent(QHideEvent* event) {
  idleTimer_->stop();
  mouseTimer_->stop();
  QWidget::hideEvent(event);
}

void TrendChart::mouseMoveEvent(QMouseEvent* event) {
  mouse_ = event->position().toPoint();
  redrawForMouse();
}

void TrendChart::leaveEvent(QEvent* event) {
  mouse_.reset();
  redrawForMouse();
  QWidget::leaveEvent(event);
}
