// The bench's own cost of one continuous ADC tick, to the painted frame: the
// converter call and its property read, the field update, a log line appended
// to the logging file and the repaint the event loop then makes, over a
// driver that answers at once with a reading that moves from tick to tick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "automation/factory.h"
#include "main_window/tfrm_main.h"
#include "pages/page_id.h"
#include "support/recording_driver.h"

namespace {

// Apart, so that a profile gives its cost per call.
[[gnu::noinline]] void tickToPaintedFrame(QTimer* timer) {
  QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
  QApplication::processEvents();
}

void AdcTick(benchmark::State& state) {
  auto driver = std::make_shared<lk40::testing::AnsweringDriver>();
  driver->set("ADCValue", lk40::automation::Variant(int32_t{584123}));
  lk40::automation::registerFactory("AddIn.DrvTarvo", [driver] { return driver; });
  QTemporaryDir dir;
  TfrmMainOptions options;
  // Logging step 1: every tick writes its line.
  options.arguments = {dir.filePath(QStringLiteral("adc.log")), QStringLiteral("50"), QStringLiteral("1")};
  options.settingsFile = dir.filePath(QStringLiteral("settings.reg")).toStdString();
  options.formats = lk40::platform::RegionalFormats::russian();
  options.screenSize = QSize(1280, 1024);
  {
    TfrmMain form(std::move(options));
    form.show();
    form.controls().PageControl->setCurrentIndex(PageID::Calibration);
    form.findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
    QTimer* timer = form.controls().Timer;
    timer->stop();  // the benchmark delivers the ticks itself
    QApplication::processEvents();
    int32_t reading = 584123;
    for (auto _ : state) {
      driver->set("ADCValue", lk40::automation::Variant(reading ^= 1));
      tickToPaintedFrame(timer);
    }
    if (form.logging().period == 0) state.SkipWithError("the logging file could not be written");
  }
  lk40::automation::unregisterFactory("AddIn.DrvTarvo");
}
BENCHMARK(AdcTick)->Unit(benchmark::kMicrosecond);

}  // namespace
