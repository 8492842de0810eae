// The trend chart: a series of readings against the time of day, drawn with
// QPainter as one minimum-to-maximum stroke per pixel column (core's
// TrendColumns), so a frame costs the same for a hundred points as for an
// hour of them. Round ticks on both axes, the value range fitted to the
// points with a margin and widened to whole ticks (kept while the points
// fill at least half of it), the reading under the mouse read out beside it.
//
// Whoever adds a point tells it (seriesGrew), so it looks at its series in
// the same turn of the event loop as the poll, and wakes on its own only
// once a second, to move on when no points come. It draws after
// kPointsPerRedraw new points, or after kIdleRedrawMs when fewer came, and
// never more often than every kRedrawMs (the reading under a moving mouse
// too). The view's end moves in jumps of an eighth of its width; in between,
// new columns are drawn into the free room at the right, and at a jump the
// window system moves the picture's pixels and only what came in is drawn.
// Only a new value range, size or span draws the whole picture. So a poll
// with the chart shown costs at most about a tenth more than without. A
// paused chart keeps its view while points go on arriving.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QPoint>
#include <QStaticText>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/trend_axis.h"
#include "core/trend_columns.h"
#include "core/trend_series.h"

class QPainter;
class QTimer;

class TrendChart : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRedrawMs = 100;
  static constexpr uint64_t kPointsPerRedraw = 10;
  static constexpr int kJumps = 8;  // per width of the view
  static constexpr int kIdleRedrawMs = 1000;
  // The series' clock: monotonic milliseconds.
  using Clock = std::function<int64_t()>;

  TrendChart(const lk40::core::TrendSeries& series, Clock clock, QWidget* parent = nullptr);

  // Readings with so many decimals and their unit ("кг"; may be empty);
  // room is kept for so many integer digits in the value axis' texts.
  void setFormat(int decimals, const QString& unit, char separator, int integerDigits);
  // The time of day, in ms since midnight, at the series' time 0.
  void setTimeOfDayAtZero(int64_t ms) { timeOfDayAtZero_ = ms; }
  // 0: every point held.
  void setSpanMs(int64_t spanMs);
  int64_t spanMs() const { return spanMs_; }
  void setPaused(bool paused);
  bool paused() const { return paused_; }

  // Points were added: drawn when enough came (or time enough passed).
  void seriesGrew();
  // Brings the view up to the series and the clock now, whatever came.
  void refresh();
  // The columns shown, and their points in the series, oldest first,
  // [first, last).
  const lk40::core::TrendColumns& columns() const { return columns_; }
  std::pair<std::size_t, std::size_t> shownPoints() const;
  // The reading the mouse points at, as the chart writes it beside the cursor.
  QString readout() const;
  int redraws() const { return redraws_; }
  QSize sizeHint() const override { return {560, 260}; }

 signals:
  // The columns changed: their figures are new. live: the chart's own look
  // at the series, not a change the operator or a caller asked for.
  void viewChanged(bool live);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect plotRect() const;
  void paintPart(QPainter& p, const QRect& dirty);
  // What is drawn over the picture: no points, the pause, the reading under
  // the mouse (each asks for the whole picture to be drawn).
  void paintOverlay(QPainter& p);
  void bringUpToDate(bool live);
  void touch();  // something shown changed: drawn whole at the next look
  void redrawForMouse();
  // Asks for the part of the picture that changed since it was last drawn.
  void updateChanged(const lk40::core::TrendWindow& before, int64_t newestBefore);
  std::optional<std::size_t> pointUnder(int x) const;
  int64_t timeOfDay(int64_t seriesMs) const { return timeOfDayAtZero_ + seriesMs; }
  QString valueText(double value, int decimals) const;
  int maxValueTicks() const;
  void measure();  // the margins for the axes' texts, from the font
  // A text laid out once: the ticks show the same few texts frame after frame.
  const QStaticText& staticText(const QString& text);

  const lk40::core::TrendSeries& series_;
  Clock clock_;
  lk40::core::TrendColumns columns_;
  lk40::core::TrendColumns::Extremes extremes_;
  lk40::core::ValueRange range_;
  bool hasRange_ = false;  // range_ was drawn for points
  QTimer* idleTimer_;   // slides the view on when no points come
  QTimer* mouseTimer_;  // draws the reading under a moving mouse at most every kRedrawMs
  int64_t spanMs_ = 60'000;
  bool paused_ = false;
  bool dirty_ = true;   // the view must be brought up to date
  bool whole_ = true;   // the next frame is drawn whole
  int64_t frozenEndMs_ = 0;
  int64_t newestKey_ = 0;  // the column of the newest point shown
  uint64_t seenAdded_ = 0;
  uint64_t seenGeneration_ = 0;
  int64_t timeOfDayAtZero_ = 0;
  int decimals_ = 4;
  QString unit_;
  char separator_ = '.';
  int integerDigits_ = 6;
  std::optional<QPoint> mouse_;
  QMargins margins_;
  int labelWidth_ = 0;  // room for a time tick's text
  QHash<QString, QStaticText> texts_;
  int redraws_ = 0;
  QElapsedTimer sinceRedraw_;       // of a frame for new points
  QElapsedTimer sinceMouseRedraw_;  // of a frame for the reading under the mouse
};
