// The common presentation: status fields, caption in logging mode, success gate.
#include <QComboBox>

#include "main_window_harness.h"
#include "radio_group.h"

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
};

QTEST_MAIN(PresentationTest)
#include "tst_presentation.moc"
