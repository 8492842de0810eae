#include "widgets/combo_box.h"

#include <QCompleter>
#include <QLineEdit>

void followTextWithIndex(QComboBox* combo) {
  QObject::connect(combo, &QComboBox::editTextChanged, combo, [combo] {
    QLineEdit* const edit = combo->lineEdit();
    if (!edit) return;
    // The text as it stands now: an inline completion may already have
    // replaced the text this signal was emitted for.
    const QString text = edit->text();
    Qt::MatchFlags match = Qt::MatchFixedString;
    if (edit->completer() && edit->completer()->caseSensitivity() == Qt::CaseSensitive)
      match |= Qt::MatchCaseSensitive;
    const int named = combo->findText(text, match);
    if (named == combo->currentIndex()) return;
    // Choosing an item writes its text into the field (none for no item):
    // put back what the operator typed, where the cursor stood.
    const int cursor = edit->cursorPosition();
    combo->setCurrentIndex(named);
    if (edit->text() != text) {
      edit->setText(text);
      edit->setCursorPosition(cursor);
    }
  });
}
