// The bench's own cost of one weight display tick, to the painted frame: the
// status call and its property reads, the field and lamp updates, a log line
// and the repaint the event loop then makes, over a driver that answers at
// once with a weight that moves from tick to tick, as a live one does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include "display/tfrm_display.h"
#include "support/recording_driver.h"

namespace {

// Apart, so that a profile gives its cost per call.
[[gnu::noinline]] void pollToPaintedFrame(TfrmDisplay& display) {
  display.TimerTimer();
  QApplication::processEvents();
}

void DisplayTick(benchmark::State& state) {
  auto driver = std::make_shared<lk40::testing::AnsweringDriver>();
  driver->set("WeightChannelMode", lk40::automation::Variant(0x1D));
  driver->set("Tare", lk40::automation::Variant(0.5));
  QTemporaryDir dir;
  TfrmDisplay display(lk40::automation::Driver(driver), dir.filePath(QStringLiteral("w.log")), 50, 1,
                      lk40::platform::RegionalFormats::russian());
  display.show();
  display.controls().Timer->stop();  // the benchmark delivers the ticks itself
  QApplication::processEvents();
  int tick = 0;
  for (auto _ : state) {
    driver->set("Weight", lk40::automation::Variant(12.345 + 0.001 * (++tick % 2)));
    pollToPaintedFrame(display);
  }
}
BENCHMARK(DisplayTick)->Unit(benchmark::kMicrosecond);

}  // namespace
