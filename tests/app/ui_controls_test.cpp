// The forms as built: every named control of the main window and the weight
// display with its kind, its parent, its text and items, its typing limit and
// its label, checked against the texts the operator must see.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "display/display_ui.h"
#include "main_window/main_ui.h"
#include "pages/page_id.h"
#include "widgets/font_colour.h"
#include "widgets/pictures.h"
#include "widgets/radio_group.h"

namespace {

struct Control {
  const char* name;
  const char* kind;    // the Qt class the control is, or derives from
  const char* parent;  // the page or group box it sits directly on
  const char* text;    // caption, label text or start value; nullptr: not checked
};

// Captions and start values as the operator sees them.
const Control kControls[] = {
    {"PageControl", "QTabWidget", "", nullptr},
    {"Panel1", "QFrame", "", nullptr},
    {"lblError", "QLabel", "Panel1", "Ошибка"},
    {"edtError", "QLineEdit", "Panel1", ""},
    {"lblSend", "QLabel", "Panel1", "Передано"},
    {"edtSend", "QLineEdit", "Panel1", ""},
    {"lblRecieve", "QLabel", "Panel1", "Принято"},
    {"edtRecieve", "QLineEdit", "Panel1", ""},
    {"Label28", "QLabel", "Panel1", ""},
    {"edtDefault", "QPushButton", "Panel1", "По умолчанию"},
    {"btnSettings", "QPushButton", "Panel1", "Настройки"},
    {"btnAbout", "QPushButton", "Panel1", "О программе"},
    {"btnExit", "QPushButton", "Panel1", "Выход"},
    {"StaticText1", "QLabel", nullptr, "Пароль"},
    {"Edit53", "QLineEdit", nullptr, "30"},
    // "Начало"
    {"GroupBox5", "QGroupBox", "TabSheet1", "Параметры RS-232"},
    {"ComboBox2", "QComboBox", "GroupBox5", "Com1"},
    {"cbBaudRate", "QComboBox", "GroupBox5", "9600"},
    {"edtTimeOut", "QLineEdit", "GroupBox5", "150"},
    {"Edit17", "QLineEdit", "GroupBox5", "0"},
    {"Button15", "QPushButton", "TabSheet1", "Установить соединение"},
    {"Button68", "QPushButton", "TabSheet1", "Разорвать соединение"},
    {"btnGetChangeParam", "QPushButton", "TabSheet1", "Чтение параметров обмена"},
    {"btnSetChangeParam", "QPushButton", "TabSheet1", "Установка параметров обмена"},
    {"Button36", "QPushButton", "TabSheet1", "Получить тип устройства"},
    {"Button21", "QPushButton", "TabSheet1", "Сброс"},
    {"Button1", "QPushButton", "TabSheet1", "Запрос текущего режима"},
    {"Button2", "QPushButton", "TabSheet1", "Переход в режим"},
    {"RadioGroup1", "RadioGroup", "TabSheet1", "Режим весового модуля"},
    {"Button37", "QPushButton", "TabSheet1", "Получить CRC16"},
    {"Edit16", "QLineEdit", "TabSheet1", ""},
    {"GroupBox3", "QGroupBox", "TabSheet1", "Описание устройства"},
    {"Edit23", "QLineEdit", "GroupBox3", ""},
    {"Edit25", "QLineEdit", "GroupBox3", ""},
    {"Edit29", "QLineEdit", "GroupBox3", ""},
    {"Edit31", "QLineEdit", "GroupBox3", ""},
    {"Edit24", "QLineEdit", "GroupBox3", ""},
    {"Edit26", "QLineEdit", "GroupBox3", ""},
    {"Edit32", "QLineEdit", "GroupBox3", ""},
    // "Настройки"
    {"Edit4", "QLineEdit", "TabSheet5", "0"},
    {"Button19", "QPushButton", "TabSheet5", "Изменение пароля"},
    {"Button67", "QPushButton", "TabSheet5", "Эмуляция клавиатуры"},
    {"Edit123", "QLineEdit", "TabSheet5", "0"},
    {"Button16", "QPushButton", "TabSheet5", "Блокировка / разблокировка клавиатуры"},
    {"CheckBox7", "QCheckBox", "TabSheet5", "Блокировка клавиатуры"},
    {"Button14", "QPushButton", "TabSheet5", "Получить состояние питания"},
    {"Memo4", "QPlainTextEdit", "TabSheet5", ""},
    // "Вес"
    {"Button18", "QPushButton", "TabSheet3", "Запрос состояния весового устр."},
    {"Button24", "QPushButton", "TabSheet3", "Установить тару"},
    {"Button23", "QPushButton", "TabSheet3", "Установить ноль"},
    {"Memo3", "QPlainTextEdit", "TabSheet3", ""},
    {"Button25", "QPushButton", "TabSheet3", "Задать тару"},
    {"Edit1", "QLineEdit", "TabSheet3", "0"},
    {"Button34", "QPushButton", "TabSheet3", "Запрос состояния"},
    {"Button35", "QPushButton", "TabSheet3", "Устан. цену, тип и кол-во"},
    {"Edit12", "QLineEdit", "TabSheet3", "0"},
    {"RadioGroup3", "RadioGroup", "TabSheet3", "Тип товара"},
    {"Edit14", "QLineEdit", "TabSheet3", "0"},
    {"Button20", "QPushButton", "TabSheet3", "Показать весовые данные"},
    // "Градуировка"
    {"Button26", "QPushButton", "TabSheet4", "Войти в режим градуировки"},
    {"Button3", "QPushButton", "TabSheet4", "Записать параметры градуировки"},
    {"Button4", "QPushButton", "TabSheet4", "Прочитать параметры градуировки"},
    {"Button5", "QPushButton", "TabSheet4", "Начать градуировку"},
    {"Button11", "QPushButton", "TabSheet4", "Прервать процесс градуировки"},
    {"Button9", "QPushButton", "TabSheet4", "Запрос состояния процесса градуировки"},
    {"Edit7", "QLineEdit", "TabSheet4", "0"},
    {"Edit2", "QLineEdit", "TabSheet4", "0"},
    {"Edit5", "QLineEdit", "TabSheet4", ""},
    {"RadioGroup2", "RadioGroup", "TabSheet4", "Состояние реперной точки"},
    {"Button22", "QPushButton", "TabSheet4", "Показания АЦП"},
    {"Edit6", "QLineEdit", "TabSheet4", ""},
    {"SpeedButton1", "QToolButton", "TabSheet4", ""},
    // "ЛУ"
    {"Edit13", "QLineEdit", "TabSheet2", "1"},
    {"Edit8", "QLineEdit", "TabSheet2", ""},
    {"ComboBox3", "QComboBox", "TabSheet2", "Сом1"},
    {"ComboBox4", "QComboBox", "TabSheet2", "9600"},
    {"Edit20", "QLineEdit", "TabSheet2", "150"},
    {"Edit33", "QLineEdit", "TabSheet2", ""},
    {"Edit15", "QLineEdit", "TabSheet2", ""},
    {"Button72", "QPushButton", "TabSheet2", "Добавить ЛУ"},
    {"Button71", "QPushButton", "TabSheet2", "Удалить ЛУ"},
    {"Button7", "QPushButton", "TabSheet2", "Получить количество ЛУ"},
    {"Button6", "QPushButton", "TabSheet2", "Обновить"},
    {"Button69", "QPushButton", "TabSheet2", "Установить параметры ЛУ"},
    {"Button70", "QPushButton", "TabSheet2", "Прочитать параметры ЛУ"},
    {"Button10", "QPushButton", "TabSheet2", "Установить активное ЛУ"},
    {"Button8", "QPushButton", "TabSheet2", "Получить активное ЛУ"},
    {"ListView1", "QTreeWidget", "TabSheet2", nullptr},
    // "Весовые каналы"
    {"Edit10", "QLineEdit", "TabSheet6", ""},
    {"Edit9", "QLineEdit", "TabSheet6", "0"},
    {"Memo1", "QPlainTextEdit", "TabSheet6", ""},
    {"Button27", "QPushButton", "TabSheet6", "Прочитать кол-во каналов"},
    {"Button33", "QPushButton", "TabSheet6", "Получить номер тек. канала"},
    {"Button28", "QPushButton", "TabSheet6", "Выбрать канал"},
    {"Button29", "QPushButton", "TabSheet6", "Вкл/выкл канала"},
    {"CheckBox5", "QCheckBox", "TabSheet6", "Канал включен"},
    {"Button30", "QPushButton", "TabSheet6", "Прочитать хар-ки канала"},
    {"Button31", "QPushButton", "TabSheet6", "Записать хар-ки канала..."},
    {"Button32", "QPushButton", "TabSheet6", "Перезапуск текущего канала"},
    // "Тест"
    {"StringGrid1", "QTableWidget", "TabSheet7", nullptr},
    {"Button12", "QPushButton", "TabSheet7", "Запрос лога"},
    {"Button13", "QPushButton", "TabSheet7", "Очистить"},
    {"Label3", "QLabel", "TabSheet7", "Файл"},
    {"Edit3", "QLineEdit", "TabSheet7", ""},
    {"Label4", "QLabel", "TabSheet7", "Комментарий"},
    {"Memo2", "QPlainTextEdit", "TabSheet7", ""},
    {"Label5", "QLabel", "TabSheet7", "Период опроса"},
    {"Edit11", "QLineEdit", "TabSheet7", "100"},
    {"Button17", "QPushButton", "TabSheet7", "Старт"},
    {"GroupBox1", "QGroupBox", "TabSheet7", "Информация"},
    {"Label8", "QLabel", "GroupBox1", "Начало:"},
    {"Label13", "QLabel", "GroupBox1", "---------"},
    {"Label10", "QLabel", "GroupBox1", "Конец:"},
    {"Label14", "QLabel", "GroupBox1", "---------"},
    {"Label11", "QLabel", "GroupBox1", "Прошло:"},
    {"Label15", "QLabel", "GroupBox1", "---------"},
    {"Label16", "QLabel", "GroupBox1", "Измерений:"},
    {"Label17", "QLabel", "GroupBox1", "---------"},
    {"Label18", "QLabel", "GroupBox1", "Переполнений:"},
    {"Label20", "QLabel", "GroupBox1", "---------"},
};

// Each field with the label (and unit) the operator reads beside it, and the
// number of characters the operator may type, 0 for any.
struct Field {
  const char* name;
  const char* label;
  const char* unit;
  int typingLimit;
};

const Field kFields[] = {
    {"Edit53", "Пароль", nullptr, 4},          {"ComboBox2", "Com-порт", nullptr, 0},
    {"cbBaudRate", "Скорость", nullptr, 0},    {"edtTimeOut", "Таймаут", nullptr, 3},
    {"Edit17", "Порт", nullptr, 3},            {"Edit23", "Тип", nullptr, 0},
    {"Edit25", "Подтип", nullptr, 0},          {"Edit29", "Версия протокола", nullptr, 0},
    {"Edit31", "Подверсия протокола", nullptr, 0}, {"Edit24", "Модель устройства", nullptr, 0},
    {"Edit26", "Язык", nullptr, 0},            {"Edit32", "Название", nullptr, 0},
    {"Edit4", "Новый пароль", nullptr, 4},     {"Edit123", "Код клавиши", nullptr, 3},
    {"Edit1", "Тара", "кг", 5},                {"Edit12", "Цена", "кг", 10},
    {"Edit14", "Количество", "шт", 3},         {"Edit7", "Номер точки", nullptr, 3},
    {"Edit2", "Вес", nullptr, 3},              {"Edit5", "Реперная точка", nullptr, 0},
    {"Edit13", "Номер ЛУ", nullptr, 0},        {"Edit8", "Название ЛУ", nullptr, 0},
    {"ComboBox3", "Сом-порт", nullptr, 0},     {"ComboBox4", "Скорость", nullptr, 0},
    {"Edit20", "Таймаут", nullptr, 3},         {"Edit33", "Номер активного ЛУ", nullptr, 0},
    {"Edit15", "Количество ЛУ", nullptr, 0},   {"Edit10", "Кол-во весовых каналов", nullptr, 0},
    {"Edit9", "Номер канала", nullptr, 3},     {"Edit3", "Файл", nullptr, 0},
    {"Memo2", "Комментарий", nullptr, 0},      {"Edit11", "Период опроса", nullptr, 0},
    {"edtError", "Ошибка", nullptr, 0},        {"edtSend", "Передано", nullptr, 0},
    {"edtRecieve", "Принято", nullptr, 0},
};

QString controlText(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* m = qobject_cast<const QPlainTextEdit*>(w)) return m->toPlainText();
  return QString();
}

QStringList itemsOf(const QComboBox* c) {
  QStringList items;
  for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
  return items;
}

QStringList itemsOf(const RadioGroup* g) {
  QStringList items;
  for (int i = 0; i < g->count(); ++i) items << g->button(i)->text();
  return items;
}

const QStringList kBaudRates{"2400", "4800", "9600", "19200", "38400", "57600", "115200"};

bool isButtonFace(const QWidget* w) {
  return w->palette().color(QPalette::Base) == w->palette().color(QPalette::Button);
}

}  // namespace

class UiControlsTest : public QObject {
  Q_OBJECT

 private:
  QWidget form_;
  MainUi ui_;

  template <typename T = QWidget>
  T* find(const char* name) {
    return form_.findChild<T*>(QLatin1String(name));
  }

 private slots:
  void initTestCase() { setupMainUi(&form_, ui_); }

  void everyControlHasItsKindParentAndText() {
    for (const Control& c : kControls) {
      const QList<QWidget*> found = form_.findChildren<QWidget*>(QLatin1String(c.name));
      QVERIFY2(found.size() == 1, c.name);
      QWidget* w = found.front();
      QVERIFY2(w->inherits(c.kind), c.name);
      if (c.parent) {
        const QString expected = *c.parent ? QLatin1String(c.parent) : form_.objectName();
        QVERIFY2(w->parentWidget(), c.name);
        QCOMPARE(w->parentWidget()->objectName() + " <- " + c.name, expected + " <- " + c.name);
        if (!*c.parent) QCOMPARE(w->parentWidget(), &form_);
      }
      if (c.text) QCOMPARE(controlText(w) + " <- " + c.name, QString::fromUtf8(c.text) + " <- " + c.name);
    }
  }

  void structPointsAtTheNamedControls() {
    const std::pair<QObject*, const char*> pairs[] = {
        {ui_.Edit53, "Edit53"},     {ui_.ComboBox3, "ComboBox3"}, {ui_.Memo3, "Memo3"},
        {ui_.Label13, "Label13"},   {ui_.Label8, "Label8"},       {ui_.Label3, "Label3"},
        {ui_.SpeedButton1, "SpeedButton1"}, {ui_.TabSheet2, "TabSheet2"}, {ui_.Timer, "Timer"},
        {ui_.StringGrid1, "StringGrid1"}, {ui_.edtDefault, "edtDefault"}, {ui_.RadioGroup2, "RadioGroup2"}};
    for (const auto& [object, name] : pairs) {
      QVERIFY2(object, name);
      QCOMPARE(object->objectName(), QLatin1String(name));
    }
  }

  void objectNamesAreUnique() {
    QSet<QString> seen;
    for (const QObject* o : form_.findChildren<QObject*>()) {
      if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_"))) continue;
      QVERIFY2(!seen.contains(o->objectName()), qPrintable(o->objectName()));
      seen.insert(o->objectName());
    }
  }

  void pagesInOrderWithTheirIdentifiers() {
    const std::tuple<const char*, const char*, int> pages[] = {
        {"TabSheet1", "Начало", PageID::Connection},          {"TabSheet5", "Настройки", PageID::Settings},
        {"TabSheet3", "Вес", PageID::Weighing},           {"TabSheet4", "Градуировка", PageID::Calibration},
        {"TabSheet2", "ЛУ", PageID::LogicalDevices},      {"TabSheet6", "Весовые каналы", PageID::Channels},
        {"TabSheet7", "Тест", PageID::Test}};
    QCOMPARE(ui_.PageControl->count(), PageID::kPageCount);
    for (int i = 0; i < PageID::kPageCount; ++i) {
      const auto& [name, caption, id] = pages[i];
      QCOMPARE(ui_.PageControl->widget(i)->objectName(), QLatin1String(name));
      QCOMPARE(ui_.PageControl->tabText(i), QString::fromUtf8(caption));
      QCOMPARE(ui_.PageControl->widget(i)->property("pageId").toInt(), id);
    }
    QCOMPARE(ui_.PageControl->currentIndex(), 0);
    QCOMPARE(ui_.PageControl->widget(PageID::kTestPageIndex), ui_.TabSheet7);
    // The password is above the pages, not on any of them.
    for (QWidget* w : {static_cast<QWidget*>(ui_.Edit53), static_cast<QWidget*>(ui_.StaticText1)})
      for (int i = 0; i < PageID::kPageCount; ++i) QVERIFY(!ui_.PageControl->widget(i)->isAncestorOf(w));
  }

  void fieldsHaveTheirLabelsAndTypingLimits() {
    QHash<const QWidget*, QStringList> labelsOf;
    for (QLabel* l : form_.findChildren<QLabel*>())
      if (l->buddy()) labelsOf[l->buddy()] << l->text();
    for (const Field& f : kFields) {
      QWidget* field = find(f.name);
      QVERIFY2(field, f.name);
      // The label names the field; a unit after it is no label of it.
      QCOMPARE(labelsOf.value(field).join('|') + " <- " + f.name, QString::fromUtf8(f.label) + " <- " + f.name);
      if (f.unit) {
        bool unitBeside = false;
        for (const QLabel* l : field->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
          unitBeside = unitBeside || (l->text() == QString::fromUtf8(f.unit) && !l->buddy());
        QVERIFY2(unitBeside, f.name);
      }
      const QVariant limit = field->property("typingLimit");
      QCOMPARE(limit.isValid() ? limit.toInt() : 0, f.typingLimit);
    }
    // Program-set texts must never be cut, so no edit carries Qt's own limit.
    for (const QLineEdit* e : form_.findChildren<QLineEdit*>()) QCOMPARE(e->maxLength(), 32767);
  }

  void readOnlyFieldsAndTabStops() {
    for (const char* name : {"edtError", "edtSend", "edtRecieve", "Edit23", "Edit25", "Edit29", "Edit31",
                             "Edit24", "Edit26", "Edit32"}) {
      auto* e = find<QLineEdit>(name);
      QVERIFY2(e->isReadOnly(), name);
      QVERIFY2(e->focusPolicy() == Qt::NoFocus, name);
    }
    for (const char* name : {"Edit23", "Edit25", "Edit29", "Edit31", "Edit24", "Edit26", "Edit32", "Memo1", "Memo3",
                             "Memo4"})
      QVERIFY2(isButtonFace(find(name)), name);
    for (const char* name : {"Edit16", "Edit5", "Edit6", "Edit33", "Edit15", "Edit10"})
      QVERIFY2(find<QLineEdit>(name)->isReadOnly(), name);
    for (const char* name : {"Memo1", "Memo3", "Memo4"}) QVERIFY2(find<QPlainTextEdit>(name)->isReadOnly(), name);
    QVERIFY(!ui_.Memo2->isReadOnly());
    for (const char* name : {"Edit53", "edtTimeOut", "Edit17", "Edit4", "Edit123", "Edit1", "Edit12", "Edit14",
                             "Edit7", "Edit2", "Edit13", "Edit8", "Edit20", "Edit9", "Edit3", "Edit11"}) {
      auto* e = find<QLineEdit>(name);
      QVERIFY2(!e->isReadOnly() && (e->focusPolicy() & Qt::TabFocus), name);
    }
    QCOMPARE(ui_.Memo3->lineWrapMode(), QPlainTextEdit::NoWrap);
  }

  void listsAndGroupsHaveTheirItems() {
    QStringList latin, cyrillic;
    for (int i = 1; i <= 32; ++i) {
      latin << QStringLiteral("Com%1").arg(i);
      cyrillic << QString::fromUtf8("\u0421\u043E\u043C%1").arg(i);
    }
    QCOMPARE(itemsOf(ui_.ComboBox2), latin);
    QCOMPARE(itemsOf(ui_.ComboBox3), cyrillic);
    QCOMPARE(itemsOf(ui_.cbBaudRate), kBaudRates);
    QCOMPARE(itemsOf(ui_.ComboBox4), kBaudRates);
    QVERIFY(ui_.ComboBox2->isEditable());
    QCOMPARE(ui_.ComboBox2->insertPolicy(), QComboBox::NoInsert);
    for (const QComboBox* c : {ui_.cbBaudRate, ui_.ComboBox3, ui_.ComboBox4}) QVERIFY(!c->isEditable());
    QCOMPARE(ui_.ComboBox2->currentIndex(), 0);
    QCOMPARE(ui_.cbBaudRate->currentIndex(), 2);
    QCOMPARE(ui_.ComboBox3->currentIndex(), 0);
    QCOMPARE(ui_.ComboBox4->currentIndex(), 2);

    QCOMPARE(itemsOf(ui_.RadioGroup1),
             QStringList({"Обычный режим", "Режим градуировки", "Непрер. выдача весовых данных"}));
    QCOMPARE(ui_.RadioGroup1->itemIndex(), 0);
    QCOMPARE(itemsOf(ui_.RadioGroup2),
             QStringList({"Точка готова для измерения", "Точка измеряется, успокоения нет",
                          "Точка измеряется, успокоение есть", "Градуировка закончена успешно",
                          "Градуировка закончена с ошибкой"}));
    QCOMPARE(ui_.RadioGroup2->itemIndex(), -1);
    QCOMPARE(itemsOf(ui_.RadioGroup3), QStringList({"весовой", "штучный"}));
    QCOMPARE(ui_.RadioGroup3->itemIndex(), 0);

    QVERIFY(ui_.CheckBox5->isChecked());
    QVERIFY(!ui_.CheckBox7->isChecked());
    QVERIFY(ui_.SpeedButton1->isCheckable());
    QVERIFY(!ui_.SpeedButton1->isChecked());
    QVERIFY(!ui_.SpeedButton1->icon().isNull());
    QVERIFY(ui_.SpeedButton1->text().isEmpty());
  }

  void deviceListAndTestGrid() {
    QTreeWidget* list = ui_.ListView1;
    QCOMPARE(list->columnCount(), 2);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Номер"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Название"));
    QCOMPARE(list->columnWidth(0), 75);
    QVERIFY(list->header()->stretchLastSection());
    QVERIFY(!list->rootIsDecorated());
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);

    QTableWidget* grid = ui_.StringGrid1;
    QCOMPARE(grid->columnCount(), 2);
    QCOMPARE(grid->rowCount(), 2);
    QVERIFY(grid->columnWidth(0) >= 70);
    QVERIFY(grid->columnWidth(1) >= 60);
    QCOMPARE(grid->rowHeight(0), 16);
    QVERIFY(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden());
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    // The heading row and column cannot be selected, the value cells can.
    grid->setItem(1, 0, new QTableWidgetItem("1"));
    grid->setItem(1, 1, new QTableWidgetItem("5"));
    grid->clearSelection();
    grid->setCurrentCell(1, 0);
    QVERIFY(grid->selectedItems().isEmpty());
    grid->setCurrentCell(1, 1);
    QCOMPARE(grid->selectedItems().size(), 1);
  }

  void windowTimerAndSize() {
    QCOMPARE(form_.windowTitle(), QStringLiteral("Тест драйвера весового модуля ЛК-40"));
    QVERIFY(form_.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(form_.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_.minimumSize(), form_.maximumSize());
    QCOMPARE(ui_.Timer->parent(), &form_);
    QCOMPARE(ui_.Timer->interval(), 100);
    QVERIFY(!ui_.Timer->isActive());
    form_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form_));
    // Every page fits the fixed window.
    for (int i = 0; i < ui_.PageControl->count(); ++i) {
      ui_.PageControl->setCurrentIndex(i);
      QWidget* page = ui_.PageControl->widget(i);
      QVERIFY2(page->minimumSizeHint().width() <= page->width() &&
                   page->minimumSizeHint().height() <= page->height(),
               qPrintable(page->objectName()));
      for (const QAbstractButton* b : page->findChildren<QAbstractButton*>())
        QVERIFY2(b->text().isEmpty() || b->width() >= b->fontMetrics().horizontalAdvance(b->text()),
                 qPrintable(b->objectName()));
    }
    ui_.PageControl->setCurrentIndex(0);
    form_.hide();
  }

  void displayWindow() {
    QDialog dialog;
    DisplayUi ui;
    setupDisplayUi(&dialog, ui);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Дисплей"));
    QCOMPARE(dialog.windowType(), Qt::Tool);
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const std::pair<QLabel*, const char*> labels[] = {{ui.Label1, "Вес"},  {ui.Label4, "кг"},
                                                      {ui.Label2, "Тара"}, {ui.Label5, "кг"},
                                                      {ui.Label8, "Нуль"}, {ui.Label9, "Тара"},
                                                      {ui.Label3, "Успокоение"}, {ui.Label7, "Фиксация"}};
    for (const auto& [label, text] : labels) QCOMPARE(label->text(), QString::fromUtf8(text));
    for (QLineEdit* e : {ui.edtWeight, ui.edtTare}) {
      QCOMPARE(e->text(), QStringLiteral("0.000"));
      QVERIFY(e->isReadOnly());
      QCOMPARE(e->focusPolicy(), Qt::NoFocus);
      QVERIFY(e->font().bold());
    }
    QCOMPARE(fontColour(ui.edtWeight), kHighlightColour);
    QVERIFY(ui.edtWeight->font().pointSizeF() > ui.edtTare->font().pointSizeF());
    QCOMPARE(ui.Button1->text(), QStringLiteral(">T<"));
    QCOMPARE(ui.Button2->text(), QStringLiteral(">0<"));
    QCOMPARE(ui.Timer->interval(), 100);
    QVERIFY(!ui.Timer->isActive());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Each lamp stands left of its caption, on the caption's row.
    const std::pair<QLabel*, QLabel*> lamps[] = {
        {ui.Image1, ui.Label8}, {ui.Image2, ui.Label9}, {ui.Image3, ui.Label3}, {ui.Image4, ui.Label7}};
    for (const auto& [image, caption] : lamps) {
      QCOMPARE(image->size(), QSize(16, 16));
      QCOMPARE(image->pixmap().toImage(), lampPixmap(0).toImage());
      QCOMPARE(caption->x() - image->x(), 25);
      QVERIFY(image->geometry().bottom() >= caption->y() && image->y() <= caption->geometry().bottom());
    }
    // The widest reading fits its field.
    const QFontMetrics fm(ui.edtWeight->font());
    QVERIFY(ui.edtWeight->width() > fm.horizontalAdvance(QStringLiteral("-12345,0000")));
  }

  void lampPictures() {
    const QImage unlit = lampPixmap(0).toImage();
    const QImage lit = lampPixmap(1).toImage();
    QCOMPARE(unlit.size(), QSize(16, 16));
    QCOMPARE(lit.size(), QSize(16, 16));
    QCOMPARE(lampPixmap(7).toImage(), unlit);
    const auto yellow = [](const QImage& image) {
      int n = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const QColor c = image.pixelColor(x, y);
          if (c.red() > 200 && c.green() > 170 && c.blue() < 120) ++n;
        }
      return n;
    };
    QCOMPARE(yellow(unlit), 0);
    QVERIFY(yellow(lit) > 20);
    // Both on the same grey ground.
    QCOMPARE(unlit.pixelColor(0, 15), lit.pixelColor(0, 15));
    const QColor ground = unlit.pixelColor(0, 15);
    QVERIFY(ground.red() == ground.green() && ground.green() == ground.blue() && ground.red() > 100 &&
            ground.red() < 230);
    QVERIFY(!adcToggleIcon().pixmap(16, 16).isNull());
  }
};

QTEST_MAIN(UiControlsTest)
#include "ui_controls_test.moc"
