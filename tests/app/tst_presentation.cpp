// The common presentation: status fields, caption in logging mode, success gate.
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QTableWidget>

#include "platform/code_page.h"

#include "main_window_harness.h"
#include "widgets/radio_group.h"
#include "widgets/status_field.h"

using lk40::automation::Variant;

class PresentationTest : public QObject {
  Q_OBJECT

  static void script(MainWindowHarness& h) {
    h.driver->set("ResultCodeDescription", Variant("Ошибок нет"));
    h.driver->set("Input", Variant("02 03 12 1E 0F"));
    h.driver->set("Output", Variant("02 03 12 00 11"));
    h.driver->set("Mode", Variant(1));
    h.driver->set("UMajorType", Variant(44));
  }

 private slots:
  void codesWithoutValuesShowTheStatusFieldsOnly() {
    for (int code : {0, 0x99}) {
      MainWindowHarness h;
      h.start();
      script(h);
      h.driver->clearEvents();
      h.form().ShowCommandResult(code);
      QCOMPARE(h.text("edtError"), QStringLiteral("0: Ошибок нет"));
      QCOMPARE(h.text("edtSend"), QStringLiteral("02 03 12 1E 0F"));
      QCOMPARE(h.text("edtRecieve"), QStringLiteral("02 03 12 00 11"));
      for (const char* field : {"edtError", "edtSend", "edtRecieve"}) QVERIFY(isBlue(h.edit(field)));
      const std::vector<std::string> reads = {"get ResultCode", "get ResultCodeDescription", "get Input",
                                              "get Output", "get ResultCode"};
      QCOMPARE(h.driver->trace(), reads);
    }
  }

  // The driver's texts are shown unchanged, however long: no line edit's
  // default limit of 32 767 characters cuts them.
  // A driver's text of any length is kept whole for copying and the scripted
  // run; a field shows the start of a long one with its length, so that a
  // megabyte frame does not cost seconds of layout on every press.
  void theStatusFieldsKeepLongTextsWholeAndShowWhereTheyAreCut() {
    MainWindowHarness h;
    h.start();
    const int n = StatusField::kShownChars;
    const std::pair<const char*, std::string> texts[] = {{"ResultCodeDescription", std::string(50000, 'd')},
                                                         {"Input", std::string(n, 'i')},
                                                         {"Output", std::string(n + 1, 'o')}};
    for (const auto& [property, text] : texts) h.driver->set(property, Variant(text));
    h.form().ShowCommandResult(0);
    struct Row {
      const char* field;
      int whole;
      QString shown;
    } rows[] = {
        {"edtError", 3 + 50000, QString(n - 3, 'd') + QStringLiteral(" … [обрезано, знаков: 50003]")},
        {"edtSend", n, QString(n, 'i')},
        {"edtRecieve", n + 1, QString(n, 'o') + QStringLiteral(" … [обрезано, знаков: %1]").arg(n + 1)},
    };
    for (const Row& row : rows) {
      auto* field = h.find<StatusField>(row.field);
      QCOMPARE(field->wholeText().size(), row.whole);
      QCOMPARE(field->text().mid(3 * (row.field == QStringLiteral("edtError"))), row.shown);
      field->selectAll();
      QGuiApplication::clipboard()->clear();
      QTest::keySequence(field, QKeySequence::Copy);
      QCOMPARE(QGuiApplication::clipboard()->text().size(), row.whole);
    }
  }

  void aFailedCallShowsItsCodeAndKeepsTheValues() {
    MainWindowHarness h;
    h.start();
    script(h);
    auto* mode = h.find<RadioGroup>("RadioGroup1");
    mode->setItemIndex(0);
    h.driver->set("ResultCode", Variant(5));
    h.driver->set("ResultCodeDescription", Variant("Неверный пароль"));
    h.click("Button1");
    QCOMPARE(h.text("edtError"), QStringLiteral("5: Неверный пароль"));
    QCOMPARE(mode->itemIndex(), 0);
    QVERIFY(isNormalColour(mode));
  }

  void theCaptionFollowsTheConnectionOnlyInLoggingMode() {
    const QString base = QStringLiteral("Тест драйвера весового модуля ЛК-40");
    {
      MainWindowHarness h;
      h.start();
      h.driver->set("Connected", Variant(true));
      h.driver->set("ComNumber", Variant(3));
      h.click("Button15");
      QCOMPARE(h.form().windowTitle(), base);
    }
    MainWindowHarness h;
    h.arguments = {QStringLiteral("w.log"), QStringLiteral("200"), QStringLiteral("5")};
    h.start();
    h.driver->set("Connected", Variant(true));
    h.find<QComboBox>("ComboBox2")->setCurrentIndex(2);
    h.click("Button15");
    QCOMPARE(h.form().windowTitle(), base + QStringLiteral(" (COM3)"));
    // Also when the call failed.
    h.driver->set("Connected", Variant(false));
    h.driver->set("ResultCode", Variant(2));
    h.click("Button68");
    QCOMPARE(h.form().windowTitle(), base);
  }
  void calibrationAndChannelValues() {
    MainWindowHarness h;
    h.start();
    h.driver->set("CalibrationWeight", Variant(2.5));
    h.driver->set("FixedPointStatus", Variant(9));
    h.driver->set("ADCValue", Variant(-123456));
    h.driver->set("ChannelsCount", Variant(4));
    h.driver->set("ChannelNumber", Variant(2));
    h.driver->set("ChannelFlags", Variant(0x104));
    for (int code : {0x71, 0x73, 0x75, 0xE5, 0xEA, 0xE8}) h.form().ShowCommandResult(code);
    QCOMPARE(h.text("Edit2"), QStringLiteral("2,5"));
    QCOMPARE(h.text("Edit5"), QStringLiteral("2,5"));
    QCOMPARE(h.find<RadioGroup>("RadioGroup2")->itemIndex(), 4);
    QCOMPARE(h.text("Edit6"), QStringLiteral("-123456"));
    QCOMPARE(h.text("Edit10"), QStringLiteral("4"));
    QCOMPARE(h.text("Edit9"), QStringLiteral("2"));
    const QStringList block = h.text("Memo1").split('\n');
    QCOMPARE(block.size(), 17);
    QCOMPARE(block[1], QStringLiteral("Флаги: <260>"));
    QCOMPARE(block[2], QStringLiteral("\tтип канала: <тензоканал>"));
    QCOMPARE(block[3], QStringLiteral("\tвыборка массы тары: <есть>"));
    for (const char* field : {"Edit2", "Edit5", "Edit6", "Edit10", "Edit9"}) QVERIFY(isBlue(h.edit(field)));
  }

  void aTestRecordFillsTheGrid() {
    MainWindowHarness h;
    h.start();
    auto* grid = h.find<QTableWidget>("StringGrid1");
    const auto record = [&](const char* bytes, int size) {
      h.driver->set("TestData", Variant(lk40::platform::ansiToUtf8(std::string(bytes, size))));
      h.form().ShowCommandResult(0xF1);
    };
    auto cell = [&](int row, int column) { return grid->item(row, column) ? grid->item(row, column)->text() : QString(); };
    record("\x02\xFF\x02\x34\x12\xFE\xFF", 7);
    QCOMPARE(grid->rowCount(), 6);
    QCOMPARE(cell(1, 1), QStringLiteral("UINT"));
    QCOMPARE(cell(2, 1), QStringLiteral("ЕСТЬ"));
    QCOMPARE(cell(3, 1), QStringLiteral("2"));
    QCOMPARE(cell(4, 0), QStringLiteral("1"));
    QCOMPARE(cell(4, 1), QStringLiteral("4660"));
    QCOMPARE(cell(5, 1), QStringLiteral("65534"));
    QCOMPARE(cell(0, 1), QStringLiteral("Значение"));
    record("\x05\x00\x01\xFF\xFF\xFF\xFF", 7);
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(cell(1, 1), QStringLiteral("LONG"));
    QCOMPARE(cell(2, 1), QStringLiteral("НЕТ"));
    QCOMPARE(cell(4, 1), QStringLiteral("-1"));
    // Too short: the grid keeps the previous record.
    record("\x05\x00", 2);
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(cell(1, 1), QStringLiteral("LONG"));
  }
};

QTEST_MAIN(PresentationTest)
#include "tst_presentation.moc"
