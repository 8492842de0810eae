// Choosing a combo box item by index the way the forms expect: an index
// outside the list leaves no item chosen.
#pragma once

#include <QComboBox>

inline void setComboIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}
