// Combo box items by index the way the forms expect: an index outside the
// list leaves no item chosen, and an editable box's index follows its text.
#pragma once

#include <QComboBox>

inline void setComboIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// Keeps the chosen item of an editable box on the item its text names (the
// match Qt itself makes when Enter is pressed), and on no item while the text
// names none: left alone, Qt keeps the last item that matched, so the
// operations would send a port the box no longer shows. The text stays as
// typed either way.
void followTextWithIndex(QComboBox* combo);
