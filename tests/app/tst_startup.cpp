// Start-up, the command line, placement, page rules and closing.
#include <climits>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "main_window_harness.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void connectsWithTheDriversOwnSettingsAndCopiesThemBack() {
    MainWindowHarness h;
    h.driver->set("ComNumber", Variant(3));
    h.driver->set("BaudRate", Variant(4));
    h.driver->set("Timeout", Variant(1500));
    h.driver->set("PortNumber", Variant(7));
    h.driver->set("Password", Variant(1234));
    h.driver->set("UMajorType", Variant(12));
    h.driver->set("ResultCodeDescription", Variant("Ошибок нет"));
    h.start();

    const auto trace = h.driver->trace();
    const std::vector<std::string> expected = {
        "call Connect", "get ComNumber", "get BaudRate", "get Timeout", "get PortNumber", "get Password",
        "get ResultCode", "get ResultCodeDescription", "get Input", "get Output", "get ResultCode",
        "get UMajorType"};
    QVERIFY(trace.size() > expected.size());
    QCOMPARE(std::vector<std::string>(trace.begin(), trace.begin() + expected.size()), expected);
    QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), 2);
    QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), 4);
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("1500"));
    QCOMPARE(h.text("Edit17"), QStringLiteral("7"));
    QCOMPARE(h.text("Edit53"), QStringLiteral("1234"));
    QCOMPARE(h.text("edtError"), QStringLiteral("0: Ошибок нет"));
    QCOMPARE(h.text("Edit23"), QStringLiteral("12"));
    // Presented before the controls came back: page values in the normal colour.
    QVERIFY(isNormalColour(h.edit("Edit23")));
    QVERIFY(isBlue(h.edit("edtError")));
    QVERIFY(h.boxes.empty());
  }

  void aRefusedConnectionPresentsCodeZeroAndKeepsTheFields() {
    MainWindowHarness h;
    h.driver->setResult("Connect", 5);
    h.driver->set("ResultCode", Variant(5));
    h.driver->set("ResultCodeDescription", Variant("Нет связи"));
    h.driver->set("ComNumber", Variant(9));
    h.driver->set("UMajorType", Variant(12));
    h.start();
    QCOMPARE(h.text("edtError"), QStringLiteral("5: Нет связи"));
    QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), 0);
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("150"));
    QCOMPARE(h.text("Edit23"), QString());
    QCOMPARE(h.driver->callCount("Connect"), 1);
  }

  void aDriverWithoutPortNumberKeepsTheRestoredPort() {
    MainWindowHarness h;
    h.driver->remove("PortNumber");
    h.driver->set("Password", Variant(77));
    h.start();
    QCOMPARE(h.text("Edit17"), QStringLiteral("0"));
    QCOMPARE(h.text("Edit53"), QStringLiteral("77"));
    QVERIFY(h.boxes.empty());
  }

  void portsAndSpeedsOutsideTheListsChooseNothing() {
    // A driver is outside code: the most negative value must not overflow.
    for (int com : {0, 33, INT32_MIN, INT32_MAX}) {
      MainWindowHarness h;
      h.driver->set("ComNumber", Variant(com));
      h.driver->set("BaudRate", Variant(com == INT32_MIN ? INT32_MIN : 7));
      h.start();
      QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), -1);
      QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), -1);
    }
  }

  void theCalibrationSelectionIsClearedWhateverWasSaved() {
#ifdef _WIN32
    QSKIP("Windows keeps the inputs in the registry, not in the file this test edits");
#endif
    for (int connect : {0, 1}) {
      MainWindowHarness h;
      h.start();
      h.find<RadioGroup>("RadioGroup2")->setItemIndex(1);
      h.driver->setResult("Connect", connect);
      h.restart();
      QFile store(h.settingsFile());
      QVERIFY(store.open(QIODevice::ReadOnly));
      QVERIFY(store.readAll().contains("\"90\"=dword:00000001"));
      QCOMPARE(h.find<RadioGroup>("RadioGroup2")->itemIndex(), -1);
    }
  }

  void aDriverErrorDuringConnectIsShownAndStartUpCompletes() {
    MainWindowHarness h;
    h.driver->failOn("Connect", "порт занят");
    h.arguments = {QStringLiteral("-t")};
    h.start();
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("порт занят"));
    QVERIFY(h.find<QTabWidget>("PageControl")->isEnabled());
    QVERIFY(h.find<QTabWidget>("PageControl")->isTabVisible(6));
    QCOMPARE(h.form().baseCaption(), QStringLiteral("Тест драйвера весового модуля ЛК-40"));
  }

  void withoutADriverOnlyTheMessageIsShownAndNothingIsSaved() {
#ifdef _WIN32
    QSKIP("Windows finds the registered COM server whatever the plugin search path says");
#endif
    MainWindowHarness h;
    lk40::testing::RecordingDriver::uninstall();
    QTemporaryDir empty;
    qputenv("LK40_DRIVER_PATH", empty.path().toLocal8Bit());
    TfrmMain& form = h.start();
    qunsetenv("LK40_DRIVER_PATH");
    QVERIFY(!form.started());
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("Драйвер не установлен"));
    QCOMPARE(h.boxes[0].caption, QStringLiteral("Внимание"));
    QVERIFY(!QFile::exists(h.settingsFile()));
  }

  void theCommandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("testPage");
    QTest::newRow("none") << QStringList{} << QString() << 0 << 0 << 100 << false;
    QTest::newRow("-t") << QStringList{"-t"} << QString() << 0 << 0 << 100 << true;
    QTest::newRow("-T") << QStringList{"-T"} << QString() << 0 << 0 << 100 << false;
    QTest::newRow("/t") << QStringList{"/t"} << QString() << 0 << 0 << 100 << false;
    QTest::newRow("two arguments") << QStringList{"w.log", "200"} << QString() << 0 << 0 << 100 << false;
    QTest::newRow("period raised") << QStringList{"w.log", "20", "5"} << "w.log" << 50 << 5 << 50 << false;
    QTest::newRow("step 0 and -t") << QStringList{"w.log", "200", "0", "-t"} << QString() << 200 << 0 << 200 << true;
    QTest::newRow("invalid numbers") << QStringList{"w.log", "abc", "x"} << QString() << 50 << -1 << 50 << false;
    QTest::newRow("fourth not -t") << QStringList{"w.log", "300", "2", "-T"} << "w.log" << 300 << 2 << 300 << false;
  }

  void theCommandLine() {
    QFETCH(QStringList, args);
    MainWindowHarness h;
    h.arguments = args;
    TfrmMain& form = h.start();
    QTEST(form.logging().file, "file");
    QTEST(form.logging().period, "period");
    QTEST(form.logging().step, "step");
    QTEST(h.find<QTimer>("Timer")->interval(), "interval");
    QTEST(h.find<QTabWidget>("PageControl")->isTabVisible(6), "testPage");
  }

  void theGridsFirstCellsAndTheBaseCaption() {
    MainWindowHarness h;
    h.start();
    auto* grid = h.find<QTableWidget>("StringGrid1");
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("1"));
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Значение"));
    QCOMPARE(h.form().windowTitle(), QStringLiteral("Тест драйвера весового модуля ЛК-40"));
  }

  void placement() {
    {
      MainWindowHarness h;
      h.screen = QSize(2048, 768);
      TfrmMain& form = h.start();
      const QSize size = form.size();
      QCOMPARE(form.pos(), QPoint((1024 - size.width()) / 2, (768 - size.height()) / 2));
    }
    {
      MainWindowHarness h;
      h.screen = QSize(1600, 1200);
      TfrmMain& form = h.start();
      const QSize size = form.size();
      QCOMPARE(form.pos(), QPoint((1600 - size.width()) / 2, (1200 - size.height()) / 2));
    }
  }

  void thePasswordFieldIsHiddenOnTheDevicesAndTestPages() {
    MainWindowHarness h;
    h.arguments = {QStringLiteral("-t")};
    h.start();
    for (int index = 0; index < 7; ++index) {
      h.showPage(index);
      QCOMPARE(h.find<QTabWidget>("PageControl")->currentIndex(), index);
      const bool hidden = index == 4 || index == 6;
      QCOMPARE(h.edit("Edit53")->isHidden(), hidden);
      QCOMPARE(h.find<QLabel>("StaticText1")->isHidden(), hidden);
    }
  }

  void aRunningTestKeepsTheTestPageInFront() {
    MainWindowHarness h;
    h.arguments = {QStringLiteral("-t")};
    h.start();
    h.showPage(6);
    h.click("Button17");  // the soak test starts
    QVERIFY(h.find<QTimer>("Timer")->isActive());
    h.showPage(0);
    QCOMPARE(h.find<QTabWidget>("PageControl")->currentIndex(), 6);
    h.click("Button17");  // and stops
    QVERIFY(!h.find<QTimer>("Timer")->isActive());
    h.showPage(0);
    QCOMPARE(h.find<QTabWidget>("PageControl")->currentIndex(), 0);
  }

  void aPageChangeStopsTheTimerOutsideTheCalibrationPage() {
    MainWindowHarness h;
    h.start();
    h.find<QTimer>("Timer")->start();
    h.showPage(2);
    QVERIFY(!h.find<QTimer>("Timer")->isActive());
  }

  void showingTheDevicesPageRebuildsItsList() {
    MainWindowHarness h;
    h.start();
    h.driver->set("LDCount", Variant(2));
    h.driver->clearEvents();
    h.showPage(4);
    const std::vector<std::string> expected = {"call GetActiveLD", "call GetCountLD", "put LDIndex=0", "call EnumLD",
                                               "put LDIndex=1", "call EnumLD"};
    QCOMPARE(h.driver->writesAndCalls(), expected);
  }

  void btnExitClosesAndSaves() {
#ifdef _WIN32
    QSKIP("Windows keeps the inputs in the registry, not in the file this test reads");
#endif
    MainWindowHarness h;
    h.start();
    h.click("btnExit");
    QVERIFY(!h.form().isVisible());
    QVERIFY(QFile::exists(h.settingsFile()));
  }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
