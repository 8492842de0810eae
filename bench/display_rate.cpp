// How many polls per second the weight display holds on the simulated driver
// with a given logging period: opens the display for a while and counts the
// lines it logged. Usage: lk40-display-rate [period-ms] [seconds]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "automation/factory.h"
#include "display/tfrm_display.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int period = argc > 1 ? std::atoi(argv[1]) : 50;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  try {
    lk40::automation::Driver driver(lk40::automation::createObject("AddIn.DrvTarvo"));
    driver.call("Connect");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rate.log"));
    TfrmDisplay display(driver, file, period, 1, lk40::platform::RegionalFormats::fullStop());
    QElapsedTimer clock;
    QTimer::singleShot(seconds * 1000, &display, &QDialog::accept);
    clock.start();
    display.exec();
    const double elapsed = clock.elapsed() / 1000.0;
    QFile log(file);
    int lines = 0;
    if (log.open(QIODevice::ReadOnly))
      while (!log.readLine().isEmpty()) ++lines;
    std::printf("period %d ms: %d polls in %.2f s = %.2f polls per second\n", period, lines, elapsed, lines / elapsed);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
