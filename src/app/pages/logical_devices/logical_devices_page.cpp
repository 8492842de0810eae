#include "pages/logical_devices/logical_devices_page.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "core/numbers.h"
#include "pages/page_id.h"
#include "widgets/combo_box.h"
#include "widgets/pictures.h"

using lk40::automation::Variant;

namespace {

// The device list: "Название" shows its texts centred whoever adds the rows,
// and every row keeps room for the active device's lamp in front of its
// number, so that the numbers stay aligned whether a row is marked or not.
class DeviceListDelegate : public QStyledItemDelegate {
 public:
  explicit DeviceListDelegate(QObject* parent) : QStyledItemDelegate(parent), blank_(16, 16) {
    blank_.fill(Qt::transparent);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), 18));
    return size;
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == 1) {
      option->displayAlignment = Qt::AlignCenter;
    } else if (!(option->features & QStyleOptionViewItem::HasDecoration)) {
      option->features |= QStyleOptionViewItem::HasDecoration;
      option->icon = QIcon(blank_);
      option->decorationSize = blank_.size();
    }
  }

 private:
  QPixmap blank_;
};

}  // namespace

LogicalDevicesPage::LogicalDevicesPage(const PageContext& context, QWidget* parent)
    : Page(context, PageID::LogicalDevices, parent) {
  ui.setupUi(this);
  fitForm();
  // The 32 ports are made by rule, not listed in the form.
  for (int i = 1; i <= 32; ++i) ui.ComboBox3->addItem(QStringLiteral("Сом%1").arg(i));
  ui.ComboBox3->setCurrentIndex(0);
  // Both lists as wide as the name field, so the column reads as one block.
  ui.ComboBox3->setFixedWidth(ui.Edit8->minimumWidth());
  ui.ComboBox4->setFixedWidth(ui.Edit8->minimumWidth());
  QTreeWidget* list = ui.ListView1;
  list->header()->setSectionsMovable(false);
  list->setColumnWidth(0, 75);
  list->setItemDelegate(new DeviceListDelegate(list));
  guardIntegerFields({ui.Edit13, ui.Edit20});

  onClick(ui.Button6, &LogicalDevicesPage::Button6Click);
  onClick(ui.Button72, &LogicalDevicesPage::Button72Click);
  onClick(ui.Button71, &LogicalDevicesPage::Button71Click);
  onClick(ui.Button7, &LogicalDevicesPage::Button7Click);
  onClick(ui.Button69, &LogicalDevicesPage::Button69Click);
  onClick(ui.Button70, &LogicalDevicesPage::Button70Click);
  onClick(ui.Button10, &LogicalDevicesPage::Button10Click);
  onClick(ui.Button8, &LogicalDevicesPage::Button8Click);
  // The row that lost the selection first, the newly selected one last, so
  // that the fields end up showing the device now selected. Each row under
  // its own guard: an error shows its box and the next row is still handled.
  connect(ui.ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection& deselected) {
            for (const QItemSelection* change : {&deselected, &selected}) {
              for (const QModelIndex& index : change->indexes()) {
                if (index.column() != 0) continue;
                QTreeWidgetItem* row = ui.ListView1->topLevelItem(index.row());
                if (row) guard([this, row] { ListView1SelectItem(row); });
              }
            }
          });
}

void LogicalDevicesPage::Button6Click() {
  const int active = Driver.callInt("GetActiveLD") == 0 ? Driver.getInt("LDIndex") : -1;
  ui.ListView1->clear();
  Driver.call("GetCountLD");
  // No arithmetic on the count: a driver may hand back any 32-bit value.
  const int count = Driver.getInt("LDCount");
  for (int position = 0; position < count; ++position) {
    Driver.put("LDIndex", Variant(position));
    if (Driver.callInt("EnumLD") != 0) continue;
    auto* row = new QTreeWidgetItem(ui.ListView1);
    row->setText(0, QString::number(Driver.getInt("LDNumber")));
    row->setText(1, driverText("LDName"));
    row->setTextAlignment(1, Qt::AlignCenter);
    if (position == active) row->setIcon(0, QIcon(lampPixmap(1)));
  }
}

void LogicalDevicesPage::writeLdSettings() {
  Driver.put("LDName", Variant(ui.Edit8->text().toStdString()));
  Driver.put("LDComNumber", Variant(static_cast<int32_t>(ui.ComboBox3->currentIndex() + 1)));
  Driver.put("LDBaudrate", Variant(static_cast<int32_t>(ui.ComboBox4->currentIndex())));
  Driver.put("LDTimeout", Variant(intField(ui.Edit20)));
}

// One fixed order of reads for the driver to see: the name, the number (only
// where a row was selected), then the port, the speed and the time-out.
void LogicalDevicesPage::showLdSettings(bool withNumber) {
  ui.Edit8->setText(driverText("LDName"));
  if (withNumber) ui.Edit13->setText(QString::number(Driver.getInt("LDNumber")));
  setComboIndex(ui.ComboBox3, lk40::core::portItemIndex(Driver.getInt("LDComNumber")));
  setComboIndex(ui.ComboBox4, Driver.getInt("LDBaudrate"));
  ui.Edit20->setText(QString::number(Driver.getInt("LDTimeout")));
}

// A read of one number into its field, emptied when the driver failed.
void LogicalDevicesPage::readLdNumber(const char* method, const char* property, QLineEdit* field) {
  inFrame([this, method] { Driver.call(method); });
  ShowCommandResult(0);
  if (Driver.getInt("ResultCode") == 0)
    field->setText(QString::number(Driver.getInt(property)));
  else
    field->clear();
}

void LogicalDevicesPage::Button72Click() {
  inFrame([this] {
    writeLdSettings();
    if (Driver.callInt("AddLD") == 0) ui.Edit13->setText(QString::number(Driver.getInt("LDNumber")));
  });
  ShowCommandResult(0);
  Button6Click();
}

void LogicalDevicesPage::Button71Click() {
  inFrame([this] {
    Driver.put("LDNumber", Variant(intField(ui.Edit13)));
    Driver.call("DeleteLD");
  });
  ShowCommandResult(0);
  Button6Click();
}

void LogicalDevicesPage::Button7Click() { readLdNumber("GetCountLD", "LDCount", ui.Edit15); }

void LogicalDevicesPage::Button69Click() {
  inFrame([this] {
    Driver.put("LDNumber", Variant(intField(ui.Edit13)));
    writeLdSettings();
    Driver.call("SetParamLD");
  });
  ShowCommandResult(0);
  Button6Click();
}

void LogicalDevicesPage::Button70Click() {
  inFrame([this] {
    Driver.put("LDNumber", Variant(intField(ui.Edit13)));
    Driver.call("GetParamLD");
  });
  ShowCommandResult(0);
  if (Driver.getInt("ResultCode") == 0) showLdSettings(false);
}

// Only the speed follows the new connection: the connection page's port list
// is left as it is.
void LogicalDevicesPage::Button10Click() {
  inFrame([this] {
    Driver.put("LDNumber", Variant(intField(ui.Edit13)));
    if (Driver.callInt("SetActiveLD") == 0 && Driver.callInt("Connect") == 0)
      host_.readConnectionBack(ConnectionReadBack::Speed);
  });
  ShowCommandResult(0);
  Button6Click();
}

void LogicalDevicesPage::Button8Click() { readLdNumber("GetActiveLD", "LDNumber", ui.Edit33); }

void LogicalDevicesPage::ListView1SelectItem(QTreeWidgetItem* row) {
  Driver.put("LDNumber", Variant(lk40::core::parseIntOr(row->text(0).toStdString(), 0)));
  Driver.call("GetParamLD");
  if (Driver.getInt("ResultCode") == 0) showLdSettings(true);
}

// The password is not this page's: its defaults leave it as it is.
void LogicalDevicesPage::applyDefaults() {
  ui.Edit13->setText(QStringLiteral("1"));
  ui.Edit8->clear();
  ui.ComboBox3->setCurrentIndex(0);
  ui.ComboBox4->setCurrentIndex(2);
  ui.Edit20->setText(QStringLiteral("150"));
}

std::vector<SavedInput> LogicalDevicesPage::savedInputs() const {
  return {{104, ui.Edit13}, {105, ui.Edit8}, {109, ui.Edit20}, {110, ui.ComboBox4}, {111, ui.ComboBox3}};
}

void LogicalDevicesPage::shown() { Button6Click(); }

void LogicalDevicesPage::closing() { ui.ListView1->clearSelection(); }
