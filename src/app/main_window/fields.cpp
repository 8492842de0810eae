// The guards of the numeric input fields: key filters while typing, checks
// when the focus leaves a field.
#include <QLineEdit>

#include "core/numbers.h"
#include "main_window/tfrm_main.h"
#include "widgets/numeric_key_filter.h"

void TfrmMain::installFieldGuards() {
  const auto integerKey = [this](QLineEdit* field, QChar ch) { return AKeyPressInteger(field, ch); };
  const auto decimalKey = [this](QLineEdit* field, QChar ch) { return Edit1KeyPress(field, ch); };
  for (QLineEdit* field : {ui.Edit53, ui.Edit7, ui.Edit13,
                           ui.Edit20 }) {
    NumericKeyFilter::install(field, integerKey, [this](QLineEdit* f) { guard([&] { AExitInteger(f); }); });
  }
  NumericKeyFilter::install(ui.Edit2, decimalKey, [this](QLineEdit* f) { guard([&] { Edit2Exit(f); }); });
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

void TfrmMain::Edit2Exit(QLineEdit* field) {
  // The calibration weight stands in the form in which the module's weight is
  // read back into it, so that a weight read, typed or left reads the same.
  const char sep = options_.formats.decimalSeparator;
  const auto value = lk40::core::tryParseDecimal(field->text().toStdString(), sep);
  const QString corrected =
      value ? QString::fromStdString(lk40::core::formatGeneral(*value, sep)) : QStringLiteral("0");
  if (corrected != field->text()) field->setText(corrected);
}
