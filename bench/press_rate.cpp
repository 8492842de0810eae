// A button press as the operator has it: "Получить тип устройства" over a
// driver that answers at once (or after a delay), from the click to the
// painted frame after it, with the frames the driver sends as large as asked
// and different from call to call.
//   lk40-press-rate [presses] [frame-text-bytes] [call-ms]   (default 50 46 0)
// With LK40_BENCH_JOURNAL=open the exchange journal's window is open. With
// LK40_BENCH_CLICKS=N the program waits for N clicks of the operator instead
// (under a real display) and times each of them the same way.
// Prints the time of each press to its painted frame (median and longest,
// wall and the process's CPU), the "Время выполнения" texts seen beside the
// driver's own time of the call, the journal's rows and the peak memory.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "automation/factory.h"
#include "frame_text.h"
#include "main_window/tfrm_main.h"
#include "platform/tick_count.h"
#include "support/recording_driver.h"

namespace {

using lk40::automation::Variant;

long peakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

double processCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Times the operator's clicks: from the button's release to the frame painted
// after the handler, which the event loop has done once a zero timer fires.
class ClickClock : public QObject {
 public:
  ClickClock(QPushButton* button, int clicks, std::vector<double>& ms) : clicks_(clicks), ms_(ms) {
    button->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      clock_.start();
      QTimer::singleShot(0, this, [this] {
        ms_.push_back(static_cast<double>(clock_.nsecsElapsed()) / 1e6);
        std::printf("press %zu: %.1f ms\n", ms_.size(), ms_.back());
        std::fflush(stdout);
        if (static_cast<int>(ms_.size()) >= clicks_) QApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  int clicks_;
  std::vector<double>& ms_;
  QElapsedTimer clock_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int presses = argc > 1 ? std::atoi(argv[1]) : 50;
  const std::size_t frameText = argc > 2 ? static_cast<std::size_t>(std::atoll(argv[2])) : 46;
  const int callMs = argc > 3 ? std::atoi(argv[3]) : 0;

  auto driver = std::make_shared<lk40::testing::AnsweringDriver>();
  lk40::automation::registerFactory("AddIn.DrvTarvo", [driver] { return driver; });
  driver->set("ResultCodeDescription", Variant("Ошибок нет"));
  // Two hex digits and a blank a byte: a text of about frameText characters,
  // whose first byte counts the calls, so that no two answers are alike.
  std::string dump = frame((frameText + 1) / 3);
  // The driver's own time of each call, by the same tick counter the bench reads.
  uint32_t ownMs = 0;
  unsigned calls = 0;
  driver->onCall("GetDeviceMetrics", [callMs, &ownMs, &dump, &calls](lk40::testing::RecordingDriver& d) {
    const uint32_t start = lk40::platform::tickCount();
    if (callMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(callMs));
    ownMs = lk40::platform::tickCount() - start;
    const char* digits = "0123456789ABCDEF";
    ++calls;
    dump[0] = digits[calls >> 4 & 0xF];
    dump[1] = digits[calls & 0xF];
    d.set("Input", Variant(dump));
    d.set("Output", Variant(dump));
  });

  QTemporaryDir dir;
  TfrmMainOptions options;
  options.settingsFile = dir.filePath(QStringLiteral("settings.reg")).toStdString();
  options.savedInputs = false;
  TfrmMain window(std::move(options));
  window.show();
  const MainUi& ui = window.controls();
  if (qEnvironmentVariable("LK40_BENCH_JOURNAL") == QStringLiteral("open")) ui.btnJournal->click();
  auto* const button36 = window.findChild<QPushButton*>(QStringLiteral("Button36"));
  QApplication::processEvents();

  std::vector<double> ms, cpuMs;
  std::map<QString, int> labels;
  const int clicks = qEnvironmentVariableIntValue("LK40_BENCH_CLICKS");
  if (clicks > 0) {
    ClickClock clock(button36, clicks, ms);
    app.exec();
  } else {
    for (int i = 0; i < presses; ++i) {
      QElapsedTimer clock;
      clock.start();
      const double cpuBefore = processCpuMs();
      button36->click();
      QApplication::processEvents();
      ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
      cpuMs.push_back(processCpuMs() - cpuBefore);
      ++labels[ui.Label28->text() + QStringLiteral(" (the driver's own: %1 ms)").arg(ownMs)];
    }
  }
  if (ms.empty()) return 1;
  std::vector<double> sorted = ms;
  std::sort(sorted.begin(), sorted.end());
  std::printf("presses: %zu, to the painted frame: median %.1f ms, longest %.1f ms\n", ms.size(),
              sorted[sorted.size() / 2], sorted.back());
  if (!cpuMs.empty()) {
    std::sort(cpuMs.begin(), cpuMs.end());
    std::printf("the bench's CPU time a press: median %.1f ms, longest %.1f ms\n", cpuMs[cpuMs.size() / 2],
                cpuMs.back());
  }
  for (const auto& [text, count] : labels) std::printf("  \"%s\" x %d\n", qPrintable(text), count);
  std::printf("journal: %zu rows held, %llu dropped; peak resident memory %ld kB\n", window.journal().journal().size(),
              static_cast<unsigned long long>(window.journal().journal().dropped()), peakResidentKb());
  lk40::automation::unregisterFactory("AddIn.DrvTarvo");
  return 0;
}
