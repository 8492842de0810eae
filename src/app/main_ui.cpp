#include "main_ui.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "myconsts.h"
#include "page_id.h"
#include "pictures.h"
#include "radio_group.h"

namespace {

// Room for this many digits plus the edit's frame and text margins.
int widthForChars(const QWidget* w, int chars) {
  return w->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 14;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy = nullptr) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QLatin1String(name));
  if (buddy) l->setBuddy(buddy);
  return l;
}

// typingLimit 0: the operator may type any length. The key filter reads the
// property instead of QLineEdit's own limit, which would also cut texts the
// program writes.
QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, int typingLimit = 0, int chars = 0) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(QLatin1String(name));
  if (typingLimit > 0) e->setProperty("typingLimit", typingLimit);
  if (chars > 0) e->setFixedWidth(widthForChars(e, chars));
  return e;
}

void showButtonFace(QWidget* w) {
  QPalette p = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Base, p.color(group, QPalette::Button));
  w->setPalette(p);
}

QLineEdit* makeOutput(QWidget* parent, const char* name, int chars = 0) {
  QLineEdit* e = makeEdit(parent, name, QString(), 0, chars);
  e->setReadOnly(true);
  return e;
}

// Read-only, out of the tab order and on the button face: fields the operator
// only reads.
QLineEdit* makeDisplayField(QWidget* parent, const char* name) {
  QLineEdit* e = makeOutput(parent, name);
  e->setFocusPolicy(Qt::NoFocus);
  showButtonFace(e);
  return e;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  // A little air around the longest captions, which the style packs tightly.
  b->setMinimumWidth(b->sizeHint().width() + 12);
  return b;
}

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items, int index, bool editable) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QLatin1String(name));
  c->setEditable(editable);
  // The item index is what the operations send, so typing must never add items.
  c->setInsertPolicy(QComboBox::NoInsert);
  c->addItems(items);
  c->setCurrentIndex(index);
  return c;
}

QPlainTextEdit* makeMemo(QWidget* parent, const char* name, bool readOnly, bool wrap) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(QLatin1String(name));
  m->setReadOnly(readOnly);
  m->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  // Tabs indent the flag lines of the result blocks by a few characters, not
  // by the editor's wide default.
  m->setTabStopDistance(m->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  // Tab moves on to the next control, as in every other field of the window.
  m->setTabChangesFocus(true);
  if (readOnly) showButtonFace(m);
  return m;
}

RadioGroup* makeRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int index) {
  auto* g = new RadioGroup(caption, items, parent);
  g->setObjectName(QLatin1String(name));
  g->setItemIndex(index);
  return g;
}

QFrame* makeSeparator(QWidget* parent, const char* name) {
  auto* f = new QFrame(parent);
  f->setObjectName(QLatin1String(name));
  f->setFrameShape(QFrame::HLine);
  f->setFrameShadow(QFrame::Sunken);
  return f;
}

QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(QLatin1String(name));
  return g;
}

QStringList portItems(const QString& prefix) {
  QStringList items;
  for (int i = 1; i <= 32; ++i) items << prefix + QString::number(i);
  return items;
}

QStringList baudRateItems() {
  return {QStringLiteral("2400"),  QStringLiteral("4800"),  QStringLiteral("9600"),  QStringLiteral("19200"),
          QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200")};
}
constexpr int kBaudRate9600 = 2;

// The group boxes' fields: labels in one left-aligned column, fields filling the rest.
QFormLayout* makeForm() {
  auto* f = new QFormLayout;
  f->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  f->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
  f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  return f;
}

void addFieldRow(QGridLayout* grid, int row, QLabel* label, QWidget* field, QLabel* unit = nullptr) {
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1, Qt::AlignLeft);
  if (unit) grid->addWidget(unit, row, 2);
}

QWidget* makePage(QTabWidget* pages, const char* name, const QString& caption, int pageId) {
  auto* page = new QWidget;
  page->setObjectName(QLatin1String(name));
  page->setProperty("pageId", pageId);
  pages->addTab(page, caption);
  return page;
}

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

// Row 0 and column 0 of the test grid are its headings: drawn on the button
// face and never shown selected, whichever items the presentation puts there.
class FixedCellsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.row() == 0 || index.column() == 0) {
      option->backgroundBrush = option->palette.brush(QPalette::Button);
      option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
  }
};

// The fixed cells cannot be selected by mouse or keyboard.
class FixedCellsGrid : public QTableWidget {
 public:
  using QTableWidget::QTableWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override {
    if (index.isValid() && (index.row() == 0 || index.column() == 0)) return QItemSelectionModel::NoUpdate;
    return QTableWidget::selectionCommand(index, event);
  }
};

void setupStartPage(QWidget* page, MainUi& ui) {
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

void setupServicePage(QWidget* page, MainUi& ui) {
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

void setupWeighingPage(QWidget* page, MainUi& ui) {
  ui.Button18 = makeButton(page, "Button18", QStringLiteral("Запрос состояния весового устр."));
  ui.Button34 = makeButton(page, "Button34", QStringLiteral("Запрос состояния"));
  ui.Button23 = makeButton(page, "Button23", QStringLiteral("Установить ноль"));
  ui.Button24 = makeButton(page, "Button24", QStringLiteral("Установить тару"));
  ui.Edit1 = makeEdit(page, "Edit1", QStringLiteral("0"), 5, 10);
  ui.Button25 = makeButton(page, "Button25", QStringLiteral("Задать тару"));
  ui.Edit12 = makeEdit(page, "Edit12", QStringLiteral("0"), 10, 10);
  ui.Edit14 = makeEdit(page, "Edit14", QStringLiteral("0"), 3, 10);
  ui.RadioGroup3 = makeRadioGroup(page, "RadioGroup3", QStringLiteral("Тип товара"),
                                  {QStringLiteral("весовой"), QStringLiteral("штучный")}, 0);
  ui.Button35 = makeButton(page, "Button35", QStringLiteral("Устан. цену, тип и кол-во"));
  ui.Button20 = makeButton(page, "Button20", QStringLiteral("Показать весовые данные"));
  ui.Memo3 = makeMemo(page, "Memo3", true, false);

  auto* grid = new QGridLayout;
  const auto addButton = [grid](int row, QWidget* w) { grid->addWidget(w, row, 0, 1, 3); };
  addButton(0, ui.Button18);
  addButton(1, ui.Button34);
  grid->setRowMinimumHeight(2, 8);
  addButton(3, ui.Button23);
  addButton(4, ui.Button24);
  grid->setRowMinimumHeight(5, 8);
  addFieldRow(grid, 6, makeLabel(page, "lblTare", QStringLiteral("Тара"), ui.Edit1), ui.Edit1,
              makeLabel(page, "lblTareUnit", QStringLiteral("кг"), ui.Edit1));
  addButton(7, ui.Button25);
  grid->setRowMinimumHeight(8, 8);
  addFieldRow(grid, 9, makeLabel(page, "lblPrice", QStringLiteral("Цена"), ui.Edit12), ui.Edit12,
              makeLabel(page, "lblPriceUnit", QStringLiteral("кг"), ui.Edit12));
  addFieldRow(grid, 10, makeLabel(page, "lblQuantity", QStringLiteral("Количество"), ui.Edit14), ui.Edit14,
              makeLabel(page, "lblQuantityUnit", QStringLiteral("шт"), ui.Edit14));
  addButton(11, ui.RadioGroup3);
  addButton(12, ui.Button35);
  grid->setRowStretch(13, 1);
  grid->setRowMinimumHeight(13, 8);
  addButton(14, ui.Button20);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(ui.Memo3, 1);
}

void setupCalibrationPage(QWidget* page, MainUi& ui) {
  ui.Button26 = makeButton(page, "Button26", QStringLiteral("Войти в режим градуировки"));
  ui.Button3 = makeButton(page, "Button3", QStringLiteral("Записать параметры градуировки"));
  ui.Button4 = makeButton(page, "Button4", QStringLiteral("Прочитать параметры градуировки"));
  ui.Button5 = makeButton(page, "Button5", QStringLiteral("Начать градуировку"));
  ui.Button9 = makeButton(page, "Button9", QStringLiteral("Запрос состояния процесса градуировки"));
  ui.Button11 = makeButton(page, "Button11", QStringLiteral("Прервать процесс градуировки"));

  ui.Edit7 = makeEdit(page, "Edit7", QStringLiteral("0"), 3, 10);
  ui.Edit2 = makeEdit(page, "Edit2", QStringLiteral("0"), 3, 10);
  ui.Edit5 = makeOutput(page, "Edit5", 10);
  ui.RadioGroup2 = makeRadioGroup(page, "RadioGroup2", QStringLiteral("Состояние реперной точки"),
                                  {QStringLiteral("Точка готова для измерения"),
                                   QStringLiteral("Точка измеряется, успокоения нет"),
                                   QStringLiteral("Точка измеряется, успокоение есть"),
                                   QStringLiteral("Градуировка закончена успешно"),
                                   QStringLiteral("Градуировка закончена с ошибкой")},
                                  -1);
  ui.Button22 = makeButton(page, "Button22", QStringLiteral("Показания АЦП"));
  ui.Edit6 = makeOutput(page, "Edit6", 10);
  ui.SpeedButton1 = new QToolButton(page);
  ui.SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  ui.SpeedButton1->setCheckable(true);
  ui.SpeedButton1->setAutoRaise(false);
  ui.SpeedButton1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ui.SpeedButton1->setIcon(adcToggleIcon());
  ui.SpeedButton1->setIconSize(QSize(20, 20));
  // A speed button never takes the focus, so the field being edited keeps it.
  ui.SpeedButton1->setFocusPolicy(Qt::NoFocus);

  auto* operations = new QVBoxLayout;
  operations->addWidget(ui.Button26);
  operations->addSpacing(8);
  operations->addWidget(ui.Button3);
  operations->addWidget(ui.Button4);
  operations->addSpacing(8);
  operations->addWidget(ui.Button5);
  operations->addWidget(ui.Button9);
  operations->addWidget(ui.Button11);
  operations->addStretch();

  auto* grid = new QGridLayout;
  addFieldRow(grid, 0, makeLabel(page, "lblPointNumber", QStringLiteral("Номер точки"), ui.Edit7), ui.Edit7);
  addFieldRow(grid, 1, makeLabel(page, "lblCalibrationWeight", QStringLiteral("Вес"), ui.Edit2), ui.Edit2,
              makeLabel(page, "lblCalibrationWeightUnit", QStringLiteral("кг"), ui.Edit2));
  addFieldRow(grid, 2, makeLabel(page, "lblReferencePoint", QStringLiteral("Реперная точка"), ui.Edit5), ui.Edit5,
              makeLabel(page, "lblReferencePointUnit", QStringLiteral("кг"), ui.Edit5));
  grid->setRowMinimumHeight(3, 4);
  grid->addWidget(ui.RadioGroup2, 4, 0, 1, 3);
  grid->setRowMinimumHeight(5, 4);
  grid->addWidget(ui.Button22, 6, 0);
  grid->addWidget(ui.Edit6, 6, 1, Qt::AlignLeft);
  grid->addWidget(ui.SpeedButton1, 6, 2, Qt::AlignLeft);
  grid->setRowStretch(7, 1);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(operations);
  layout->addSpacing(16);
  layout->addLayout(grid);
  layout->addStretch(1);
}

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

void setupChannelsPage(QWidget* page, MainUi& ui) {
  ui.Edit10 = makeOutput(page, "Edit10", 6);
  ui.Edit9 = makeEdit(page, "Edit9", QStringLiteral("0"), 3, 6);
  ui.CheckBox5 = new QCheckBox(QStringLiteral("Канал включен"), page);
  ui.CheckBox5->setObjectName(QStringLiteral("CheckBox5"));
  ui.CheckBox5->setChecked(true);
  ui.Button27 = makeButton(page, "Button27", QStringLiteral("Прочитать кол-во каналов"));
  ui.Button33 = makeButton(page, "Button33", QStringLiteral("Получить номер тек. канала"));
  ui.Button28 = makeButton(page, "Button28", QStringLiteral("Выбрать канал"));
  ui.Button29 = makeButton(page, "Button29", QStringLiteral("Вкл/выкл канала"));
  ui.Button30 = makeButton(page, "Button30", QStringLiteral("Прочитать хар-ки канала"));
  ui.Button31 = makeButton(page, "Button31", QStringLiteral("Записать хар-ки канала..."));
  ui.Button32 = makeButton(page, "Button32", QStringLiteral("Перезапуск текущего канала"));
  ui.Memo1 = makeMemo(page, "Memo1", true, false);

  auto* grid = new QGridLayout;
  addFieldRow(grid, 0, makeLabel(page, "lblChannelCount", QStringLiteral("Кол-во весовых каналов"), ui.Edit10),
              ui.Edit10);
  addFieldRow(grid, 1, makeLabel(page, "lblChannelNumber", QStringLiteral("Номер канала"), ui.Edit9), ui.Edit9);
  grid->addWidget(ui.CheckBox5, 2, 0, 1, 2);
  grid->setRowMinimumHeight(3, 8);
  int row = 4;
  for (QWidget* w : {ui.Button27, ui.Button33, ui.Button28, ui.Button29}) grid->addWidget(w, row++, 0, 1, 2);
  grid->setRowMinimumHeight(row++, 8);
  for (QWidget* w : {ui.Button30, ui.Button31, ui.Button32}) grid->addWidget(w, row++, 0, 1, 2);
  grid->setRowStretch(row, 1);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(ui.Memo1, 1);
}

void setupTestPage(QWidget* page, MainUi& ui) {
  ui.StringGrid1 = new FixedCellsGrid(2, 2, page);
  QTableWidget* grid = ui.StringGrid1;
  grid->setObjectName(QStringLiteral("StringGrid1"));
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setMinimumSectionSize(16);
  grid->verticalHeader()->setDefaultSectionSize(16);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // 70 and 60 pixels, widened where the font needs more for the longest
  // heading and the longest value, so that no cell is cut.
  const QFontMetrics fm = grid->fontMetrics();
  const int padding = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 6;
  grid->setColumnWidth(0, qMax(70, fm.horizontalAdvance(QStringLiteral("перегрузка")) + padding));
  grid->setColumnWidth(1, qMax(60, fm.horizontalAdvance(QStringLiteral("-2147483648")) + padding));
  grid->setItemDelegate(new FixedCellsDelegate(grid));
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setWordWrap(false);
  grid->setFixedWidth(grid->columnWidth(0) + grid->columnWidth(1) + 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width() + 1);

  ui.Button12 = makeButton(page, "Button12", QStringLiteral("Запрос лога"));
  ui.Button13 = makeButton(page, "Button13", QStringLiteral("Очистить"));

  ui.Edit3 = makeEdit(page, "Edit3", QString(), 0, 40);
  ui.Label3 = makeLabel(page, "Label3", QStringLiteral("Файл"), ui.Edit3);
  ui.Memo2 = makeMemo(page, "Memo2", false, true);
  ui.Memo2->setFixedSize(ui.Edit3->minimumWidth(), ui.Memo2->fontMetrics().lineSpacing() * 5 + 12);
  ui.Label4 = makeLabel(page, "Label4", QStringLiteral("Комментарий"), ui.Memo2);
  ui.Edit11 = makeEdit(page, "Edit11", QStringLiteral("100"), 0, 8);
  ui.Label5 = makeLabel(page, "Label5", QStringLiteral("Период опроса"), ui.Edit11);
  ui.Button17 = makeButton(page, "Button17", QStringLiteral("Старт"));

  ui.GroupBox1 = makeGroupBox(page, "GroupBox1", QStringLiteral("Информация"));
  QWidget* g1 = ui.GroupBox1;
  auto* info = new QGridLayout;
  info->setHorizontalSpacing(12);
  const QString unset = QStringLiteral("---------");
  const auto addInfo = [&](int row, QLabel*& caption, const char* captionName, const QString& text, QLabel*& value,
                           const char* valueName) {
    value = makeLabel(g1, valueName, unset);
    // Room for a short date and a long time, the widest value shown here.
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 4);
    caption = makeLabel(g1, captionName, text);
    info->addWidget(caption, row, 0);
    info->addWidget(value, row, 1);
  };
  addInfo(0, ui.Label8, "Label8", QStringLiteral("Начало:"), ui.Label13, "Label13");
  addInfo(1, ui.Label10, "Label10", QStringLiteral("Конец:"), ui.Label14, "Label14");
  addInfo(2, ui.Label11, "Label11", QStringLiteral("Прошло:"), ui.Label15, "Label15");
  addInfo(3, ui.Label16, "Label16", QStringLiteral("Измерений:"), ui.Label17, "Label17");
  addInfo(4, ui.Label18, "Label18", QStringLiteral("Переполнений:"), ui.Label20, "Label20");
  info->setColumnStretch(2, 1);
  ui.GroupBox1->setLayout(info);

  auto* log = new QVBoxLayout;
  log->addWidget(grid, 1);
  log->addWidget(ui.Button12);
  log->addWidget(ui.Button13);

  auto* settings = new QGridLayout;
  settings->addWidget(ui.Label3, 0, 0);
  settings->addWidget(ui.Edit3, 0, 1, Qt::AlignLeft);
  settings->addWidget(ui.Label4, 1, 0, Qt::AlignLeft | Qt::AlignTop);
  settings->addWidget(ui.Memo2, 1, 1, Qt::AlignLeft);
  settings->addWidget(ui.Label5, 2, 0);
  settings->addWidget(ui.Edit11, 2, 1, Qt::AlignLeft);
  settings->setRowMinimumHeight(3, 4);
  settings->addWidget(ui.Button17, 4, 1, Qt::AlignLeft);
  settings->setRowMinimumHeight(5, 4);
  settings->addWidget(ui.GroupBox1, 6, 0, 1, 2);
  settings->setRowStretch(7, 1);
  ui.Button17->setMinimumWidth(ui.Button12->sizeHint().width());

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(log);
  layout->addSpacing(12);
  layout->addLayout(settings);
  layout->addStretch(1);
}

void setupStatusPanel(QWidget* form, MainUi& ui) {
  ui.Panel1 = new QFrame(form);
  QFrame* panel = ui.Panel1;
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Raised);

  const auto status = [panel](const char* name) {
    QLineEdit* e = makeOutput(panel, name);
    e->setFocusPolicy(Qt::NoFocus);
    // A frame dump of thirty bytes, about ninety characters, stays readable in full.
    const QFontMetrics fm = e->fontMetrics();
    int digit = 0;
    for (const QChar c : QStringLiteral("0123456789ABCDEF")) digit = qMax(digit, fm.horizontalAdvance(c));
    e->setMinimumWidth(30 * 2 * digit + 29 * fm.horizontalAdvance(QLatin1Char(' ')) + 16);
    return e;
  };
  ui.edtError = status("edtError");
  ui.edtSend = status("edtSend");
  ui.edtRecieve = status("edtRecieve");
  ui.lblError = makeLabel(panel, "lblError", QStringLiteral("Ошибка"), ui.edtError);
  ui.lblSend = makeLabel(panel, "lblSend", QStringLiteral("Передано"), ui.edtSend);
  ui.lblRecieve = makeLabel(panel, "lblRecieve", QStringLiteral("Принято"), ui.edtRecieve);

  ui.Label28 = makeLabel(panel, "Label28", QString());
  ui.Label28->setMinimumWidth(
      ui.Label28->fontMetrics().horizontalAdvance(QStringLiteral("Время выполнения 123456 мс")) + 4);
  ui.edtDefault = makeButton(panel, "edtDefault", QStringLiteral("По умолчанию"));
  ui.btnSettings = makeButton(panel, "btnSettings", QStringLiteral("Настройки"));
  ui.btnAbout = makeButton(panel, "btnAbout", QStringLiteral("О программе"));
  ui.btnExit = makeButton(panel, "btnExit", QStringLiteral("Выход"));

  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(ui.lblError, 0, 0);
  grid->addWidget(ui.edtError, 0, 1);
  grid->addWidget(ui.lblSend, 1, 0);
  grid->addWidget(ui.edtSend, 1, 1);
  grid->addWidget(ui.lblRecieve, 2, 0);
  grid->addWidget(ui.edtRecieve, 2, 1);
  grid->setColumnMinimumWidth(2, 8);
  grid->addWidget(ui.Label28, 0, 3, 1, 2);
  grid->addWidget(ui.edtDefault, 1, 3);
  grid->addWidget(ui.btnSettings, 1, 4);
  grid->addWidget(ui.btnAbout, 2, 3);
  grid->addWidget(ui.btnExit, 2, 4);
  grid->setColumnStretch(1, 1);
}

QHBoxLayout* setupPasswordRow(QWidget* form, MainUi& ui) {
  // The password belongs to the window, not to a page: it stands above the
  // pages as the window's own child, so disabling the pages during a call
  // never disables it.
  ui.Edit53 = makeEdit(form, "Edit53", myconsts::kDefaultPassword, 4, 6);
  ui.StaticText1 = makeLabel(form, "StaticText1", QStringLiteral("Пароль"), ui.Edit53);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 1, 2, 0);
  row->addStretch(1);
  row->addWidget(ui.StaticText1);
  row->addWidget(ui.Edit53);
  return row;
}

}  // namespace

void setupMainUi(QWidget* form, MainUi& ui) {
  form->setWindowTitle(myconsts::kCaptionMain);
  form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint);

  ui.PageControl = new QTabWidget(form);
  ui.PageControl->setObjectName(QStringLiteral("PageControl"));
  ui.PageControl->setDocumentMode(false);
  ui.PageControl->setUsesScrollButtons(false);

  ui.TabSheet1 = makePage(ui.PageControl, "TabSheet1", QStringLiteral("Начало"), PageID::Start);
  ui.TabSheet5 = makePage(ui.PageControl, "TabSheet5", QStringLiteral("Настройки"), PageID::Service);
  ui.TabSheet3 = makePage(ui.PageControl, "TabSheet3", QStringLiteral("Вес"), PageID::Weighing);
  ui.TabSheet4 = makePage(ui.PageControl, "TabSheet4", QStringLiteral("Градуировка"), PageID::Calibration);
  ui.TabSheet2 = makePage(ui.PageControl, "TabSheet2", QStringLiteral("ЛУ"), PageID::LogicalDevices);
  ui.TabSheet6 = makePage(ui.PageControl, "TabSheet6", QStringLiteral("Весовые каналы"), PageID::Channels);
  ui.TabSheet7 = makePage(ui.PageControl, "TabSheet7", QStringLiteral("Тест"), PageID::Test);

  QHBoxLayout* passwordRow = setupPasswordRow(form, ui);
  setupStartPage(ui.TabSheet1, ui);
  setupServicePage(ui.TabSheet5, ui);
  setupWeighingPage(ui.TabSheet3, ui);
  setupCalibrationPage(ui.TabSheet4, ui);
  setupLogicalDevicesPage(ui.TabSheet2, ui);
  setupChannelsPage(ui.TabSheet6, ui);
  setupTestPage(ui.TabSheet7, ui);
  setupStatusPanel(form, ui);

  ui.Timer = new QTimer(form);
  ui.Timer->setObjectName(QStringLiteral("Timer"));
  ui.Timer->setInterval(100);

  auto* layout = new QVBoxLayout(form);
  layout->setContentsMargins(6, 6, 6, 6);
  // The password row shares the cell of the pages, standing in the tab row's
  // free corner on top of the page control.
  auto* pageArea = new QGridLayout;
  pageArea->addWidget(ui.PageControl, 0, 0);
  pageArea->addLayout(passwordRow, 0, 0, Qt::AlignTop);
  layout->addLayout(pageArea, 1);
  layout->addWidget(ui.Panel1);

  ui.PageControl->setCurrentIndex(0);
  // The size is fixed once, from the largest page, so that hiding the password
  // or a tab later never resizes the window.
  form->ensurePolished();
  layout->activate();
  form->setFixedSize(form->sizeHint());
}
