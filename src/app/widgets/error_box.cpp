#include "widgets/error_box.h"

#include <QMessageBox>

ErrorBox standardErrorBox() {
  return [](QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.exec();
  };
}

DetailedErrorBox standardDetailedErrorBox() {
  return [](QWidget* owner, const QString& text, const QString& caption, const QString& details) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.setDetailedText(details);
    box.exec();
  };
}
