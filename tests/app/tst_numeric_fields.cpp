// The integer and decimal fields: key filters, typing limits, exit checks.
#include "main_window_harness.h"

class NumericFieldsTest : public QObject {
  Q_OBJECT

  // Types into a field that has the focus, then moves the focus away.
  static QString typeAndLeave(MainWindowHarness& h, const char* name, const QString& typed, bool clear = true) {
    QLineEdit* field = h.edit(name);
    h.showPage(pageOf(name));
    field->setFocus();
    if (clear) field->clear();
    QTest::keyClicks(field, typed);
    h.edit("Edit53")->hasFocus() ? h.find<QPushButton>("btnAbout")->setFocus() : h.edit("Edit53")->setFocus();
    return field->text();
  }
  static QString pasteAndLeave(MainWindowHarness& h, const char* name, const QString& pasted) {
    QLineEdit* field = h.edit(name);
    h.showPage(pageOf(name));
    field->setFocus();
    field->setText(pasted);
    h.find<QPushButton>("btnAbout")->setFocus();
    return field->text();
  }
  static int pageOf(const char* name) {
    const QString n = QString::fromLatin1(name);
    if (n == "Edit1" || n == "Edit12" || n == "Edit14") return 2;
    if (n == "Edit2") return 3;
    return 0;
  }

 private slots:
  void integerFieldsTakeDigitsOnly() {
    MainWindowHarness h;
    h.start();
    QCOMPARE(typeAndLeave(h, "edtTimeOut", QStringLiteral("1a2")), QStringLiteral("12"));
    QCOMPARE(typeAndLeave(h, "edtTimeOut", QStringLiteral("-1 2+")), QStringLiteral("12"));
    // The typing limit of three characters.
    QCOMPARE(typeAndLeave(h, "edtTimeOut", QStringLiteral("12345")), QStringLiteral("123"));
    QCOMPARE(typeAndLeave(h, "Edit53", QStringLiteral("987654")), QStringLiteral("9876"));
  }

  void leavingAnIntegerFieldCorrectsOnlyWhatDoesNotConvert() {
    MainWindowHarness h;
    h.start();
    QCOMPARE(pasteAndLeave(h, "Edit17", QStringLiteral("abc")), QStringLiteral("0"));
    QCOMPARE(pasteAndLeave(h, "Edit17", QStringLiteral("007")), QStringLiteral("007"));
    QCOMPARE(pasteAndLeave(h, "Edit17", QStringLiteral("  $1F")), QStringLiteral("  $1F"));
    QCOMPARE(pasteAndLeave(h, "Edit17", QStringLiteral("99999999999")), QStringLiteral("0"));
    QCOMPARE(pasteAndLeave(h, "Edit53", QString()), QStringLiteral("0"));
  }

  void decimalFieldsWithAComma() {
    MainWindowHarness h;
    h.formats = lk40::platform::RegionalFormats::russian();
    h.start();
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("12,5")), QStringLiteral("12,5000"));
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("1,2,3")), QStringLiteral("1,2300"));
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("1.5")), QStringLiteral("15,0000"));
    QCOMPARE(typeAndLeave(h, "Edit1", QString()), QStringLiteral("0"));
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("0")), QStringLiteral("0,0000"));
    QCOMPARE(typeAndLeave(h, "Edit12", QStringLiteral("3")), QStringLiteral("3,00"));
    QCOMPARE(pasteAndLeave(h, "Edit12", QStringLiteral("1e2")), QStringLiteral("100,00"));
    QCOMPARE(pasteAndLeave(h, "Edit1", QStringLiteral("12,34")), QStringLiteral("12,3400"));
    QCOMPARE(pasteAndLeave(h, "Edit1", QStringLiteral("abc")), QStringLiteral("0"));
    // The calibration weight keeps the form in which it is read back.
    QCOMPARE(typeAndLeave(h, "Edit2", QStringLiteral("2,,5")), QStringLiteral("2,5"));
    QCOMPARE(pasteAndLeave(h, "Edit2", QStringLiteral("12,50")), QStringLiteral("12,5"));
  }

  void decimalFieldsWithAFullStop() {
    MainWindowHarness h;
    h.formats = lk40::platform::RegionalFormats::fullStop();
    h.start();
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("12.5")), QStringLiteral("12.5000"));
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("1,5")), QStringLiteral("15.0000"));
    QCOMPARE(typeAndLeave(h, "Edit12", QStringLiteral("3")), QStringLiteral("3.00"));
    QCOMPARE(typeAndLeave(h, "Edit2", QStringLiteral("2.5")), QStringLiteral("2.5"));
  }

  void aSeparatorOverASelectedSeparatorIsRefused() {
    MainWindowHarness h;
    h.start();
    h.showPage(2);
    QLineEdit* field = h.edit("Edit1");
    field->setFocus();
    field->setText(QStringLiteral("1,5"));
    field->setSelection(1, 1);
    QTest::keyClicks(field, QStringLiteral(","));
    QCOMPARE(field->text(), QStringLiteral("1,5"));
  }

  // Keys as the X server hands them over: Tab carries "\t" and Delete "\x7f".
  static void pressKey(QWidget* form, Qt::Key key, const QString& text, Qt::KeyboardModifiers mods = {}) {
    QTest::sendKeyEvent(QTest::Click, form->windowHandle(), key, text, mods);
  }

  void tabAndDeleteWorkInEveryGuardedField() {
    MainWindowHarness h;
    h.formats = lk40::platform::RegionalFormats::russian();
    h.start();
    struct Case {
      const char* field;
      int page;
      const char* next;  // the control Tab moves on to
    };
    const Case cases[] = {{"edtTimeOut", 0, "Edit17"}, {"Edit17", 0, "Button15"}, {"Edit1", 2, "Button25"},
                          {"Edit12", 2, "Edit14"},      {"Edit14", 2, "RadioGroup3"}, {"Edit53", 0, "ComboBox2"}};
    for (const Case& c : cases) {
      h.showPage(c.page);
      QLineEdit* field = h.edit(c.field);
      field->setFocus();
      field->setText(QStringLiteral("123"));
      field->setCursorPosition(0);
      pressKey(&h.form(), Qt::Key_Delete, QStringLiteral("\x7f"));
      QCOMPARE(field->text(), QStringLiteral("23"));
      pressKey(&h.form(), Qt::Key_End, QString());
      pressKey(&h.form(), Qt::Key_Left, QString());
      pressKey(&h.form(), Qt::Key_Delete, QStringLiteral("\x7f"));
      QCOMPARE(field->text(), QStringLiteral("2"));
      pressKey(&h.form(), Qt::Key_Tab, QStringLiteral("\t"));
      QWidget* focus = QApplication::focusWidget();
      QVERIFY2(focus && (focus->objectName() == c.next || focus->parentWidget()->objectName() == c.next),
               qPrintable(QString::fromLatin1(c.field) + " -> " + (focus ? focus->objectName() : QString())));
      pressKey(&h.form(), Qt::Key_Backtab, QStringLiteral("\t"), Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget(), field);
      // Leaving the field checked it; typed characters are still judged.
      const QString left = field->text();
      QCOMPARE(left, QString::fromLatin1(c.page == 2 && c.field != QByteArray("Edit14")
                                             ? (c.field == QByteArray("Edit1") ? "2,0000" : "2,00")
                                             : "2"));
      pressKey(&h.form(), Qt::Key_Minus, QStringLiteral("-"));
      pressKey(&h.form(), Qt::Key_Space, QStringLiteral(" "));
      pressKey(&h.form(), Qt::Key_Return, QStringLiteral("\r"));
      QCOMPARE(field->text(), left);
    }
  }

  void controlCharactersAreDiscarded() {
    MainWindowHarness h;
    h.start();
    QLineEdit* field = h.edit("edtTimeOut");
    field->setFocus();
    field->setText(QStringLiteral("15"));
    field->selectAll();
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("15"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QString());
  }
};

QTEST_MAIN(NumericFieldsTest)
#include "tst_numeric_fields.moc"
