#include "widgets/shown_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

bool showText(QLineEdit* edit, const QString& text) {
  if (edit->text() == text) return false;
  edit->setText(text);
  return true;
}

bool showPicture(QLabel* label, const QPixmap& picture) {
  if (label->pixmap().cacheKey() == picture.cacheKey()) return false;
  label->setPixmap(picture);
  return true;
}
