// The forms as uic builds them: every window's form names unique, the fields
// the code and the stored inputs reach by name present with their typing
// limits, the pages in order with their identifiers, the layout rule the
// command frame relies on, and the channel dialog's hand-set tab order.
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QSet>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "about/tfrm_about.h"
#include "channel_dialog/set_channel_param_ui.h"
#include "display/display_ui.h"
#include "journal/tfrm_journal.h"
#include "main_window/main_ui.h"
#include "main_window_harness.h"
#include "pages/page.h"
#include "pages/page_id.h"
#include "widgets/qt_translations.h"
#include "widgets/radio_group.h"

namespace {

struct Field {
  const char* name;
  int typingLimit;  // 0: none
};

// The main window's fields: the inputs the pages send and the settings store
// keeps, with the number of characters the operator may type.
const Field kMainFields[] = {
    {"Edit53", 4}, {"edtTimeOut", 3}, {"Edit17", 3}, {"Edit4", 4},   {"Edit123", 3}, {"Edit1", 5},
    {"Edit12", 10}, {"Edit14", 3},    {"Edit7", 3},  {"Edit2", 3},   {"Edit13", 0},  {"Edit8", 0},
    {"Edit20", 3}, {"Edit9", 3},      {"Edit3", 0},  {"Edit11", 0},  {"Edit16", 0},  {"Edit5", 0},
    {"Edit6", 0},  {"Edit33", 0},     {"Edit15", 0}, {"Edit10", 0},  {"Edit23", 0},  {"Edit25", 0},
    {"Edit29", 0}, {"Edit31", 0},     {"Edit24", 0}, {"Edit26", 0},  {"Edit32", 0},  {"edtError", 0},
    {"edtSend", 0}, {"edtRecieve", 0}};

QStringList duplicateNames(const QWidget& window) {
  QSet<QString> seen;
  QStringList duplicates;
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    const QString name = w->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
    if (seen.contains(name)) duplicates << name;
    seen.insert(name);
  }
  return duplicates;
}

}  // namespace

class FormsTest : public QObject {
  Q_OBJECT

 private:
  // The real window, each page made by its own class.
  MainWindowHarness harness_;
  QWidget* main_ = nullptr;
  const MainUi* ui_ = nullptr;
  QDialog display_;
  DisplayUi displayUi_;
  QDialog channel_;
  SetChannelParamUi channelUi_;
  std::unique_ptr<TfrmAbout> about_;

 private slots:
  void initTestCase() {
    main_ = &harness_.start();
    ui_ = &harness_.form().controls();
    setupDisplayUi(&display_, displayUi_);
    setupSetChannelParamUi(&channel_, channelUi_);
    about_ = std::make_unique<TfrmAbout>();
  }

  void formNamesAreUniqueInEveryWindow() {
    for (const QWidget* window : {main_, static_cast<QWidget*>(&display_),
                                  static_cast<QWidget*>(&channel_), static_cast<QWidget*>(about_.get())})
      QCOMPARE(duplicateNames(*window).join(' '), QString());
  }

  void fieldsArePresentWithTheirTypingLimits() {
    for (const Field& f : kMainFields) {
      const QList<QLineEdit*> found = main_->findChildren<QLineEdit*>(QLatin1String(f.name));
      QVERIFY2(found.size() == 1, f.name);
      const QVariant limit = found.front()->property("typingLimit");
      QCOMPARE(QStringLiteral("%1 %2").arg(f.name).arg(limit.isValid() ? limit.toInt() : 0),
               QStringLiteral("%1 %2").arg(f.name).arg(f.typingLimit));
    }
    // Program-set texts must never be cut, so no edit carries a limit below
    // Qt's own (the status fields carry none at all).
    for (const QWidget* window : {main_, static_cast<QWidget*>(&channel_)})
      for (const QLineEdit* e : window->findChildren<QLineEdit*>()) QVERIFY2(e->maxLength() >= 32767, qPrintable(e->objectName()));
  }

  void pagesInOrderWithTheirIdentifiers() {
    const std::tuple<const char*, const char*, int> pages[] = {
        {"TabSheet1", "Начало", PageID::Connection},   {"TabSheet5", "Настройки", PageID::Settings},
        {"TabSheet3", "Вес", PageID::Weighing},         {"TabSheet4", "Градуировка", PageID::Calibration},
        {"TabSheet2", "ЛУ", PageID::LogicalDevices},    {"TabSheet6", "Весовые каналы", PageID::Channels},
        {"TabSheet7", "Тест", PageID::Test}};
    const int count = static_cast<int>(std::size(pages));
    QCOMPARE(ui_->PageControl->count(), count);
    for (int i = 0; i < count; ++i) {
      const auto& [name, caption, id] = pages[i];
      QCOMPARE(ui_->PageControl->widget(i)->objectName(), QLatin1String(name));
      QCOMPARE(ui_->PageControl->tabText(i), QString::fromUtf8(caption));
      const auto* made = qobject_cast<const Page*>(ui_->PageControl->widget(i));
      QCOMPARE(made ? made->id() : ui_->PageControl->widget(i)->property("pageId").toInt(), id);
    }
    QCOMPARE(ui_->PageControl->currentIndex(), 0);
    // The password is above the pages, not on any of them.
    for (QWidget* w : {static_cast<QWidget*>(ui_->Edit53), static_cast<QWidget*>(ui_->StaticText1)}) {
      QCOMPARE(w->parentWidget(), main_);
      for (int i = 0; i < count; ++i) QVERIFY(!ui_->PageControl->widget(i)->isAncestorOf(w));
    }
  }

  // The command frame walks a page's children and those of its group boxes:
  // every named control must sit on one of them, no container in between.
  void pageControlsSitOnThePageOrItsGroupBoxes() {
    for (int i = 0; i < ui_->PageControl->count(); ++i) {
      QWidget* page = ui_->PageControl->widget(i);
      int named = 0;
      for (const QWidget* w : page->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        const QWidget* parent = w->parentWidget();
        const bool onGroupBox = parent != page && parent->parentWidget() == page &&
                                qobject_cast<const QGroupBox*>(parent) && !qobject_cast<const RadioGroup*>(parent);
        QVERIFY2(parent == page || onGroupBox, qPrintable(w->objectName()));
        ++named;
      }
      QVERIFY2(named > 0, qPrintable(page->objectName()));
    }
  }

  void channelDialogTabOrder() {
    QStringList walk;
    QWidget* w = channelUi_.Button1;
    do {
      if (w->focusPolicy() & Qt::TabFocus) {
        const auto* group = qobject_cast<const RadioGroup*>(w->parentWidget());
        walk << (group ? group->objectName() + QLatin1Char('.') + QString::number(group->items().indexOf(
                                                                         static_cast<QAbstractButton*>(w)->text()))
                       : w->objectName());
      }
      w = w->nextInFocusChain();
    } while (w != channelUi_.Button1 && walk.size() < 40);
    QCOMPARE(walk, (QStringList{"Button1", "Button2", "Edit1", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7",
                                "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13", "RadioGroup1.0",
                                "RadioGroup1.1", "RadioGroup1.2", "RadioGroup2.0", "RadioGroup2.1", "Edit14",
                                "Button3"}));
  }

  // Qt's own dialogs speak the bench's language: the journal's save dialog,
  // with its title, buttons and tool tips.
  void qtsOwnDialogsInRussian() {
#ifdef Q_OS_WIN
    QSKIP("Windows shows its own file dialog, in the system's language");
#endif
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    lk40::core::ExchangeJournal journal;
    TfrmJournal window(journal, nullptr);
    QString title;
    QStringList texts;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      title = dialog->windowTitle();
      for (const QPushButton* button : dialog->findChildren<QPushButton*>()) texts << button->text();
      for (const QToolButton* button : dialog->findChildren<QToolButton*>()) texts << button->toolTip();
      dialog->reject();
    });
    poll.start(20);
    window.btnSave->click();
    QCOMPARE(title, QStringLiteral("Сохранить журнал"));
    for (const char* text : {"&Сохранить", "Отмена", "Назад"})
      QVERIFY2(texts.contains(QString::fromUtf8(text)), qPrintable(texts.join(u'|')));
  }
};

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
