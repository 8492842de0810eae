// The main window's numeric fields, the password and the pages' inputs: what
// the operator may type into them, and how a field is corrected when the
// focus leaves it. A field's "typingLimit" property caps the characters typed.
#pragma once

#include <QChar>
#include <functional>

class QLineEdit;

namespace numericfields {

// Runs a field's check on leaving it the way the window runs its handlers.
using Guard = std::function<void(const std::function<void()>&)>;

// Digits and Backspace, within the typing limit.
bool AKeyPressInteger(QLineEdit* field, QChar key);
// Leaves a decimal integer in the field.
void AExitInteger(QLineEdit* field);
// A decimal number with the user's separator, within the typing limit.
bool Edit1KeyPress(QLineEdit* field, QChar key, char separator);
// The number in the field with this many decimals.
void decimalExit(QLineEdit* field, int decimals, char separator);

// An integer field: AKeyPressInteger while typing, AExitInteger on leaving.
void guardInteger(QLineEdit* field, const Guard& guard);
// A decimal field: Edit1KeyPress while typing, exit on leaving.
void guardDecimal(QLineEdit* field, char separator, const Guard& guard, std::function<void(QLineEdit*)> exit);

}  // namespace numericfields
