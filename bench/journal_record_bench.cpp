// The bench's own cost of journalling one driver call: a soak test's tick
// (TestGet and the four status reads) and a button's call with three writes,
// through a Driver over an object that answers at once, with the journal
// recorder observing and without; the difference is what the journal costs.
// The journal is full, so each row also drops the oldest one.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "automation/driver.h"
#include "core/journal_recorder.h"
#include "frame_text.h"

namespace {

using lk40::automation::DispId;
using lk40::automation::Driver;
using lk40::automation::InvokeKind;
using lk40::automation::Variant;

// Answers every member from a table, at once.
class Answering : public lk40::automation::Dispatch {
 public:
  std::optional<DispId> idOfName(std::string_view name) override {
    for (std::size_t i = 0; i < std::size(kNames); ++i)
      if (name == kNames[i]) return static_cast<DispId>(i);
    return std::nullopt;
  }
  Variant invoke(DispId id, InvokeKind kind, const Variant*) override {
    if (kind == InvokeKind::PropertyPut) return {};
    return values_[static_cast<std::size_t>(id)];
  }

 private:
  static constexpr const char* kNames[] = {"TestGet", "ResultCode", "ResultCodeDescription", "Input", "Output",
                                           "SetGoodData", "Password", "Price", "Quantity"};
  Variant values_[9] = {Variant(0), Variant(0), Variant("Ошибок нет"), Variant(frame(8)), Variant(frame(128)),
                        Variant(0), Variant(0), Variant(0), Variant(0)};
};

void soakTick(const Driver& d) {
  benchmark::DoNotOptimize(d.callInt("TestGet"));
  benchmark::DoNotOptimize(d.getInt("ResultCode"));
  benchmark::DoNotOptimize(d.getText("ResultCodeDescription"));
  benchmark::DoNotOptimize(d.getText("Input"));
  benchmark::DoNotOptimize(d.getText("Output"));
}

void buttonCall(const Driver& d) {
  d.put("Password", Variant(30));
  d.put("Price", Variant(12.5));
  d.put("Quantity", Variant(3));
  d.call("SetGoodData");
  benchmark::DoNotOptimize(d.getInt("ResultCode"));
  benchmark::DoNotOptimize(d.getText("ResultCodeDescription"));
  benchmark::DoNotOptimize(d.getText("Input"));
  benchmark::DoNotOptimize(d.getText("Output"));
}

// range(0): 0 a soak test's tick, 1 a button's call; range(1): 1 with the recorder.
void recordedCall(benchmark::State& state) {
  const bool button = state.range(0) != 0;
  Driver driver(std::make_shared<Answering>());
  auto recorder = std::make_shared<lk40::core::JournalRecorder>();
  const bool recorded = state.range(1) != 0;
  if (recorded) {
    driver.setObserver(recorder);
    for (std::size_t i = 0; i < recorder->journal().capacity(); ++i) {
      const auto operation = recorder->operation("Опрос", true);
      button ? buttonCall(driver) : soakTick(driver);
    }
  }
  for (auto _ : state) {
    const auto operation = lk40::core::JournalRecorder::operation(driver, button ? "Ввести товар" : "Опрос", !button);
    button ? buttonCall(driver) : soakTick(driver);
  }
  state.counters["rows"] = static_cast<double>(recorder->journal().size());
}
BENCHMARK(recordedCall)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"button", "recorded"});

}  // namespace

BENCHMARK_MAIN();
