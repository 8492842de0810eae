// A figure beside a trend chart: a label whose text is the value and whose
// accessible name is the caption. Each character is drawn once onto the
// label's ground, and a value is then put together from those pictures: the
// figures change every second, and laying out and blending the glyphs anew
// was most of their cost.
#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>

class FigureLabel : public QLabel {
 public:
  FigureLabel(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  const QPixmap& picture(QChar ch);

  QHash<QChar, QPixmap> pictures_;
};
