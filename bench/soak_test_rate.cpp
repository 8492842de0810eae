// Values per second that the soak test logs, and the memory it holds, over a
// driver that answers at once with 255-value blocks, polled every 1 ms:
//   lk40-soak-rate [values]   (default 1 000 000)
// With LK40_BENCH_JOURNAL=open the exchange journal's window is open during
// the test, with =polls it lists the test's polls too.
// Prints the rate, and the resident memory after the first tenth of the values
// and at the end.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "automation/factory.h"
#include "journal/tfrm_journal.h"
#include "main_window/tfrm_main.h"
#include "platform/code_page.h"
#include "support/recording_driver.h"

namespace {

using lk40::automation::Variant;


long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// A LONG record of 255 values that differ from block to block, as a real
// module's would, so that every cell of the grid changes on every tick.
std::string record(uint32_t block) {
  std::string bytes{'\x05', '\x00', '\xFF'};
  for (uint32_t i = 0; i < 255; ++i) {
    const uint32_t v = block * 255 + i;
    for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<char>(v >> (8 * k)));
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const long long target = argc > 1 ? std::atoll(argv[1]) : 1000000;

  auto driver = std::make_shared<lk40::testing::AnsweringDriver>();
  lk40::automation::registerFactory("AddIn.DrvTarvo", [driver] { return driver; });
  driver->set("ResultCodeDescription", Variant("Ошибок нет"));
  driver->set("Input", Variant("02 01 F1 F0"));
  driver->set("Output", Variant("02 02 F1 00 F3"));
  uint32_t block = 0;
  driver->onCall("TestGet", [&block](lk40::testing::RecordingDriver& d) {
    d.set("TestData", Variant(lk40::platform::ansiToUtf8(record(block++))));
  });

  QTemporaryDir dir;
  TfrmMainOptions options;
  options.arguments = {QStringLiteral("-t")};
  options.settingsFile = dir.filePath(QStringLiteral("settings.reg")).toStdString();
  TfrmMain window(std::move(options));
  if (!qEnvironmentVariableIsSet("LK40_BENCH_HIDDEN")) window.show();
  const MainUi& ui = window.controls();
  ui.PageControl->setCurrentIndex(6);
  // The test page's controls by their form names.
  auto* const edit3 = window.findChild<QLineEdit*>(QStringLiteral("Edit3"));
  auto* const button17 = window.findChild<QPushButton*>(QStringLiteral("Button17"));
  auto* const label17 = window.findChild<QLabel*>(QStringLiteral("Label17"));
  edit3->setText(dir.filePath(QStringLiteral("soak.log")));
  window.findChild<QLineEdit*>(QStringLiteral("Edit11"))->setText(QStringLiteral("1"));
  const QString journalView = qEnvironmentVariable("LK40_BENCH_JOURNAL");
  if (!journalView.isEmpty()) {
    ui.btnJournal->click();
    if (journalView == QStringLiteral("polls")) window.findChild<TfrmJournal*>()->chkPolls->setChecked(true);
  }

  QElapsedTimer clock;
  long rssAtTenth = -1;
  QTimer watch;
  watch.setInterval(50);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const long long logged = label17->text().toLongLong();
    if (rssAtTenth < 0 && logged >= target / 10) rssAtTenth = residentKb();
    if (logged < target) return;
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const long rssAtEnd = residentKb();
    button17->click();
    std::printf("values logged: %lld in %.2f s, %.0f values/s (%u blocks, %.0f blocks/s)\n", logged, seconds,
                static_cast<double>(logged) / seconds, block, block / seconds);
    std::printf("resident memory: %ld kB after %lld values, %ld kB after %lld values\n", rssAtTenth, target / 10,
                rssAtEnd, logged);
    std::printf("log file: %lld bytes\n", static_cast<long long>(QFileInfo(edit3->text()).size()));
    std::printf("journal: %zu rows held, %llu dropped, window %s\n", window.journal().journal().size(),
                static_cast<unsigned long long>(window.journal().journal().dropped()),
                journalView.isEmpty() ? "closed" : qPrintable(journalView));
    app.quit();
  });
  clock.start();
  button17->click();
  watch.start();
  const int rc = app.exec();
  lk40::automation::unregisterFactory("AddIn.DrvTarvo");
  return rc;
}
