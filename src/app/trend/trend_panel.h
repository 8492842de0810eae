// A trend chart with the figures of the points it shows beside it ("Точек",
// "Мин", "Макс", "Среднее", "СКО", "Размах", "Дрейф", "Стабильно" and, for
// the converter, "Бит без шума"), each a label named by its caption, and
// under it the span, "Пауза", "Сброс" and "Сохранить…" (the chart with its
// figures as PNG, or the points shown as CSV). Each poll hands it a value or
// a gap; the series keeps an hour of polls at 50 ms in a fixed ring.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <map>

#include "core/trend_series.h"
#include "platform/regional_formats.h"
#include "trend/trend_chart.h"
#include "widgets/error_box.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

class TrendPanel : public QWidget {
  Q_OBJECT

 public:
  struct Kind {
    QString chartName;  // the chart's accessible name
    QString csvHeader;  // the value column's header in the CSV
    QString unit;       // after each figure; may be empty
    int decimals = 4;
    int integerDigits = 6;  // room on the value axis
    bool withStable = true;         // "Стабильно", and the bit in the CSV
    bool withNoiseFreeBits = false;  // "Бит без шума", with the full range it takes
  };
  static Kind weight();  // "График веса", in kg
  static Kind adc();     // "График АЦП", in counts

  TrendPanel(const Kind& kind, const lk40::platform::RegionalFormats& formats, ErrorBox showError = {},
             QWidget* parent = nullptr);

  // One poll's value, stamped with the panel's clock; one that is not a
  // finite number counts as a gap.
  void addPoint(double value, bool stable);
  // A poll that gave no value: the line breaks before the next point.
  void addGap() { breakPending_ = true; }

  using Clock = TrendChart::Clock;
  // Replaces the monotonic clock (tests run time as fast as they like).
  void setClock(Clock clock) { clock_ = std::move(clock); }
  // Asks for the file "Сохранить…" writes: PNG when its name ends in ".png",
  // else CSV; an empty name saves nothing.
  using ChooseFile = std::function<QString(QWidget* owner)>;
  void setChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }

  // The figures follow the chart at most every two seconds: figures of a
  // minute or an hour of points move slowly, numbers that change faster are
  // hard to read, and each new text costs about a tenth of a poll.
  static constexpr int kFiguresMs = 2000;

  TrendChart* chart() const { return chart_; }
  const lk40::core::TrendSeries& series() const { return series_; }
  void save();

 private:
  void showFigures();
  void viewChanged(bool live);
  void reset();
  bool savePicture(const QString& path);
  bool saveCsv(const QString& path);

  Kind kind_;
  lk40::platform::RegionalFormats formats_;
  ErrorBox showError_;
  ChooseFile chooseFile_;
  lk40::core::TrendSeries series_;
  QElapsedTimer elapsed_;
  Clock clock_;
  int64_t timeOfDayAtZero_ = 0;  // the time of day when the clock read 0
  bool breakPending_ = false;
  TrendChart* chart_;
  QWidget* plotArea_;  // the chart and its figures: what the PNG shows
  std::map<QString, QLabel*> figures_;
  QElapsedTimer figuresShown_;
  QTimer* figuresTimer_;  // running: figures wait for their time
  QComboBox* cmbSpan_;
  QPushButton* btnPause_;
};
