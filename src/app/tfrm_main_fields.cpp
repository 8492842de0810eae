// The guards of the numeric input fields: key filters while typing, checks
// when the focus leaves a field.
#include <QKeyEvent>
#include <QLineEdit>

#include "core/numbers.h"
#include "tfrm_main.h"

namespace {
enum class FieldKind { Integer, Tare, Price };

FieldKind kindOf(const QLineEdit* field) { return static_cast<FieldKind>(field->property("fieldKind").toInt()); }
}  // namespace

void TfrmMain::installFieldGuards() {
  for (QLineEdit* field : {ui.Edit53, ui.edtTimeOut, ui.Edit17, ui.Edit4, ui.Edit123, ui.Edit14, ui.Edit7, ui.Edit2,
                           ui.Edit13, ui.Edit20, ui.Edit9}) {
    field->setProperty("fieldKind", static_cast<int>(FieldKind::Integer));
    field->installEventFilter(this);
  }
  ui.Edit1->setProperty("fieldKind", static_cast<int>(FieldKind::Tare));
  ui.Edit1->installEventFilter(this);
  ui.Edit12->setProperty("fieldKind", static_cast<int>(FieldKind::Price));
  ui.Edit12->installEventFilter(this);
}

bool TfrmMain::fieldEvent(QLineEdit* field, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Another window taking the focus (a message box, a menu) is no exit.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    guard([&] {
      switch (kindOf(field)) {
        case FieldKind::Integer: AExitInteger(field); break;
        case FieldKind::Tare: Edit1Exit(field); break;
        case FieldKind::Price: Edit12Exit(field); break;
      }
    });
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  // Keys that type nothing (arrows, Delete, Home...) are not characters.
  if (text.isEmpty()) return false;
  for (const QChar ch : text) {
    const bool accepted = kindOf(field) == FieldKind::Integer ? AKeyPressInteger(field, ch) : Edit1KeyPress(field, ch);
    if (!accepted) return true;
  }
  return false;
}

bool TfrmMain::withinTypingLimit(const QLineEdit* field) const {
  const QVariant limit = field->property("typingLimit");
  if (!limit.isValid() || limit.toInt() <= 0) return true;
  return field->text().size() - field->selectedText().size() < limit.toInt();
}

bool TfrmMain::AKeyPressInteger(QLineEdit* field, QChar key) {
  if (!lk40::core::acceptIntegerKey(key.unicode())) return false;
  return key.unicode() == 8 || withinTypingLimit(field);
}

void TfrmMain::AExitInteger(QLineEdit* field) {
  const std::string corrected = lk40::core::integerFieldOnExit(field->text().toStdString());
  if (corrected != field->text().toStdString()) field->setText(QString::fromStdString(corrected));
}

bool TfrmMain::Edit1KeyPress(QLineEdit* field, QChar key) {
  const std::u32string current = field->text().toStdU32String();
  if (!lk40::core::acceptDecimalKey(current, key.unicode(), options_.formats.decimalSeparator)) return false;
  return key.unicode() == 8 || withinTypingLimit(field);
}

void TfrmMain::Edit1Exit(QLineEdit* field) {
  field->setText(QString::fromStdString(
      lk40::core::decimalFieldOnExit(field->text().toStdString(), 4, options_.formats.decimalSeparator)));
}

void TfrmMain::Edit12Exit(QLineEdit* field) {
  field->setText(QString::fromStdString(
      lk40::core::decimalFieldOnExit(field->text().toStdString(), 2, options_.formats.decimalSeparator)));
}
