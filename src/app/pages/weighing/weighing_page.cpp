#include "pages/weighing/weighing_page.h"

#include <QScopeGuard>

#include "core/numbers.h"
#include "core/result_texts.h"
#include "display/tfrm_display.h"
#include "pages/page_id.h"
#include "widgets/numeric_fields.h"

using lk40::automation::Variant;

WeighingPage::WeighingPage(const PageContext& context, QWidget* parent) : Page(context, PageID::Weighing, parent) {
  ui.setupUi(this);
  fitForm();
  const char sep = formats_.decimalSeparator;
  guardIntegerFields({ui.Edit14});
  guardDecimalField(ui.Edit1, [sep](QLineEdit* f) { numericfields::decimalExit(f, 4, sep); });
  guardDecimalField(ui.Edit12, [sep](QLineEdit* f) { numericfields::decimalExit(f, 2, sep); });
  onClick(ui.Button23, &WeighingPage::Button23Click);
  onClick(ui.Button24, &WeighingPage::Button24Click);
  onClick(ui.Button25, &WeighingPage::Button25Click);
  onClick(ui.Button18, &WeighingPage::Button18Click);
  onClick(ui.Button34, &WeighingPage::Button34Click);
  onClick(ui.Button35, &WeighingPage::Button35Click);
  onClick(ui.Button20, &WeighingPage::Button20Click);
  present(0x3A, &WeighingPage::presentChannelStatus);
  present(0x11, &WeighingPage::presentChannelStatusEx);
}

void WeighingPage::applyDefaults() {
  ui.Memo3->clear();
  ui.Edit1->setText(QStringLiteral("0"));
  ui.Edit12->setText(QStringLiteral("0"));
  ui.Edit14->setText(QStringLiteral("0"));
  ui.RadioGroup3->setItemIndex(0);
}

std::vector<SavedInput> WeighingPage::savedInputs() const {
  return {{73, ui.Edit1}, {78, ui.Edit12}, {79, ui.RadioGroup3}, {80, ui.Edit14}};
}

void WeighingPage::Button23Click() { runFramed([this] { writePassword(); }, "SetZero", 0x30); }

void WeighingPage::Button24Click() { runFramed([this] { writePassword(); }, "SetTare", 0x31); }

void WeighingPage::Button25Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Tare", Variant(decimalField(ui.Edit1)));
      },
      "SetTareValue", 0x32);
}

void WeighingPage::Button18Click() {
  runFramed([this] { writePassword(); }, "GetChannelStatus", 0x3A, {}, [this] { ui.Memo3->clear(); });
}

void WeighingPage::Button34Click() {
  runFramed([this] { writePassword(); }, "GetChannelStatusEx", 0x11, {}, [this] { ui.Memo3->clear(); });
}

void WeighingPage::Button35Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Price", Variant(decimalField(ui.Edit12)));
        Driver.put("Quantity", Variant(intField(ui.Edit14)));
        Driver.put("GoodType", Variant(ui.RadioGroup3->itemIndex()));
      },
      "SetGoodData", 0x33);
}

// The window steps aside while the display is open.
void WeighingPage::Button20Click() {
  writePassword();
  if (Driver.callInt("GetChannelStatus") == 0) {
    QWidget* owner = window();
    owner->setWindowState(owner->windowState() | Qt::WindowMinimized);
    // Restored also when the display cannot open.
    const auto restore = qScopeGuard([owner] { owner->setWindowState(owner->windowState() & ~Qt::WindowMinimized); });
    ShowWeightDisplay(Driver, logging_.file, logging_.period, logging_.step, formats_, owner, showError_);
  }
  ShowCommandResult(0);
}

void WeighingPage::presentChannelStatus() {
  paint(ui.Memo3);
  lk40::core::appendStatusBlock(Driver, formats_, [this](const std::string& l) { appendLine(ui.Memo3, l); });
}

void WeighingPage::presentChannelStatusEx() {
  const char sep = formats_.decimalSeparator;
  paint(ui.Memo3);
  auto sink = [this](const std::string& l) { appendLine(ui.Memo3, l); };
  lk40::core::appendStatusBlock(Driver, formats_, sink);
  lk40::core::appendGoodsBlock(Driver, formats_, sink);
  paint(ui.Edit1);
  ui.Edit1->setText(QString::fromStdString(lk40::core::formatGeneral(Driver.getDouble("Tare"), sep)));
  paint(ui.Edit12);
  ui.Edit12->setText(QString::fromStdString(lk40::core::formatCurrency(Driver.get("Price").toCurrency().scaled, sep)));
  paint(ui.Edit14);
  ui.Edit14->setText(QString::number(Driver.getInt("Quantity")));
  paint(ui.RadioGroup3);
  ui.RadioGroup3->setItemIndex(Driver.getInt("GoodType"));
}
