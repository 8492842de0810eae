#include "channel_dialog/set_channel_param_ui.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/radio_group.h"
#include "widgets/ui_builders.h"

namespace {

constexpr int kWeightChars = 11;  // "1000000,0000"

QLineEdit* field(QWidget* parent, const char* name, int chars) {
  return mainui::makeEdit(parent, name, QStringLiteral("0"), 0, chars);
}

}  // namespace

void setupSetChannelParamUi(QDialog* form, SetChannelParamUi& ui) {
  form->setObjectName(QStringLiteral("frmSetChannelParam"));
  form->setWindowTitle(QStringLiteral("Запись характеристик весового канала"));
  // A dialog border with the system menu only: no minimise, no maximise.
  form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);

  ui.Edit1 = field(form, "Edit1", kWeightChars);
  ui.Edit3 = field(form, "Edit3", 4);
  ui.Button3 = mainui::makeButton(form, "Button3", QStringLiteral("расчет"));
  ui.Edit4 = field(form, "Edit4", kWeightChars);
  ui.Edit5 = field(form, "Edit5", kWeightChars);
  ui.Edit6 = field(form, "Edit6", kWeightChars);
  ui.Edit7 = field(form, "Edit7", kWeightChars);
  ui.Edit8 = field(form, "Edit8", kWeightChars);
  ui.Edit9 = field(form, "Edit9", kWeightChars);
  ui.Edit10 = field(form, "Edit10", kWeightChars);
  ui.Edit11 = field(form, "Edit11", kWeightChars);
  ui.Edit12 = field(form, "Edit12", kWeightChars);
  ui.Edit13 = field(form, "Edit13", kWeightChars);
  ui.Edit14 = field(form, "Edit14", kWeightChars);
  ui.Label1 = mainui::makeLabel(form, "Label1", QStringLiteral("Номер канала"), ui.Edit1);
  ui.Label3 = mainui::makeLabel(form, "Label3", QStringLiteral("Степень"), ui.Edit3);
  ui.Label4 = mainui::makeLabel(form, "Label4", QStringLiteral("НПВ"), ui.Edit4);
  ui.Label5 = mainui::makeLabel(form, "Label5", QStringLiteral("НмПВ"), ui.Edit5);
  ui.Label6 = mainui::makeLabel(form, "Label6", QStringLiteral("Максимальная тара"), ui.Edit6);
  ui.Label7 = mainui::makeLabel(form, "Label7", QStringLiteral("Диапазон 1"), ui.Edit7);
  ui.Label8 = mainui::makeLabel(form, "Label8", QStringLiteral("Диапазон 2"), ui.Edit8);
  ui.Label9 = mainui::makeLabel(form, "Label9", QStringLiteral("Диапазон 3"), ui.Edit9);
  ui.Label10 = mainui::makeLabel(form, "Label10", QStringLiteral("Дискретность 1"), ui.Edit10);
  ui.Label11 = mainui::makeLabel(form, "Label11", QStringLiteral("Дискретность 2"), ui.Edit11);
  ui.Label12 = mainui::makeLabel(form, "Label12", QStringLiteral("Дискретность 3"), ui.Edit12);
  ui.Label13 = mainui::makeLabel(form, "Label13", QStringLiteral("Дискретность 4"), ui.Edit13);
  ui.Label14 = mainui::makeLabel(form, "Label14", QStringLiteral("Кол-во градуир. точек"), ui.Edit14);
  ui.RadioGroup1 = mainui::makeRadioGroup(
      form, "RadioGroup1", QStringLiteral("Тип канала"),
      {QStringLiteral("тензоканал"), QStringLiteral("виброчастотный"), QStringLiteral("абстрактный")}, -1);
  ui.RadioGroup2 = mainui::makeRadioGroup(
      form, "RadioGroup2", QStringLiteral("Выботка массы тары"),
      {QStringLiteral("компенсация массы тары"), QStringLiteral("выборка массы тары")}, -1);
  ui.Button1 = mainui::makeButton(form, "Button1", QStringLiteral("Отмена"));
  ui.Button2 = mainui::makeButton(form, "Button2", QStringLiteral("Записать"));
  ui.Button2->setDefault(true);
  // Enter on a focused button presses that button, Enter in a field "Записать".
  ui.Button1->setAutoDefault(true);

  // Left: number, degree with "расчет", capacities, ranges, points count.
  // Right: the two groups on top, the discreteness fields level with the
  // ranges and the points count, the buttons at the bottom.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  auto* degree = new QHBoxLayout;
  degree->addWidget(ui.Edit3);
  degree->addWidget(ui.Button3);
  degree->addStretch();
  grid->addWidget(ui.Label1, 0, 0);
  grid->addWidget(ui.Edit1, 0, 1, Qt::AlignLeft);
  grid->addWidget(ui.Label3, 1, 0);
  grid->addLayout(degree, 1, 1);
  int row = 2;
  for (auto [label, edit] : {std::pair{ui.Label4, ui.Edit4}, {ui.Label5, ui.Edit5}, {ui.Label6, ui.Edit6}}) {
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row++, 1, Qt::AlignLeft);
  }
  auto* groups = new QVBoxLayout;
  groups->addWidget(ui.RadioGroup1);
  groups->addWidget(ui.RadioGroup2);
  groups->addStretch();
  grid->addLayout(groups, 0, 3, 5, 2);
  const std::pair<QLabel*, QLineEdit*> left[] = {
      {ui.Label7, ui.Edit7}, {ui.Label8, ui.Edit8}, {ui.Label9, ui.Edit9}, {ui.Label14, ui.Edit14}};
  const std::pair<QLabel*, QLineEdit*> right[] = {
      {ui.Label10, ui.Edit10}, {ui.Label11, ui.Edit11}, {ui.Label12, ui.Edit12}, {ui.Label13, ui.Edit13}};
  for (int i = 0; i < 4; ++i) {
    grid->addWidget(left[i].first, row + i, 0);
    grid->addWidget(left[i].second, row + i, 1, Qt::AlignLeft);
    grid->addWidget(right[i].first, row + i, 3);
    grid->addWidget(right[i].second, row + i, 4, Qt::AlignLeft);
  }
  grid->setColumnMinimumWidth(2, 16);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ui.Button1);
  buttons->addWidget(ui.Button2);

  auto* layout = new QVBoxLayout(form);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // "Отмена" and "Записать" first, then the fields from the number down, the
  // groups, the points count and "расчет".
  QList<QWidget*> order = {ui.Button1, ui.Button2, ui.Edit1,  ui.Edit3,  ui.Edit4,  ui.Edit5,  ui.Edit6, ui.Edit7,
                           ui.Edit8,   ui.Edit9,   ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit13};
  for (RadioGroup* group : {ui.RadioGroup1, ui.RadioGroup2}) {
    for (int i = 0; i < group->count(); ++i) order << group->button(i);
  }
  order << ui.Edit14 << ui.Button3;
  for (int i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}
