// A contact line of the About window: blue, underlined, with a pointing hand,
// telling when it is clicked. A promoted QLabel in the About form.
#pragma once

#include <QLabel>

class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};
