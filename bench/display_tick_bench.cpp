// The bench's own cost of one weight display tick: the status call and its
// property reads, the field and lamp updates and a log line, over a driver
// that answers at once.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "display/tfrm_display.h"
#include "support/recording_driver.h"

namespace {

void DisplayTick(benchmark::State& state) {
  auto driver = std::make_shared<lk40::testing::AnsweringDriver>();
  driver->set("WeightChannelMode", lk40::automation::Variant(0x1D));
  driver->set("Weight", lk40::automation::Variant(12.345));
  driver->set("Tare", lk40::automation::Variant(0.5));
  QTemporaryDir dir;
  TfrmDisplay display(lk40::automation::Driver(driver), dir.filePath(QStringLiteral("w.log")), 50, 1,
                      lk40::platform::RegionalFormats::russian());
  display.show();
  for (auto _ : state) display.TimerTimer();
}
BENCHMARK(DisplayTick)->Unit(benchmark::kMicrosecond);

}  // namespace
