// "Настройки": password change, key emulation, keyboard lock and supply state.
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "main_window/main_ui.h"
#include "widgets/ui_builders.h"

namespace mainui {

void setupSettingsPage(QWidget* page, MainUi& ui) {
  ui.Edit4 = makeEdit(page, "Edit4", QStringLiteral("0"), 4, 6);
  ui.Button19 = makeButton(page, "Button19", QStringLiteral("Изменение пароля"));
  ui.Edit123 = makeEdit(page, "Edit123", QStringLiteral("0"), 3, 6);
  ui.Button67 = makeButton(page, "Button67", QStringLiteral("Эмуляция клавиатуры"));
  ui.CheckBox7 = new QCheckBox(QStringLiteral("Блокировка клавиатуры"), page);
  ui.CheckBox7->setObjectName(QStringLiteral("CheckBox7"));
  ui.Button16 = makeButton(page, "Button16", QStringLiteral("Блокировка / разблокировка клавиатуры"));
  ui.Button14 = makeButton(page, "Button14", QStringLiteral("Получить состояние питания"));
  ui.Memo4 = makeMemo(page, "Memo4", true, true);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  addFieldRow(grid, 0, makeLabel(page, "lblNewPassword", QStringLiteral("Новый пароль"), ui.Edit4), ui.Edit4);
  grid->addWidget(ui.Button19, 0, 2);
  grid->addWidget(makeSeparator(page, "sepPassword"), 1, 0, 1, 4);
  addFieldRow(grid, 2, makeLabel(page, "lblKeyCode", QStringLiteral("Код клавиши"), ui.Edit123), ui.Edit123);
  grid->addWidget(ui.Button67, 2, 2);
  grid->addWidget(ui.CheckBox7, 3, 0, 1, 2);
  grid->addWidget(ui.Button16, 3, 2);
  grid->addWidget(makeSeparator(page, "sepKeyboard"), 4, 0, 1, 4);
  grid->addWidget(ui.Button14, 5, 2);
  grid->addWidget(ui.Memo4, 6, 0, 1, 3);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(6, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
}

}  // namespace mainui
