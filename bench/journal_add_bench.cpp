// The cost of one exchange journal row added to a full journal, as a framed
// call and a soak test's TestGet add them, and the memory 100 000 rows take.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "core/exchange_journal.h"
#include "frame_text.h"

namespace {

using lk40::core::ExchangeJournal;
using lk40::core::JournalCall;
using lk40::core::PropertyText;

struct Sample {
  std::string sent, received;
  std::vector<PropertyText> properties;
  JournalCall call;
};

// A button's call with three inputs, or a poll with a long answer and none.
Sample sample(bool testGet) {
  Sample s;
  s.sent = frame(8);
  s.received = frame(testGet ? 128 : 20);
  if (!testGet) s.properties = {{"Password", "30"}, {"ChannelNumber", "1"}, {"Timeout", "200"}};
  s.call.operation = testGet ? lk40::core::kPollOperation : "Прочитать вес";
  s.call.method = testGet ? "TestGet" : "GetWeight";
  s.call.description = "Ошибок нет";
  s.call.sent = s.sent;
  s.call.received = s.received;
  s.call.poll = testGet;
  return s;
}

// distinct: the answer's first two bytes count the rows, as a live module's
// readings make every answer another; otherwise each row repeats the last.
void fill(ExchangeJournal& journal, Sample& s, std::size_t rows, bool distinct = false) {
  const char* digits = "0123456789ABCDEF";
  for (std::size_t i = 0; i < rows; ++i) {
    s.call.timeOfDayMs = static_cast<int32_t>(i % 86400000);
    if (distinct) {
      // "02 A5" becomes the row's number in two bytes, "hh ll".
      for (std::size_t d = 0; d < 4; ++d) s.received[d < 2 ? d : d + 1] = digits[i >> (4 * (3 - d)) & 0xF];
    }
    journal.add(s.call, s.properties);
  }
}

void addToFullJournal(benchmark::State& state) {
  Sample s = sample(state.range(0) != 0);
  ExchangeJournal journal;
  fill(journal, s, journal.capacity());
  int32_t ms = 0;
  for (auto _ : state) {
    s.call.timeOfDayMs = ++ms;
    s.call.elapsedMs = static_cast<uint32_t>(ms & 0xFF);
    journal.add(s.call, s.properties);
  }
  benchmark::DoNotOptimize(journal[0].code());
}
BENCHMARK(addToFullJournal)->Arg(0)->Arg(1)->ArgName("testGet");

std::size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

std::size_t residentBytes() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// One fill of 100 000 rows (and once more over them, so every slot has been
// overwritten); the counters are bytes per row, heap and resident.
// testGet 2: a soak test's rows whose answers all differ.
void memoryAt100000Rows(benchmark::State& state) {
  Sample s = sample(state.range(0) != 0);
  for (auto _ : state) {
    const std::size_t heapBefore = heapInUse();
    const std::size_t residentBefore = residentBytes();
    auto journal = std::make_unique<ExchangeJournal>();
    fill(*journal, s, 2 * journal->capacity(), state.range(0) == 2);
    const double rows = static_cast<double>(journal->size());
    state.counters["heap_per_row"] = static_cast<double>(heapInUse() - heapBefore) / rows;
    state.counters["resident_per_row"] = static_cast<double>(residentBytes() - residentBefore) / rows;
    state.counters["heap_MB"] = static_cast<double>(heapInUse() - heapBefore) / 1e6;
  }
}
BENCHMARK(memoryAt100000Rows)->Arg(0)->Arg(1)->Arg(2)->ArgName("testGet")->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
