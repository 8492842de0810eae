// The simulated driver created by its ProgID, as the bench creates it: the
// weight display over a scenario file (what the operator sees while the
// module is pulled off its port, after it is plugged in again and while it
// is overloaded), and the driver's own settings dialog.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

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

  // The driver's settings stay in dir; on POSIX the plugin is the one built here.
  static void isolate(const QTemporaryDir& dir) {
#ifdef LK40_SIM_DRIVER_DIR
    qputenv("LK40_DRIVER_PATH", LK40_SIM_DRIVER_DIR);
#endif
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    qputenv("APPDATA", QDir::toNativeSeparators(dir.path()).toLocal8Bit());
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
    isolate(dir);
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

  void showPropertiesOpensTheDriversOwnDialog() {
    QTemporaryDir dir;
    isolate(dir);
    qunsetenv("LK40_SIM_SCENARIO");
    Driver driver(lk40::automation::createObject("AddIn.DrvTarvo"));
    QString title;
    bool faults = false;
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(w);
        if (dialog == nullptr || dialog->objectName() != QLatin1String("SimSettingsDialog")) continue;
        title = dialog->windowTitle();
        for (const QGroupBox* box : dialog->findChildren<QGroupBox*>()) {
          faults = faults || box->title() == QString::fromUtf8("Неисправности");
        }
        dialog->findChild<QComboBox*>(QStringLiteral("cbComNumber"))->setCurrentIndex(4);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      }
    });
    QCOMPARE(driver.callInt("ShowProperties"), 0);
    QCOMPARE(title, QString::fromUtf8("Параметры драйвера"));
    QVERIFY(faults);
    QCOMPARE(driver.getInt("ComNumber"), 5);
  }
};

QTEST_MAIN(SimDisplayTest)
#include "tst_sim_display.moc"
