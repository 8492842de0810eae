// "Начало": each button's writes in order, its one call, its presentation.
#include <QComboBox>

#include "main_window_harness.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;
using Strings = std::vector<std::string>;

class ConnectionPageTest : public QObject {
  Q_OBJECT

 private slots:
  void everyButtonWritesItsPropertiesThenCallsItsMethod() {
    MainWindowHarness h;
    h.start();
    h.edit("Edit53")->setText(QStringLiteral("12"));
    h.find<QComboBox>("ComboBox2")->setCurrentIndex(31);
    h.find<QComboBox>("cbBaudRate")->setCurrentIndex(2);
    h.edit("edtTimeOut")->setText(QStringLiteral("150"));
    h.edit("Edit17")->setText(QStringLiteral("5"));
    // What reading the exchange parameters writes back into the same fields.
    h.driver->set("BaudRate", Variant(2));
    h.driver->set("Timeout", Variant(150));
    h.driver->set("PortNumber", Variant(5));
    QCOMPARE(h.clickAndRecord("Button15"), (Strings{"put ComNumber=32", "put BaudRate=2", "put Timeout=150", "call Connect"}));
    QCOMPARE(h.clickAndRecord("Button68"), (Strings{"call Disconnect"}));
    QCOMPARE(h.clickAndRecord("btnGetChangeParam"), (Strings{"put Password=12", "call GetExchangeParam"}));
    QCOMPARE(h.clickAndRecord("btnSetChangeParam"),
             (Strings{"put Password=12", "put BaudRate=2", "put Timeout=150", "put PortNumber=5", "call SetExchangeParam"}));
    QCOMPARE(h.clickAndRecord("Button36"), (Strings{"call GetDeviceMetrics"}));
    QCOMPARE(h.clickAndRecord("Button1"), (Strings{"call GetMode"}));
    QCOMPARE(h.clickAndRecord("Button21"), (Strings{"put Password=12", "call Reset"}));
    QCOMPARE(h.clickAndRecord("Button37"), (Strings{"call GetDeviceCRC"}));
    QVERIFY(h.boxes.empty());
  }

  void portsSpeedsAndEmptyTimeOut() {
    MainWindowHarness h;
    h.start();
    h.find<QComboBox>("ComboBox2")->setCurrentIndex(0);
    h.find<QComboBox>("cbBaudRate")->setCurrentIndex(2);
    h.edit("edtTimeOut")->clear();
    QCOMPARE(h.clickAndRecord("Button15"), (Strings{"put ComNumber=1", "put BaudRate=2", "put Timeout=0", "call Connect"}));
    h.find<QComboBox>("ComboBox2")->setCurrentIndex(-1);
    h.find<QComboBox>("cbBaudRate")->setCurrentIndex(-1);
    QCOMPARE(h.clickAndRecord("Button15"), (Strings{"put ComNumber=0", "put BaudRate=-1", "put Timeout=0", "call Connect"}));
  }

  void thePortIsTheItemTheTypedTextNames() {
    MainWindowHarness h;
    h.start();
    auto* port = h.find<QComboBox>("ComboBox2");
    // Typed over "Com7": a text naming no item is no item chosen; a name in
    // another case is the item, as Enter would choose it.
    const std::pair<const char*, int> rows[] = {{"xyz", 0}, {"", 0}, {"Com12", 12}, {"com3", 3}, {"Com33", 0}};
    for (const auto& [typed, comNumber] : rows) {
      port->setCurrentIndex(6);
      port->lineEdit()->selectAll();
      QTest::keyClick(port->lineEdit(), Qt::Key_Backspace);
      QTest::keyClicks(port->lineEdit(), QString::fromLatin1(typed));
      QCOMPARE(port->currentText(), QString::fromLatin1(typed));
      QCOMPARE(h.clickAndRecord("Button15").front(), "put ComNumber=" + std::to_string(comNumber));
    }
  }

  void switchingTheModeMapsItemTwoToModeThree() {
    MainWindowHarness h;
    h.start();
    h.edit("Edit53")->setText(QStringLiteral("30"));
    auto* group = h.find<RadioGroup>("RadioGroup1");
    const std::pair<int, std::string> cases[] = {{0, "put Mode=0"}, {1, "put Mode=1"}, {2, "put Mode=3"}, {-1, "put Mode=-1"}};
    for (const auto& [item, write] : cases) {
      group->setItemIndex(item);
      QCOMPARE(h.clickAndRecord("Button2"), (Strings{"put Password=30", write, "call SetMode"}));
    }
  }

  void aDriverWithoutPortNumberStillSetsTheExchangeParameters() {
    MainWindowHarness h;
    h.driver->remove("PortNumber");
    h.start();
    h.driver->set("ResultCodeDescription", Variant("Ошибок нет"));
    const Strings calls = h.clickAndRecord("btnSetChangeParam");
    QCOMPARE(calls.back(), std::string("call SetExchangeParam"));
    QVERIFY(h.boxes.empty());
    QCOMPARE(h.text("edtError"), QStringLiteral("0: Ошибок нет"));
  }

  void aDriverRejectingComNumberNeverConnects() {
    MainWindowHarness h;
    h.start();
    h.driver->failOn("ComNumber", "Method 'ComNumber' not supported by automation object");
    QCOMPARE(h.clickAndRecord("Button15"), Strings{});
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("Method 'ComNumber' not supported by automation object"));
    QVERIFY(h.find<QPushButton>("Button15")->isEnabled());
  }

  void deviceDescription() {
    MainWindowHarness h;
    h.start();
    const char* props[] = {"UMajorType", "UMinorType", "UMajorProtocolVersion", "UMinorProtocolVersion", "UModel", "UCodePage"};
    const char* fields[] = {"Edit23", "Edit25", "Edit29", "Edit31", "Edit24", "Edit26"};
    for (int i = 0; i < 6; ++i) h.driver->set(props[i], Variant(10 + i));
    h.driver->set("UDescription", Variant("ЛК-40"));
    h.click("Button36");
    for (int i = 0; i < 6; ++i) {
      QCOMPARE(h.text(fields[i]), QString::number(10 + i));
      QVERIFY(isBlue(h.edit(fields[i])));
    }
    QCOMPARE(h.text("Edit32"), QStringLiteral("ЛК-40"));
    h.driver->set("UDescription", Variant(""));
    h.click("Button36");
    QCOMPARE(h.text("Edit32"), QString());
    // A failed request keeps the previous device.
    h.driver->set("ResultCode", Variant(1));
    h.driver->set("UMajorType", Variant(99));
    h.click("Button36");
    QCOMPARE(h.text("Edit23"), QStringLiteral("10"));
  }

  void theModeReadBack() {
    MainWindowHarness h;
    h.start();
    auto* group = h.find<RadioGroup>("RadioGroup1");
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {40, 2}, {-1, -1}, {-7, -1}};
    for (const auto& [mode, item] : cases) {
      group->setItemIndex(1);
      h.driver->set("Mode", Variant(mode));
      h.click("Button1");
      QCOMPARE(group->itemIndex(), item);
      QVERIFY(isBlue(group));
    }
  }

  void theExchangeParametersReadBack() {
    MainWindowHarness h;
    h.start();
    auto* speed = h.find<QComboBox>("cbBaudRate");
    h.driver->set("BaudRate", Variant(2));
    h.driver->set("Timeout", Variant(1500));
    h.driver->set("PortNumber", Variant(4));
    h.click("btnGetChangeParam");
    QCOMPARE(speed->currentText(), QStringLiteral("9600"));
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("1500"));
    QCOMPARE(h.text("Edit17"), QStringLiteral("4"));
    QVERIFY(isBlue(speed) && isBlue(h.edit("edtTimeOut")) && isBlue(h.edit("Edit17")));
    h.driver->set("BaudRate", Variant(7));
    h.click("btnGetChangeParam");
    QCOMPARE(speed->currentIndex(), -1);
  }

  void theChecksum() {
    MainWindowHarness h;
    h.start();
    const std::pair<int32_t, const char*> cases[] = {{0x1A2B, "1A2B"}, {255, "00FF"}, {0x12345, "12345"}, {-1, "FFFFFFFF"}};
    for (const auto& [crc, text] : cases) {
      h.driver->set("DeviceCRC", Variant(crc));
      h.click("Button37");
      QCOMPARE(h.text("Edit16"), QString::fromLatin1(text));
    }
    QVERIFY(isBlue(h.edit("Edit16")));
  }
};

QTEST_MAIN(ConnectionPageTest)
#include "tst_connection_page.moc"
