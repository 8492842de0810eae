#include "widgets/centre_over.h"

#include <QWidget>

void centreOver(QWidget* window, const QWidget* owner) {
  window->adjustSize();
  window->move(owner->frameGeometry().center() - QPoint(window->width() / 2, window->height() / 2));
}
