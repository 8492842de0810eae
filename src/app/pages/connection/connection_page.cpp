#include "pages/connection/connection_page.h"

#include "core/numbers.h"
#include "core/result_texts.h"
#include "pages/page_id.h"
#include "widgets/combo_box.h"

using lk40::automation::Variant;

ConnectionPage::ConnectionPage(const PageContext& context, QWidget* parent)
    : Page(context, PageID::Connection, parent) {
  ui.setupUi(this);
  fitForm();
  // The 32 ports are made by rule, not listed in the form.
  for (int i = 1; i <= 32; ++i) ui.ComboBox2->addItem(QStringLiteral("Com%1").arg(i));
  ui.ComboBox2->setCurrentIndex(0);
  followTextWithIndex(ui.ComboBox2);
  guardIntegerFields({ui.edtTimeOut, ui.Edit17});

  onClick(ui.Button15, &ConnectionPage::Button15Click);
  onClick(ui.Button68, &ConnectionPage::Button68Click);
  onClick(ui.btnGetChangeParam, &ConnectionPage::btnGetChangeParamClick);
  onClick(ui.btnSetChangeParam, &ConnectionPage::btnSetChangeParamClick);
  onClick(ui.Button36, &ConnectionPage::Button36Click);
  onClick(ui.Button1, &ConnectionPage::Button1Click);
  onClick(ui.Button2, &ConnectionPage::Button2Click);
  onClick(ui.Button21, &ConnectionPage::Button21Click);
  onClick(ui.Button37, &ConnectionPage::Button37Click);
  present(0xFC, &ConnectionPage::presentDeviceMetrics);
  present(0x12, &ConnectionPage::presentMode);
  present(0x15, &ConnectionPage::presentExchangeParams);
  present(0xF2, &ConnectionPage::presentDeviceCrc);
}

void ConnectionPage::applyDefaults() {
  ui.edtTimeOut->setText(QStringLiteral("150"));
  ui.cbBaudRate->setCurrentIndex(2);
  ui.ComboBox2->setCurrentIndex(0);
  ui.RadioGroup1->setItemIndex(0);
}

std::vector<SavedInput> ConnectionPage::savedInputs() const {
  return {{19, ui.edtTimeOut}, {20, ui.cbBaudRate}, {21, ui.ComboBox2}, {22, ui.Edit17}, {45, ui.RadioGroup1}};
}

void ConnectionPage::connectionChanged(ConnectionReadBack what) {
  if (what != ConnectionReadBack::Speed)
    setComboIndex(ui.ComboBox2, lk40::core::portItemIndex(Driver.getInt("ComNumber")));
  setComboIndex(ui.cbBaudRate, Driver.getInt("BaudRate"));
  if (what == ConnectionReadBack::Speed) return;
  ui.edtTimeOut->setText(QString::number(Driver.getInt("Timeout")));
  if (what != ConnectionReadBack::StartUp) return;
  try {
    ui.Edit17->setText(QString::number(Driver.getInt("PortNumber")));
  } catch (const std::exception&) {
    // A driver without a port number keeps the restored text.
  }
}

void ConnectionPage::Button15Click() {
  runFramed(
      [this] {
        Driver.put("ComNumber", Variant(ui.ComboBox2->currentIndex() + 1));
        Driver.put("BaudRate", Variant(ui.cbBaudRate->currentIndex()));
        Driver.put("Timeout", Variant(intField(ui.edtTimeOut)));
      },
      "Connect", 0xFC);
}

void ConnectionPage::Button68Click() { runFramed({}, "Disconnect", 0); }

void ConnectionPage::btnGetChangeParamClick() { runFramed([this] { writePassword(); }, "GetExchangeParam", 0x15); }

void ConnectionPage::btnSetChangeParamClick() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("BaudRate", Variant(ui.cbBaudRate->currentIndex()));
        Driver.put("Timeout", Variant(intField(ui.edtTimeOut)));
        try {
          Driver.put("PortNumber", Variant(intField(ui.Edit17)));
        } catch (const std::exception&) {
          // Drivers without a port number still set the other parameters.
        }
      },
      "SetExchangeParam", 0x14);
}

void ConnectionPage::Button36Click() { runFramed({}, "GetDeviceMetrics", 0xFC); }

void ConnectionPage::Button1Click() { runFramed({}, "GetMode", 0x12); }

void ConnectionPage::Button2Click() {
  runFramed(
      [this] {
        writePassword();
        Driver.put("Mode", Variant(lk40::core::modeForItem(ui.RadioGroup1->itemIndex())));
      },
      "SetMode", 0x07);
}

void ConnectionPage::Button21Click() { runFramed([this] { writePassword(); }, "Reset", 0xF0); }

void ConnectionPage::Button37Click() { runFramed({}, "GetDeviceCRC", 0xF2); }

void ConnectionPage::presentDeviceMetrics() {
  QLineEdit* const fields[] = {ui.Edit23, ui.Edit25, ui.Edit29, ui.Edit31, ui.Edit24, ui.Edit26, ui.Edit32};
  for (QLineEdit* field : fields) paint(field);
  const char* const numbers[] = {"UMajorType", "UMinorType", "UMajorProtocolVersion", "UMinorProtocolVersion",
                                 "UModel", "UCodePage"};
  for (int i = 0; i < 6; ++i) fields[i]->setText(QString::number(Driver.getInt(numbers[i])));
  ui.Edit32->setText(driverText("UDescription"));
}

void ConnectionPage::presentMode() {
  paint(ui.RadioGroup1);
  ui.RadioGroup1->setItemIndex(lk40::core::modeItemIndex(Driver));
}

void ConnectionPage::presentExchangeParams() {
  paint(ui.cbBaudRate);
  paint(ui.edtTimeOut);
  paint(ui.Edit17);
  setComboIndex(ui.cbBaudRate, Driver.getInt("BaudRate"));
  ui.edtTimeOut->setText(QString::number(Driver.getInt("Timeout")));
  ui.Edit17->setText(QString::number(Driver.getInt("PortNumber")));
}

void ConnectionPage::presentDeviceCrc() {
  paint(ui.Edit16);
  ui.Edit16->setText(QString::fromStdString(lk40::core::formatHex(Driver.getInt("DeviceCRC"), 4)));
}
