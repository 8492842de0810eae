// The bench's own cost of one continuous ADC tick: the converter call and its
// property read, the field update and a log line appended to the logging
// file, over a driver that answers at once.
#include <benchmark/benchmark.h>

#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "automation/factory.h"
#include "main_window/tfrm_main.h"
#include "pages/page_id.h"
#include "support/recording_driver.h"

namespace {

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
    form.controls().SpeedButton1->click();
    QTimer* timer = form.controls().Timer;
    timer->stop();  // the benchmark delivers the ticks itself
    for (auto _ : state) QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    if (form.loggingPeriod() == 0) state.SkipWithError("the logging file could not be written");
  }
  lk40::automation::unregisterFactory("AddIn.DrvTarvo");
}
BENCHMARK(AdcTick)->Unit(benchmark::kMicrosecond);

}  // namespace
