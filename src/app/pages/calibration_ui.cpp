// "Градуировка": calibration operations, the reference point state and the ADC reading.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "main_window/main_ui.h"
#include "widgets/pictures.h"
#include "widgets/radio_group.h"
#include "widgets/ui_builders.h"

namespace mainui {

void setupCalibrationPage(QWidget* page, MainUi& ui) {
  ui.Button26 = makeButton(page, "Button26", QStringLiteral("Войти в режим градуировки"));
  ui.Button3 = makeButton(page, "Button3", QStringLiteral("Записать параметры градуировки"));
  ui.Button4 = makeButton(page, "Button4", QStringLiteral("Прочитать параметры градуировки"));
  ui.Button5 = makeButton(page, "Button5", QStringLiteral("Начать градуировку"));
  ui.Button9 = makeButton(page, "Button9", QStringLiteral("Запрос состояния процесса градуировки"));
  ui.Button11 = makeButton(page, "Button11", QStringLiteral("Прервать процесс градуировки"));

  ui.Edit7 = makeEdit(page, "Edit7", QStringLiteral("0"), 3, 10);
  ui.Edit2 = makeEdit(page, "Edit2", QStringLiteral("0"), 3, 10);
  ui.Edit5 = makeOutput(page, "Edit5", 10);
  ui.RadioGroup2 = makeRadioGroup(page, "RadioGroup2", QStringLiteral("Состояние реперной точки"),
                                  {QStringLiteral("Точка готова для измерения"),
                                   QStringLiteral("Точка измеряется, успокоения нет"),
                                   QStringLiteral("Точка измеряется, успокоение есть"),
                                   QStringLiteral("Градуировка закончена успешно"),
                                   QStringLiteral("Градуировка закончена с ошибкой")},
                                  -1);
  ui.Button22 = makeButton(page, "Button22", QStringLiteral("Показания АЦП"));
  ui.Edit6 = makeOutput(page, "Edit6", 10);
  ui.SpeedButton1 = new QToolButton(page);
  ui.SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  ui.SpeedButton1->setCheckable(true);
  ui.SpeedButton1->setAutoRaise(false);
  ui.SpeedButton1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ui.SpeedButton1->setIcon(adcToggleIcon());
  ui.SpeedButton1->setIconSize(QSize(20, 20));
  // A click leaves the focus in the field being edited; Tab still reaches the
  // toggle, so Space can press it.
  ui.SpeedButton1->setFocusPolicy(Qt::TabFocus);
  // Neither the toggle nor the reading has a label of its own: the button
  // beside them names both.
  ui.SpeedButton1->setAccessibleName(QStringLiteral("Показания АЦП непрерывно"));
  ui.Edit6->setAccessibleName(QStringLiteral("Показания АЦП"));

  auto* operations = new QVBoxLayout;
  operations->addWidget(ui.Button26);
  operations->addSpacing(8);
  operations->addWidget(ui.Button3);
  operations->addWidget(ui.Button4);
  operations->addSpacing(8);
  operations->addWidget(ui.Button5);
  operations->addWidget(ui.Button9);
  operations->addWidget(ui.Button11);
  operations->addStretch();

  auto* grid = new QGridLayout;
  addFieldRow(grid, 0, makeLabel(page, "lblPointNumber", QStringLiteral("Номер точки"), ui.Edit7), ui.Edit7);
  addFieldRow(grid, 1, makeLabel(page, "lblCalibrationWeight", QStringLiteral("Вес"), ui.Edit2), ui.Edit2,
              makeLabel(page, "lblCalibrationWeightUnit", QStringLiteral("кг")));
  addFieldRow(grid, 2, makeLabel(page, "lblReferencePoint", QStringLiteral("Реперная точка"), ui.Edit5), ui.Edit5,
              makeLabel(page, "lblReferencePointUnit", QStringLiteral("кг")));
  grid->setRowMinimumHeight(3, 4);
  grid->addWidget(ui.RadioGroup2, 4, 0, 1, 3);
  grid->setRowMinimumHeight(5, 4);
  grid->addWidget(ui.Button22, 6, 0);
  grid->addWidget(ui.Edit6, 6, 1, Qt::AlignLeft);
  grid->addWidget(ui.SpeedButton1, 6, 2, Qt::AlignLeft);
  grid->setRowStretch(7, 1);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(operations);
  layout->addSpacing(16);
  layout->addLayout(grid);
  layout->addStretch(1);
}

}  // namespace mainui
