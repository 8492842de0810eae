// "ЛУ": the list of the driver's logical devices, rebuilt from scratch.
#include <QPushButton>
#include <QTreeWidget>

#include "pictures.h"
#include "tfrm_main.h"

using lk40::automation::Variant;

void TfrmMain::wireLogicalDevicesPage() { onClick(ui.Button6, &TfrmMain::Button6Click); }

void TfrmMain::Button6Click() {
  const int active = Driver.call("GetActiveLD") == 0 ? Driver.getInt("LDIndex") : -1;
  ui.ListView1->clear();
  Driver.call("GetCountLD");
  // No arithmetic on the count: a driver may hand back any 32-bit value.
  const int count = Driver.getInt("LDCount");
  for (int position = 0; position < count; ++position) {
    Driver.put("LDIndex", Variant(position));
    if (Driver.call("EnumLD") != 0) continue;
    auto* row = new QTreeWidgetItem(ui.ListView1);
    row->setText(0, QString::number(Driver.getInt("LDNumber")));
    row->setText(1, driverText("LDName"));
    row->setTextAlignment(1, Qt::AlignCenter);
    if (position == active) row->setIcon(0, QIcon(lampPixmap(1)));
  }
}
