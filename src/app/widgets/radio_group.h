// A captioned group of radio buttons addressed by item index, -1 for none,
// as the forms of this bench use them. In a form file it is a promoted
// QGroupBox whose "items" property lists the captions; give them before
// "itemIndex", and untranslated, so that they exist when the index is set.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

class RadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(QStringList items READ items WRITE setItems)
  Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  QStringList items() const;
  // One button per caption, replacing any earlier ones; none is chosen.
  void setItems(const QStringList& items);
  int count() const;
  int itemIndex() const;
  // Below -1 gives -1, at or beyond count() the last item.
  void setItemIndex(int index);
  QRadioButton* button(int index) const;

 signals:
  void itemClicked(int index);

 private:
  QButtonGroup group_;
};
