// The keyboard path: Tab walks each page as the operator reads it, buttons
// press with Space, fields are named by their labels.
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "main_window_harness.h"

class KeyboardPathTest : public QObject {
  Q_OBJECT

  static void press(QWidget* form, Qt::Key key, const QString& text, Qt::KeyboardModifiers mods = {}) {
    QTest::sendKeyEvent(QTest::Click, form->windowHandle(), key, text, mods);
  }
  // A compound control's inner part counts as the control.
  static QString nameOf(const QWidget* w) {
    if (!w) return QStringLiteral("<none>");
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
      return w->parentWidget() ? nameOf(w->parentWidget()) : QString();
    return w->objectName();
  }
  // The controls Tab visits from the tab row until it comes back to it.
  static QStringList tabWalk(MainWindowHarness& h) {
    auto* pages = h.find<QTabWidget>("PageControl");
    pages->setFocus(Qt::TabFocusReason);
    QStringList seen;
    for (int i = 0; i < 80; ++i) {
      press(&h.form(), Qt::Key_Tab, QStringLiteral("\t"));
      const QString name = nameOf(QApplication::focusWidget());
      if (name == QLatin1String("PageControl")) break;
      seen << name;
    }
    return seen;
  }

 private slots:
  void tabWalksTheStartPageInReadingOrder() {
    MainWindowHarness h;
    h.start();
    h.showPage(0);
    QCOMPARE(tabWalk(h),
             (QStringList{"Edit53",  "ComboBox2", "cbBaudRate",  "edtTimeOut", "Edit17",     "Button15",
                          "Button68", "btnGetChangeParam", "btnSetChangeParam", "Button36", "Button21",
                          "RadioGroup1", "Button1", "Button2", "Button37", "Edit16", "edtDefault", "btnSettings",
                          "btnAbout", "btnJournal", "btnExit"}));
  }

  void tabWalksTheWeighingPageInReadingOrder() {
    MainWindowHarness h;
    h.start();
    h.showPage(2);
    QCOMPARE(tabWalk(h), (QStringList{"Edit53", "Button18", "Button34", "Button23", "Button24", "Edit1", "Button25",
                                      "Edit12", "Edit14", "RadioGroup3", "Button35", "Button20", "Memo3",
                                      "edtDefault", "btnSettings", "btnAbout", "btnJournal", "btnExit"}));
  }

  void everyPageIsWalkedWholeAndOnce() {
    MainWindowHarness h;
    h.arguments = QStringList{QStringLiteral("-t")};
    h.start();
    for (int page = 0; page < 7; ++page) {
      h.showPage(page);
      const QStringList walk = tabWalk(h);
      QStringList unique = walk;
      QVERIFY2(unique.removeDuplicates() == 0, qPrintable(walk.join(' ')));
      QVERIFY2(walk.size() >= 5 && walk.mid(walk.size() - 5) == QStringList({"edtDefault", "btnSettings", "btnAbout", "btnJournal", "btnExit"}),
               qPrintable(walk.join(' ')));
      // Every control of the page that takes the focus with Tab is on the walk.
      for (QWidget* w : h.find<QTabWidget>("PageControl")->currentWidget()->findChildren<QWidget*>()) {
        // A radio group is one stop, at its chosen item.
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QRadioButton*>(w))
          QVERIFY2(walk.contains(nameOf(w)), qPrintable(nameOf(w) + " missing on page " + QString::number(page)));
      }
    }
  }

  void spacePressesTheFocusedButton() {
    MainWindowHarness h;
    h.start();
    h.find<QPushButton>("Button36")->setFocus(Qt::TabFocusReason);
    h.driver->clearEvents();
    press(&h.form(), Qt::Key_Space, QStringLiteral(" "));
    QCOMPARE(h.driver->callCount("GetDeviceMetrics"), 1);
  }

  void fieldsAreNamedByTheirLabelsNotTheirUnits() {
    MainWindowHarness h;
    h.start();
    const std::pair<const char*, const char*> names[] = {
        {"Edit1", "Тара"},        {"Edit12", "Цена"},          {"Edit14", "Количество"}, {"Edit53", "Пароль"},
        {"edtTimeOut", "Таймаут"}, {"Edit17", "Порт"},          {"edtError", "Ошибка"},    {"edtSend", "Передано"},
        {"edtRecieve", "Принято"}, {"Edit24", "Модель устройства"}, {"Edit16", "CRC16"}};
    for (const auto& [field, label] : names) QCOMPARE(h.find<QWidget>(field)->accessibleName(), QString(label));
    for (const QLineEdit* e : h.form().findChildren<QLineEdit*>())
      QVERIFY2(e->accessibleName() != QLatin1String("кг") && e->accessibleName() != QLatin1String("шт"),
               qPrintable(e->objectName()));
  }
};

QTEST_MAIN(KeyboardPathTest)
#include "tst_keyboard_path.moc"
