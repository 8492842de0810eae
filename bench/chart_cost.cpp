// CPU time per poll of the weight display over the simulated driver, with
// its chart and without, painting included: the display polls on its own
// timer in logging mode (a line per poll, which also counts the polls), in
// three rounds of "График" up, then down, for the same time each. Painting
// is real: on the offscreen platform into the window's backing store, under
// X into the server's. Usage:
//   lk40-chart-cost [period-ms] [seconds] [span: 1|5|15|60|all] [full]
// "full" first feeds the chart two hours of polls at 50 ms, fast-forwarded,
// and tells the memory resident after each hour (the CPU figures of such a
// run count the feed too).
// Under callgrind each phase is dumped on its own ("off", "on"): the
// instructions per poll, free of what else the machine is doing:
//   valgrind --tool=callgrind lk40-chart-cost 100 30
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

#include "automation/factory.h"
#include "display/display_chart.h"
#include "display/tfrm_display.h"
#include "trend/trend_panel.h"

namespace {

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

int linesIn(const QString& file) {
  QFile f(file);
  return f.open(QIODevice::ReadOnly) ? static_cast<int>(f.readAll().count('\n')) : 0;
}

long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
  return -1;
}

struct Phase {
  double cpu = 0;
  int polls = 0;
  double perPollUs() const { return polls > 0 ? cpu / polls * 1e6 : 0; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int period = argc > 1 ? std::atoi(argv[1]) : 50;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  const std::string span = argc > 3 ? argv[3] : "1";
  const bool full = argc > 4 && std::string(argv[4]) == "full";
  const int spanIndex = span == "5" ? 1 : span == "15" ? 2 : span == "60" ? 3 : span == "all" ? 4 : 0;
  try {
    lk40::automation::Driver driver(lk40::automation::createObject("AddIn.DrvTarvo"));
    driver.call("Connect");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("polls.log"));
    TfrmDisplay display(driver, file, period, 1, lk40::platform::RegionalFormats::russian());
    display.show();

    // Off and on in turn, several rounds, so that what else the machine is
    // doing weighs on both alike.
    Phase off;
    Phase on;
    double cpu0 = 0;
    int lines0 = 0;
    const auto start = [&] {
      CALLGRIND_ZERO_STATS;
      cpu0 = cpuSeconds();
      lines0 = linesIn(file);
    };
    const auto stop = [&](Phase& phase, const char* name) {
      CALLGRIND_DUMP_STATS_AT(name);
      phase.cpu += cpuSeconds() - cpu0;
      phase.polls += linesIn(file) - lines0;
    };
    QElapsedTimer elapsed;
    std::optional<int64_t> fakeNow;
    const auto firstOn = [&] {
      TrendPanel* panel = display.chart()->panel();
      panel->findChild<QComboBox*>(QStringLiteral("cmbSpan"))->setCurrentIndex(spanIndex);
      elapsed.start();
      // The chart's clock runs two hours ahead, so that two hours of points fit before now.
      panel->setClock([&] { return fakeNow ? *fakeNow : 7'200'000 + elapsed.elapsed(); });
      if (full) {
        // Two hours of polls every 50 ms, fast-forwarded, the chart drawn
        // ten times a second of their time; memory after each hour.
        for (int64_t t = 0; t < 7'200'000; t += 50) {
          fakeNow = t;
          panel->addPoint(5 + (t / 50 % 7) * 0.001, t % 300 == 0);
          if (t % 100 == 0) panel->chart()->refresh();
          if (t % 100 == 0) QCoreApplication::processEvents();
          if (t == 3'600'000 - 50 || t == 7'200'000 - 50)
            std::printf("after %lld points: %ld kB resident, %zu points held\n", static_cast<long long>(t / 50 + 1),
                        residentKb(), panel->series().size());
        }
        fakeNow.reset();
      }
    };
    const int rounds = 3;
    const int ms = seconds * 1000;
    // Each step schedules the next when it has run, so a long feed delays the
    // rounds instead of squeezing them.
    int redraws = 0;
    int redraws0 = 0;
    const auto redrawsNow = [&] { return display.chart()->panel()->chart()->redraws(); };
    std::function<void(int)> round = [&](int n) {
      if (n == rounds) return app.quit();
      start();
      QTimer::singleShot(ms, [&, n] {
        stop(off, "off");
        if (n == 0 && full) std::printf("before the chart: %ld kB resident\n", residentKb());
        display.chart()->toggle()->click();
        if (n == 0) firstOn();
        QTimer::singleShot(1000, [&, n] {
          start();
          redraws0 = redrawsNow();
          QTimer::singleShot(ms, [&, n] {
            stop(on, "on");
            redraws += redrawsNow() - redraws0;
            display.chart()->toggle()->click();
            QTimer::singleShot(1000, [&, n] { round(n + 1); });
          });
        });
      });
    };
    QTimer::singleShot(2000, [&] { round(0); });  // after the window settled
    app.exec();
    std::printf("period %d ms, span %s%s, %s platform, %d rounds of %d s\n", period, span.c_str(),
                full ? ", two hours of points fed first" : "", qPrintable(QGuiApplication::platformName()), rounds, seconds);
    std::printf("chart off: %d polls, %.3f s CPU, %.1f us per poll\n", off.polls, off.cpu, off.perPollUs());
    std::printf("chart on:  %d polls, %.3f s CPU, %.1f us per poll, %d redraws (%.1f per second)\n", on.polls,
                on.cpu, on.perPollUs(), redraws, redraws / (rounds * static_cast<double>(seconds)));
    std::printf("on / off: %+.1f %%; points held %zu, ring %zu bytes\n",
                (on.perPollUs() / off.perPollUs() - 1) * 100, display.chart()->panel()->series().size(),
                display.chart()->panel()->series().bytes());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
