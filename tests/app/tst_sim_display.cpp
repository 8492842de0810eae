// The weight display over the simulated driver, loaded by its ProgID and run
// over a scenario file: what the operator sees while the module is pulled off
// its port, after it is plugged in again and while it is overloaded.
#include <QLabel>
#include <QTemporaryDir>

#include "automation/factory.h"
#include "display/tfrm_display.h"
#include "main_window_harness.h"
#include "widgets/pictures.h"

using lk40::automation::Driver;

class SimDisplayTest : public QObject {
  Q_OBJECT

  static bool lit(const QLabel* lamp) {
    return lamp->pixmap().toImage() == lampPixmap(1, lamp->devicePixelRatioF()).toImage();
  }
  static int litLamps(const DisplayUi& ui) {
    return lit(ui.Image1) + lit(ui.Image2) + lit(ui.Image3) + lit(ui.Image4);
  }

 private slots:
  void unpluggedThenReadingsAgain() {
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("scenario.ini"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Exchange 1 is the Connect below; polls are exchanges 2 and on.
    file.write(
        "[Load]\nProfile=fixed\nWeight=1.5\n"
        "[Unplugged]\nFrom=13\nTo=14\n"
        "[Weighing]\nState=overload\nFrom=16\nTo=16\n");
    file.close();
    qputenv("LK40_SIM_SCENARIO", scenario.toLocal8Bit());
    qputenv("LK40_DRIVER_PATH", LK40_SIM_DRIVER_DIR);
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    qputenv("LK40_SIM_NO_DELAY", "1");

    Driver driver(lk40::automation::createObject("AddIn.DrvTarvo"));
    QCOMPARE(driver.callInt("Connect"), 0);
    TfrmDisplay display(driver, QString(), 0, 0, lk40::platform::RegionalFormats::russian());
    display.show();
    const DisplayUi& ui = display.controls();

    for (int poll = 2; poll <= 12; ++poll) display.TimerTimer();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("1,5000"));
    QCOMPARE(ui.edtTare->text(), QStringLiteral("0,0000"));
    QVERIFY(lit(ui.Image3) && lit(ui.Image4));  // settled, fixed

    for (int poll = 13; poll <= 14; ++poll) {
      display.TimerTimer();
      QCOMPARE(ui.edtWeight->text(), QStringLiteral("??????"));
      QCOMPARE(ui.edtTare->text(), QStringLiteral("??????"));
      QCOMPARE(litLamps(ui), 0);
    }
    QCOMPARE(driver.getText("ResultCodeDescription"), std::string("Нет связи с весовым модулем"));

    display.TimerTimer();  // 15: plugged in again
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("1,5000"));
    QVERIFY(lit(ui.Image3) && lit(ui.Image4));
    display.TimerTimer();  // 16: overloaded
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("--------"));
    QCOMPARE(ui.edtTare->text(), QStringLiteral("0,0000"));
    display.TimerTimer();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("1,5000"));
    display.close();
  }
};

QTEST_MAIN(SimDisplayTest)
#include "tst_sim_display.moc"
