// "ЛУ": the list rebuilt from the driver's table, the operations with their
// follow-ups, and the selection order.
#include <QComboBox>
#include <QTreeWidget>
#include <algorithm>

#include "main_window_harness.h"

using lk40::automation::Variant;
using lk40::testing::RecordingDriver;
using Strings = std::vector<std::string>;

namespace {
constexpr int kPage = 4;

struct Device {
  int number;
  const char* name;
  int com, baud, timeout;
};

// A driver table: EnumLD and GetParamLD answer from it; GetActiveLD names
// position active (none when negative).
void script(RecordingDriver& d, std::vector<Device> table, int active) {
  d.set("LDCount", Variant(static_cast<int32_t>(table.size())));
  d.setResult("GetActiveLD", active >= 0 ? 0 : 12);
  d.onCall("GetActiveLD", [table, active](RecordingDriver& r) {
    if (active < 0) return;
    r.set("LDIndex", Variant(active));
    r.set("LDNumber", Variant(table[static_cast<size_t>(active)].number));
  });
  d.onCall("EnumLD", [table](RecordingDriver& r) {
    const Device& dev = table.at(static_cast<size_t>(r.value("LDIndex").toInt()));
    r.set("LDNumber", Variant(dev.number));
    r.set("LDName", Variant(dev.name));
  });
  d.onCall("GetParamLD", [table](RecordingDriver& r) {
    for (const Device& dev : table) {
      if (dev.number != r.value("LDNumber").toInt()) continue;
      r.set("LDName", Variant(dev.name));
      r.set("LDComNumber", Variant(dev.com));
      r.set("LDBaudrate", Variant(dev.baud));
      r.set("LDTimeout", Variant(dev.timeout));
    }
  });
}

const std::vector<Device> kThree{{4, "Весы 4", 3, 2, 150}, {7, "Склад", 5, 6, 200}, {9, "Касса", 1, 0, 99}};

QStringList rows(MainWindowHarness& h) {
  QStringList out;
  auto* list = h.find<QTreeWidget>("ListView1");
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list->topLevelItem(i);
    out << row->text(0) + "|" + row->text(1) + (row->icon(0).isNull() ? "" : "|лампа");
  }
  return out;
}
}  // namespace

class LogicalDevicesPageTest : public QObject {
  Q_OBJECT

 private slots:
  void enteringThePageRebuildsTheList() {
    const struct {
      std::vector<Device> table;
      int active;
      QStringList expected;
    } cases[] = {
        {kThree, 1, {"4|Весы 4", "7|Склад|лампа", "9|Касса"}},
        {kThree, -1, {"4|Весы 4", "7|Склад", "9|Касса"}},
        {{}, -1, {}},
    };
    for (const auto& c : cases) {
      MainWindowHarness h;
      h.start();
      script(*h.driver, c.table, c.active);
      h.driver->clearEvents();
      h.showPage(kPage);
      QCOMPARE(rows(h), c.expected);
      Strings expectedCalls{"call GetActiveLD", "call GetCountLD"};
      for (size_t i = 0; i < c.table.size(); ++i) {
        expectedCalls.push_back("put LDIndex=" + std::to_string(i));
        expectedCalls.push_back("call EnumLD");
      }
      QCOMPARE(h.driver->writesAndCalls(), expectedCalls);
      QVERIFY(!h.edit("Edit53")->isVisible());
    }
  }

  void addCopiesTheNewNumberAndRebuilds() {
    MainWindowHarness h;
    h.start();
    h.showPage(kPage);
    script(*h.driver, kThree, 0);
    h.edit("Edit8")->setText(QStringLiteral("Касса"));
    h.find<QComboBox>("ComboBox3")->setCurrentIndex(0);
    h.find<QComboBox>("ComboBox4")->setCurrentIndex(0);
    h.edit("Edit20")->setText(QStringLiteral("99"));
    h.driver->onCall("AddLD", [](RecordingDriver& r) { r.set("LDNumber", Variant(9)); });
    h.driver->clearEvents();
    h.click("Button72");
    const Strings calls = h.driver->writesAndCalls();
    QCOMPARE(Strings(calls.begin(), calls.begin() + 5),
             (Strings{"put LDName=\"Касса\"", "put LDComNumber=1", "put LDBaudrate=0", "put LDTimeout=99", "call AddLD"}));
    QCOMPARE(calls[5], std::string("call GetActiveLD"));
    QCOMPARE(h.text("Edit13"), QStringLiteral("9"));
    QCOMPARE(rows(h).size(), 3);
  }

  void failedQueriesEmptyTheirFields() {
    MainWindowHarness h;
    h.start();
    h.showPage(kPage);
    h.driver->set("LDCount", Variant(2));
    h.driver->set("LDNumber", Variant(5));
    h.click("Button7");
    h.click("Button8");
    QCOMPARE(h.text("Edit15"), QStringLiteral("2"));
    QCOMPARE(h.text("Edit33"), QStringLiteral("5"));
    h.driver->set("ResultCode", Variant(12));
    h.click("Button7");
    h.click("Button8");
    QCOMPARE(h.text("Edit15"), QString());
    QCOMPARE(h.text("Edit33"), QString());
  }

  void choosingTheActiveDeviceReconnectsOnlyAfterItSucceeded() {
    MainWindowHarness h;
    h.start();
    h.showPage(kPage);
    auto* speed = h.find<QComboBox>("cbBaudRate");
    auto* port = h.find<QComboBox>("ComboBox2");
    speed->setCurrentIndex(2);
    port->setCurrentIndex(0);
    h.driver->set("BaudRate", Variant(5));
    h.driver->set("ComNumber", Variant(7));
    h.edit("Edit13")->setText(QStringLiteral("7"));
    const std::tuple<int, int, int, Strings> cases[] = {
        {12, 0, 2, {"put LDNumber=7", "call SetActiveLD"}},
        {0, 1, 2, {"put LDNumber=7", "call SetActiveLD", "call Connect"}},
        {0, 0, 5, {"put LDNumber=7", "call SetActiveLD", "call Connect"}},
    };
    for (const auto& [setActive, connect, shownSpeed, calls] : cases) {
      h.driver->setResult("SetActiveLD", setActive);
      h.driver->setResult("Connect", connect);
      h.driver->clearEvents();
      h.click("Button10");
      const Strings seen = h.driver->writesAndCalls();
      QCOMPARE(Strings(seen.begin(), seen.begin() + static_cast<long>(calls.size())), calls);
      QCOMPARE(seen[calls.size()], std::string("call GetActiveLD"));  // the rebuild follows
      QCOMPARE(speed->currentIndex(), shownSpeed);
      QCOMPARE(port->currentIndex(), 0);
    }
  }

  void readingADeviceFillsTheFields() {
    MainWindowHarness h;
    h.start();
    h.showPage(kPage);
    script(*h.driver, kThree, 0);
    h.edit("Edit13")->setText(QStringLiteral("4"));
    h.click("Button70");
    QCOMPARE(h.text("Edit8"), QStringLiteral("Весы 4"));
    QCOMPARE(h.find<QComboBox>("ComboBox3")->currentText(), QStringLiteral("Сом3"));
    QCOMPARE(h.find<QComboBox>("ComboBox4")->currentText(), QStringLiteral("9600"));
    // Any port number a driver hands back, INT32_MIN included, leaves the list unchosen.
    script(*h.driver, {{4, "Весы 4", INT32_MIN, 2, 150}}, 0);
    h.click("Button70");
    QCOMPARE(h.find<QComboBox>("ComboBox3")->currentIndex(), -1);
  }

  void theRowThatLostTheSelectionFirstTheNewOneLast() {
    MainWindowHarness h;
    h.start();
    script(*h.driver, kThree, 1);
    h.showPage(kPage);
    auto* list = h.find<QTreeWidget>("ListView1");
    list->setCurrentItem(list->topLevelItem(0));
    h.driver->clearEvents();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(2)).center());
    QCOMPARE(h.driver->writesAndCalls(),
             (Strings{"put LDNumber=4", "call GetParamLD", "put LDNumber=9", "call GetParamLD"}));
    QCOMPARE(h.text("Edit13"), QStringLiteral("9"));
    QCOMPARE(h.text("Edit8"), QStringLiteral("Касса"));
    QCOMPARE(h.text("Edit20"), QStringLiteral("99"));
    const Strings trace = h.driver->trace();
    const Strings reads(std::find(trace.rbegin(), trace.rend(), "call GetParamLD").base(), trace.end());
    QCOMPARE(reads, (Strings{"get ResultCode", "get LDName", "get LDNumber", "get LDComNumber", "get LDBaudrate",
                             "get LDTimeout"}));
    // Closing clears the selection first: the row is handled once more.
    h.driver->clearEvents();
    h.close();
    QCOMPARE(h.driver->writesAndCalls(), (Strings{"put LDNumber=9", "call GetParamLD"}));
  }
};

QTEST_MAIN(LogicalDevicesPageTest)
#include "tst_logical_devices_page.moc"
