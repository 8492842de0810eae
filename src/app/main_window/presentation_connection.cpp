// What the connection page shows: device description, mode, exchange
// parameters and checksum.
#include <QComboBox>
#include <QLineEdit>

#include "core/numbers.h"
#include "core/result_texts.h"
#include "main_window/tfrm_main.h"
#include "widgets/combo_box.h"
#include "widgets/radio_group.h"

void TfrmMain::presentDeviceMetrics() {
  QLineEdit* const fields[] = {ui.Edit23, ui.Edit25, ui.Edit29, ui.Edit31, ui.Edit24, ui.Edit26, ui.Edit32};
  for (QLineEdit* field : fields) paint(field);
  const char* const numbers[] = {"UMajorType", "UMinorType", "UMajorProtocolVersion", "UMinorProtocolVersion",
                                 "UModel", "UCodePage"};
  for (int i = 0; i < 6; ++i) fields[i]->setText(QString::number(Driver.getInt(numbers[i])));
  ui.Edit32->setText(driverText("UDescription"));
}

void TfrmMain::presentMode() {
  paint(ui.RadioGroup1);
  ui.RadioGroup1->setItemIndex(lk40::core::modeItemIndex(Driver));
}

void TfrmMain::presentExchangeParams() {
  paint(ui.cbBaudRate);
  paint(ui.edtTimeOut);
  paint(ui.Edit17);
  setComboIndex(ui.cbBaudRate, Driver.getInt("BaudRate"));
  ui.edtTimeOut->setText(QString::number(Driver.getInt("Timeout")));
  ui.Edit17->setText(QString::number(Driver.getInt("PortNumber")));
}

void TfrmMain::presentDeviceCrc() {
  paint(ui.Edit16);
  ui.Edit16->setText(QString::fromStdString(lk40::core::formatHex(Driver.getInt("DeviceCRC"), 4)));
}
