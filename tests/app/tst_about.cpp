// "О программе": the driver's version line and the program's own version, read
// from this executable's file (it carries the build's version note).
#include <QApplication>
#include <QTimer>

#include "about/tfrm_about.h"
#include "main_window_harness.h"

using lk40::automation::Variant;

namespace {
struct Seen {
  bool open = false;
  QString program, bitness, driver;
};

// Clicks "О программе" and reads the window once it is up, then presses OK.
Seen openAbout(MainWindowHarness& h) {
  Seen seen;
  QTimer watcher;
  watcher.setInterval(50);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* about = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
    if (!about) return;
    watcher.stop();
    seen.open = true;
    seen.program = about->Label9->text();
    seen.bitness = about->lblBitness->text();
    seen.driver = about->Label10->text();
    QTest::mouseClick(about->Button1, Qt::LeftButton);
  });
  watcher.start();
  h.click("btnAbout");
  return seen;
}
}  // namespace

class AboutTest : public QObject {
  Q_OBJECT

 private slots:
  void bothVersionsAreShown() {
    MainWindowHarness h;
    h.start();
    h.driver->set("FileVersionMS", Variant((3 << 16) | 2));
    h.driver->set("FileVersionLS", Variant((1 << 16) | 5));
    const Seen seen = openAbout(h);
    QVERIFY(seen.open);
    QCOMPARE(seen.driver, QStringLiteral("Версия драйвера: A.2.1.5"));
    QCOMPARE(seen.program, QStringLiteral("Версия теста драйвера: %1.%2.%3.%4")
                               .arg(LK40_VERSION_MAJOR)
                               .arg(LK40_VERSION_MINOR)
                               .arg(LK40_VERSION_PATCH)
                               .arg(LK40_VERSION_TWEAK));
    QCOMPARE(seen.bitness, QStringLiteral("(%1-разрядная)").arg(sizeof(void*) * 8));
  }

  void aDriverFailingItsVersionGivesAnEmptyLine() {
    MainWindowHarness h;
    h.start();
    h.driver->failOn("FileVersionMS", "нет свойства");
    const Seen seen = openAbout(h);
    QVERIFY(seen.open);
    QCOMPARE(seen.driver, QString());
    QVERIFY(h.boxes.empty());
  }

  void aFileWithoutAVersionLeavesTheNumbersAlone() {
    uint16_t major = 7, minor = 7, release = 7, build = 7;
    ReadFileVersion(QStringLiteral("/nonexistent/file"), major, minor, release, build);
    QCOMPARE(major + minor + release + build, 28);
  }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
