#include "widgets/radio_group.h"

#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), group_(this) {
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(2);
  connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

QStringList RadioGroup::items() const {
  QStringList captions;
  for (int i = 0; i < count(); ++i) captions << group_.button(i)->text();
  return captions;
}

void RadioGroup::setItems(const QStringList& items) {
  for (QAbstractButton* old : group_.buttons()) {
    group_.removeButton(old);
    delete old;
  }
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    group_.addButton(b, i);
    layout()->addWidget(b);
  }
}

int RadioGroup::count() const { return static_cast<int>(group_.buttons().size()); }

int RadioGroup::itemIndex() const { return group_.checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (index < -1) index = -1;
  if (index >= count()) index = count() - 1;
  if (index == -1) {
    // An exclusive group cannot uncheck its checked button directly.
    if (auto* checked = group_.checkedButton()) {
      group_.setExclusive(false);
      checked->setChecked(false);
      group_.setExclusive(true);
    }
    return;
  }
  group_.button(index)->setChecked(true);
}

QRadioButton* RadioGroup::button(int index) const {
  return qobject_cast<QRadioButton*>(group_.button(index));
}
