#include "widgets/numeric_key_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

NumericKeyFilter::NumericKeyFilter(QLineEdit* field, KeyPress keyPress, Exit exit)
    : QObject(field), field_(field), keyPress_(std::move(keyPress)), exit_(std::move(exit)) {}

void NumericKeyFilter::install(QLineEdit* field, KeyPress keyPress, Exit exit) {
  field->installEventFilter(new NumericKeyFilter(field, std::move(keyPress), std::move(exit)));
}

bool NumericKeyFilter::typesCharacters(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return false;
    default:
      return !event.text().isEmpty();
  }
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_) return false;
  if (event->type() == QEvent::FocusOut) {
    // Another window taking the focus (a message box, a menu) is no exit.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && exit_) exit_(field_);
    return false;
  }
  if (event->type() != QEvent::KeyPress || !keyPress_) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (!typesCharacters(*key)) return false;
  for (const QChar ch : key->text()) {
    if (!keyPress_(field_, ch)) return true;
  }
  return false;
}
