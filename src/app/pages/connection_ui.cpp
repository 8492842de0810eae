// "Начало": the connection settings, the device operations and the device description.
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "main_window/main_ui.h"
#include "widgets/radio_group.h"
#include "widgets/ui_builders.h"

namespace mainui {

void setupConnectionPage(QWidget* page, MainUi& ui) {
  ui.GroupBox5 = makeGroupBox(page, "GroupBox5", QStringLiteral("Параметры RS-232"));
  QWidget* g5 = ui.GroupBox5;
  ui.ComboBox2 = makeCombo(g5, "ComboBox2", portItems(QStringLiteral("Com")), 0, true);
  ui.cbBaudRate = makeCombo(g5, "cbBaudRate", baudRateItems(), kBaudRate9600, false);
  ui.edtTimeOut = makeEdit(g5, "edtTimeOut", QStringLiteral("150"), 3, 6);
  ui.Edit17 = makeEdit(g5, "Edit17", QStringLiteral("0"), 3, 6);
  auto* form5 = makeForm();
  form5->addRow(makeLabel(g5, "lblComPort", QStringLiteral("Com-порт"), ui.ComboBox2), ui.ComboBox2);
  form5->addRow(makeLabel(g5, "lblBaudRate", QStringLiteral("Скорость"), ui.cbBaudRate), ui.cbBaudRate);
  form5->addRow(makeLabel(g5, "lblTimeOut", QStringLiteral("Таймаут"), ui.edtTimeOut), ui.edtTimeOut);
  form5->addRow(makeLabel(g5, "lblPort", QStringLiteral("Порт"), ui.Edit17), ui.Edit17);
  ui.GroupBox5->setLayout(form5);

  ui.Button15 = makeButton(page, "Button15", QStringLiteral("Установить соединение"));
  ui.Button68 = makeButton(page, "Button68", QStringLiteral("Разорвать соединение"));
  ui.btnGetChangeParam = makeButton(page, "btnGetChangeParam", QStringLiteral("Чтение параметров обмена"));
  ui.btnSetChangeParam = makeButton(page, "btnSetChangeParam", QStringLiteral("Установка параметров обмена"));

  ui.Button36 = makeButton(page, "Button36", QStringLiteral("Получить тип устройства"));
  ui.Button21 = makeButton(page, "Button21", QStringLiteral("Сброс"));
  ui.RadioGroup1 = makeRadioGroup(page, "RadioGroup1", QStringLiteral("Режим весового модуля"),
                                  {QStringLiteral("Обычный режим"), QStringLiteral("Режим градуировки"),
                                   QStringLiteral("Непрер. выдача весовых данных")},
                                  0);
  ui.Button1 = makeButton(page, "Button1", QStringLiteral("Запрос текущего режима"));
  ui.Button2 = makeButton(page, "Button2", QStringLiteral("Переход в режим"));
  ui.Button37 = makeButton(page, "Button37", QStringLiteral("Получить CRC16"));
  ui.Edit16 = makeOutput(page, "Edit16", 8);
  // The checksum has no label of its own: the button beside it names it.
  ui.Edit16->setAccessibleName(QStringLiteral("CRC16"));

  ui.GroupBox3 = makeGroupBox(page, "GroupBox3", QStringLiteral("Описание устройства"));
  QWidget* g3 = ui.GroupBox3;
  auto* form3 = makeForm();
  const auto addDescription = [&](QLineEdit*& field, const char* name, const char* labelName, const QString& text) {
    field = makeDisplayField(g3, name);
    field->setMinimumWidth(widthForChars(field, 20));
    form3->addRow(makeLabel(g3, labelName, text, field), field);
  };
  addDescription(ui.Edit23, "Edit23", "lblMajorType", QStringLiteral("Тип"));
  addDescription(ui.Edit25, "Edit25", "lblMinorType", QStringLiteral("Подтип"));
  addDescription(ui.Edit29, "Edit29", "lblProtocolVersion", QStringLiteral("Версия протокола"));
  addDescription(ui.Edit31, "Edit31", "lblProtocolSubversion", QStringLiteral("Подверсия протокола"));
  addDescription(ui.Edit24, "Edit24", "lblModel", QStringLiteral("Модель устройства"));
  addDescription(ui.Edit26, "Edit26", "lblCodePage", QStringLiteral("Язык"));
  addDescription(ui.Edit32, "Edit32", "lblDescription", QStringLiteral("Название"));
  ui.GroupBox3->setLayout(form3);

  auto* connection = new QVBoxLayout;
  connection->addWidget(ui.GroupBox5);
  connection->addSpacing(4);
  for (QWidget* w : {ui.Button15, ui.Button68, ui.btnGetChangeParam, ui.btnSetChangeParam}) connection->addWidget(w);
  connection->addStretch();

  auto* crc = new QHBoxLayout;
  crc->addWidget(ui.Button37, 1);
  crc->addWidget(ui.Edit16);
  auto* device = new QVBoxLayout;
  device->addWidget(ui.Button36);
  device->addWidget(ui.Button21);
  device->addSpacing(4);
  device->addWidget(ui.RadioGroup1);
  device->addWidget(ui.Button1);
  device->addWidget(ui.Button2);
  device->addSpacing(4);
  device->addLayout(crc);
  device->addStretch();

  auto* description = new QVBoxLayout;
  description->addWidget(ui.GroupBox3);
  description->addStretch();

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(connection);
  layout->addLayout(device);
  layout->addLayout(description, 1);
}

}  // namespace mainui
