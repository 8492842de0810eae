// "Вес": zero, tare, goods data and the weighing results memo.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main_window/main_ui.h"
#include "widgets/radio_group.h"
#include "widgets/ui_builders.h"

namespace mainui {

void setupWeighingPage(QWidget* page, MainUi& ui) {
  ui.Button18 = makeButton(page, "Button18", QStringLiteral("Запрос состояния весового устр."));
  ui.Button34 = makeButton(page, "Button34", QStringLiteral("Запрос состояния"));
  ui.Button23 = makeButton(page, "Button23", QStringLiteral("Установить ноль"));
  ui.Button24 = makeButton(page, "Button24", QStringLiteral("Установить тару"));
  ui.Edit1 = makeEdit(page, "Edit1", QStringLiteral("0"), 5, 10);
  ui.Button25 = makeButton(page, "Button25", QStringLiteral("Задать тару"));
  ui.Edit12 = makeEdit(page, "Edit12", QStringLiteral("0"), 10, 10);
  ui.Edit14 = makeEdit(page, "Edit14", QStringLiteral("0"), 3, 10);
  ui.RadioGroup3 = makeRadioGroup(page, "RadioGroup3", QStringLiteral("Тип товара"),
                                  {QStringLiteral("весовой"), QStringLiteral("штучный")}, 0);
  ui.Button35 = makeButton(page, "Button35", QStringLiteral("Устан. цену, тип и кол-во"));
  ui.Button20 = makeButton(page, "Button20", QStringLiteral("Показать весовые данные"));
  ui.Memo3 = makeMemo(page, "Memo3", true, false);

  auto* grid = new QGridLayout;
  const auto addButton = [grid](int row, QWidget* w) { grid->addWidget(w, row, 0, 1, 3); };
  addButton(0, ui.Button18);
  addButton(1, ui.Button34);
  grid->setRowMinimumHeight(2, 8);
  addButton(3, ui.Button23);
  addButton(4, ui.Button24);
  grid->setRowMinimumHeight(5, 8);
  addFieldRow(grid, 6, makeLabel(page, "lblTare", QStringLiteral("Тара"), ui.Edit1), ui.Edit1,
              makeLabel(page, "lblTareUnit", QStringLiteral("кг")));
  addButton(7, ui.Button25);
  grid->setRowMinimumHeight(8, 8);
  addFieldRow(grid, 9, makeLabel(page, "lblPrice", QStringLiteral("Цена"), ui.Edit12), ui.Edit12,
              makeLabel(page, "lblPriceUnit", QStringLiteral("кг")));
  addFieldRow(grid, 10, makeLabel(page, "lblQuantity", QStringLiteral("Количество"), ui.Edit14), ui.Edit14,
              makeLabel(page, "lblQuantityUnit", QStringLiteral("шт")));
  addButton(11, ui.RadioGroup3);
  addButton(12, ui.Button35);
  grid->setRowStretch(13, 1);
  grid->setRowMinimumHeight(13, 8);
  addButton(14, ui.Button20);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(ui.Memo3, 1);
}

}  // namespace mainui
