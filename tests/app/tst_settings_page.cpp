// "Настройки": each button's writes and call, the supply memo emptied just
// before its presentation, and the password field left alone.
#include <QCheckBox>

#include "main_window_harness.h"

using lk40::automation::Variant;
using Strings = std::vector<std::string>;

class SettingsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void everyButtonWritesItsPropertiesThenCallsItsMethod() {
    MainWindowHarness h;
    h.start();
    h.showPage(1);
    h.edit("Edit53")->setText(QStringLiteral("12"));
    h.edit("Edit4")->clear();
    h.edit("Edit123")->setText(QStringLiteral("42"));
    QCOMPARE(h.clickAndRecord("Button19"), (Strings{"put Password=12", "put NewPassword=0", "call SetPassword"}));
    QCOMPARE(h.text("Edit53"), QStringLiteral("12"));
    QCOMPARE(h.clickAndRecord("Button67"), (Strings{"put Password=12", "put Key=42", "call KeyEmulation"}));
    QCOMPARE(h.clickAndRecord("Button16"), (Strings{"put Password=12", "put LockKeyboardON=false", "call LockKeyboard"}));
    h.find<QCheckBox>("CheckBox7")->setChecked(true);
    QCOMPARE(h.clickAndRecord("Button16"), (Strings{"put Password=12", "put LockKeyboardON=true", "call LockKeyboard"}));
    // The automation boolean: true has all bits set.
    QCOMPARE(h.driver->value("LockKeyboardON").toInt(), -1);
    QCOMPARE(h.clickAndRecord("Button14"), (Strings{"put Password=12", "call GetVoltage"}));
    QVERIFY(h.boxes.empty());
  }

  void theSupplyMemoIsEmptiedOnlyWhenTheCallReturns() {
    MainWindowHarness h;
    h.start();
    h.showPage(1);
    auto* memo = h.find<QPlainTextEdit>("Memo4");
    memo->setPlainText(QStringLiteral("старое"));
    h.driver->set("ResultCode", Variant(2));
    h.click("Button14");
    QCOMPARE(memo->toPlainText(), QString());  // emptied before the failure is presented
    memo->setPlainText(QStringLiteral("старое"));
    h.driver->failOn("GetVoltage", "нет связи");
    h.click("Button14");
    QCOMPARE(memo->toPlainText(), QStringLiteral("старое"));
    QCOMPARE(h.boxes.size(), size_t{1});
  }
};

QTEST_MAIN(SettingsPageTest)
#include "tst_settings_page.moc"
