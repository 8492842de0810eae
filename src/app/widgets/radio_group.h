// A captioned group of radio buttons addressed by item index, -1 for none,
// as the forms of this bench use them.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

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
