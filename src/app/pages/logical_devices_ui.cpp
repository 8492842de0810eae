// "ЛУ": the logical device fields, their operations and the device list.
#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "main_window/main_ui.h"
#include "widgets/ui_builders.h"

namespace mainui {

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

void setupLogicalDevicesPage(QWidget* page, MainUi& ui) {
  ui.Edit13 = makeEdit(page, "Edit13", QStringLiteral("1"), 0, 10);
  ui.Edit8 = makeEdit(page, "Edit8", QString(), 0, 24);
  ui.ComboBox3 = makeCombo(page, "ComboBox3", portItems(QStringLiteral("Сом")), 0, false);
  ui.ComboBox4 = makeCombo(page, "ComboBox4", baudRateItems(), kBaudRate9600, false);
  ui.Edit20 = makeEdit(page, "Edit20", QStringLiteral("150"), 3, 10);
  ui.Edit33 = makeOutput(page, "Edit33", 10);
  ui.Edit15 = makeOutput(page, "Edit15", 10);

  ui.Button72 = makeButton(page, "Button72", QStringLiteral("Добавить ЛУ"));
  ui.Button71 = makeButton(page, "Button71", QStringLiteral("Удалить ЛУ"));
  ui.Button69 = makeButton(page, "Button69", QStringLiteral("Установить параметры ЛУ"));
  ui.Button70 = makeButton(page, "Button70", QStringLiteral("Прочитать параметры ЛУ"));
  ui.Button10 = makeButton(page, "Button10", QStringLiteral("Установить активное ЛУ"));
  ui.Button8 = makeButton(page, "Button8", QStringLiteral("Получить активное ЛУ"));
  ui.Button7 = makeButton(page, "Button7", QStringLiteral("Получить количество ЛУ"));
  ui.Button6 = makeButton(page, "Button6", QStringLiteral("Обновить"));

  ui.ListView1 = new QTreeWidget(page);
  QTreeWidget* list = ui.ListView1;
  list->setObjectName(QStringLiteral("ListView1"));
  list->setColumnCount(2);
  list->setHeaderLabels({QStringLiteral("Номер"), QStringLiteral("Название")});
  list->headerItem()->setTextAlignment(1, Qt::AlignCenter);
  list->header()->setStretchLastSection(true);
  list->header()->setSectionsMovable(false);
  list->setColumnWidth(0, 75);
  list->setItemDelegate(new DeviceListDelegate(list));
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setAllColumnsShowFocus(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setIconSize(QSize(16, 16));

  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, makeLabel(page, "lblLdNumber", QStringLiteral("Номер ЛУ"), ui.Edit13), ui.Edit13);
  addFieldRow(fields, 1, makeLabel(page, "lblLdName", QStringLiteral("Название ЛУ"), ui.Edit8), ui.Edit8);
  addFieldRow(fields, 2, makeLabel(page, "lblLdComPort", QStringLiteral("Сом-порт"), ui.ComboBox3), ui.ComboBox3);
  addFieldRow(fields, 3, makeLabel(page, "lblLdBaudRate", QStringLiteral("Скорость"), ui.ComboBox4), ui.ComboBox4);
  addFieldRow(fields, 4, makeLabel(page, "lblLdTimeOut", QStringLiteral("Таймаут"), ui.Edit20), ui.Edit20);
  addFieldRow(fields, 5, makeLabel(page, "lblActiveLd", QStringLiteral("Номер активного ЛУ"), ui.Edit33), ui.Edit33);
  addFieldRow(fields, 6, makeLabel(page, "lblLdCount", QStringLiteral("Количество ЛУ"), ui.Edit15), ui.Edit15);
  // Both lists as wide as the name field, so the column reads as one block.
  ui.ComboBox3->setFixedWidth(ui.Edit8->minimumWidth());
  ui.ComboBox4->setFixedWidth(ui.Edit8->minimumWidth());

  auto* buttons = new QGridLayout;
  buttons->addWidget(ui.Button72, 0, 0);
  buttons->addWidget(ui.Button71, 0, 1);
  buttons->addWidget(ui.Button69, 1, 0);
  buttons->addWidget(ui.Button70, 1, 1);
  buttons->addWidget(ui.Button10, 2, 0);
  buttons->addWidget(ui.Button8, 2, 1);
  buttons->addWidget(ui.Button7, 3, 0);
  buttons->addWidget(ui.Button6, 3, 1);
  buttons->setRowStretch(4, 1);

  auto* top = new QHBoxLayout;
  top->addLayout(fields);
  top->addSpacing(16);
  top->addLayout(buttons);
  top->addStretch(1);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addWidget(list, 1);
}

}  // namespace mainui
