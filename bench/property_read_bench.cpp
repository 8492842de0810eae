// The cost of one property read as the bench makes it: name lookup, invoke
// and the value back, across the plugin boundary.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "automation/driver.h"
#include "automation/factory.h"

namespace {

void propertyRead(benchmark::State& state) {
  setenv("LK40_DRIVER_PATH", LK40_BENCH_PLUGIN_DIR, 1);
  const lk40::automation::Driver driver(lk40::automation::createObject("Test.Good"));
  for (auto _ : state) {
    lk40::automation::Variant weight = driver.get("Weight");
    benchmark::DoNotOptimize(weight);
  }
}

}  // namespace

BENCHMARK(propertyRead);
BENCHMARK_MAIN();
