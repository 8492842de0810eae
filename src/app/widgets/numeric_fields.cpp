#include "widgets/numeric_fields.h"

#include <QLineEdit>
#include <QVariant>

#include "core/numbers.h"
#include "widgets/numeric_key_filter.h"

namespace numericfields {

namespace {

bool withinTypingLimit(const QLineEdit* field) {
  const QVariant limit = field->property("typingLimit");
  if (!limit.isValid() || limit.toInt() <= 0) return true;
  return field->text().size() - field->selectedText().size() < limit.toInt();
}

}  // namespace

bool AKeyPressInteger(QLineEdit* field, QChar key) {
  if (!lk40::core::acceptIntegerKey(key.unicode())) return false;
  return key.unicode() == 8 || withinTypingLimit(field);
}

void AExitInteger(QLineEdit* field) {
  const std::string corrected = lk40::core::integerFieldOnExit(field->text().toStdString());
  if (corrected != field->text().toStdString()) field->setText(QString::fromStdString(corrected));
}

bool Edit1KeyPress(QLineEdit* field, QChar key, char separator) {
  const std::u32string current = field->text().toStdU32String();
  if (!lk40::core::acceptDecimalKey(current, key.unicode(), separator)) return false;
  return key.unicode() == 8 || withinTypingLimit(field);
}

void decimalExit(QLineEdit* field, int decimals, char separator) {
  field->setText(
      QString::fromStdString(lk40::core::decimalFieldOnExit(field->text().toStdString(), decimals, separator)));
}

void guardInteger(QLineEdit* field, const Guard& guard) {
  NumericKeyFilter::install(field, AKeyPressInteger, [guard](QLineEdit* f) { guard([f] { AExitInteger(f); }); });
}

void guardDecimal(QLineEdit* field, char separator, const Guard& guard, std::function<void(QLineEdit*)> exit) {
  NumericKeyFilter::install(
      field, [separator](QLineEdit* f, QChar key) { return Edit1KeyPress(f, key, separator); },
      [guard, exit = std::move(exit)](QLineEdit* f) { guard([&] { exit(f); }); });
}

}  // namespace numericfields
