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
  }

  void decimalFieldsWithAFullStop() {
    MainWindowHarness h;
    h.formats = lk40::platform::RegionalFormats::fullStop();
    h.start();
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("12.5")), QStringLiteral("12.5000"));
    QCOMPARE(typeAndLeave(h, "Edit1", QStringLiteral("1,5")), QStringLiteral("15.0000"));
    QCOMPARE(typeAndLeave(h, "Edit12", QStringLiteral("3")), QStringLiteral("3.00"));
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
