// What the weighing page shows: the status block, and the goods block with its
// write-back into the inputs.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/numbers.h"
#include "core/result_texts.h"
#include "main_window/tfrm_main.h"
#include "widgets/radio_group.h"

void TfrmMain::presentChannelStatus() {
  paint(ui.Memo3);
  lk40::core::appendStatusBlock(Driver, options_.formats, [this](const std::string& l) { appendLine(ui.Memo3, l); });
}

void TfrmMain::presentChannelStatusEx() {
  const char sep = options_.formats.decimalSeparator;
  paint(ui.Memo3);
  auto sink = [this](const std::string& l) { appendLine(ui.Memo3, l); };
  lk40::core::appendStatusBlock(Driver, options_.formats, sink);
  lk40::core::appendGoodsBlock(Driver, options_.formats, sink);
  paint(ui.Edit1);
  ui.Edit1->setText(QString::fromStdString(lk40::core::formatGeneral(Driver.getDouble("Tare"), sep)));
  paint(ui.Edit12);
  ui.Edit12->setText(QString::fromStdString(lk40::core::formatCurrency(Driver.get("Price").toCurrency().scaled, sep)));
  paint(ui.Edit14);
  ui.Edit14->setText(QString::number(Driver.getInt("Quantity")));
  paint(ui.RadioGroup3);
  ui.RadioGroup3->setItemIndex(Driver.getInt("GoodType"));
}
