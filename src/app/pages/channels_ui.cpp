// "Весовые каналы": channel count, selection, switching, characteristics and restart.
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main_window/main_ui.h"
#include "widgets/ui_builders.h"

namespace mainui {

void setupChannelsPage(QWidget* page, MainUi& ui) {
  ui.Edit10 = makeOutput(page, "Edit10", 6);
  ui.Edit9 = makeEdit(page, "Edit9", QStringLiteral("0"), 3, 6);
  ui.CheckBox5 = new QCheckBox(QStringLiteral("Канал включен"), page);
  ui.CheckBox5->setObjectName(QStringLiteral("CheckBox5"));
  ui.CheckBox5->setChecked(true);
  ui.Button27 = makeButton(page, "Button27", QStringLiteral("Прочитать кол-во каналов"));
  ui.Button33 = makeButton(page, "Button33", QStringLiteral("Получить номер тек. канала"));
  ui.Button28 = makeButton(page, "Button28", QStringLiteral("Выбрать канал"));
  ui.Button29 = makeButton(page, "Button29", QStringLiteral("Вкл/выкл канала"));
  ui.Button30 = makeButton(page, "Button30", QStringLiteral("Прочитать хар-ки канала"));
  ui.Button31 = makeButton(page, "Button31", QStringLiteral("Записать хар-ки канала..."));
  ui.Button32 = makeButton(page, "Button32", QStringLiteral("Перезапуск текущего канала"));
  ui.Memo1 = makeMemo(page, "Memo1", true, false);
  ui.Memo1->setAccessibleName(QStringLiteral("Характеристики весового канала"));

  auto* grid = new QGridLayout;
  addFieldRow(grid, 0, makeLabel(page, "lblChannelCount", QStringLiteral("Кол-во весовых каналов"), ui.Edit10),
              ui.Edit10);
  addFieldRow(grid, 1, makeLabel(page, "lblChannelNumber", QStringLiteral("Номер канала"), ui.Edit9), ui.Edit9);
  grid->addWidget(ui.CheckBox5, 2, 0, 1, 2);
  grid->setRowMinimumHeight(3, 8);
  int row = 4;
  for (QWidget* w : {ui.Button27, ui.Button33, ui.Button28, ui.Button29}) grid->addWidget(w, row++, 0, 1, 2);
  grid->setRowMinimumHeight(row++, 8);
  for (QWidget* w : {ui.Button30, ui.Button31, ui.Button32}) grid->addWidget(w, row++, 0, 1, 2);
  grid->setRowStretch(row, 1);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(ui.Memo1, 1);
}

}  // namespace mainui
