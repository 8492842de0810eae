// The soak test's counts and log lines over a run of decoded records.
#include "core/soak_tally.h"

#include <gtest/gtest.h>

#include "core/test_record.h"

namespace lk40::core {
namespace {

DecodedTestRecord decode(std::initializer_list<unsigned char> bytes) {
  return decodeTestRecord(std::string(bytes.begin(), bytes.end()));
}

TEST(SoakTally, CountsAndLogsWhatEachRecordHolds) {
  const struct {
    const char* what;
    DecodedTestRecord record;
    bool counted, overload, logged;
    const char* log;
    int64_t measurements, overflows;
  } ticks[] = {
      {"empty block: counted, only its block start", decode({0x02, 0x00, 0x00}), true, false, true,
       "; \xF2\xE8\xEF \xE4\xE0\xED\xED\xFB\xF5 = UINT\r\n<B>\r\n", 0, 0},
      // No block has logged values yet, so the block start comes again.
      {"two UINT values, overloaded", decode({0x02, 0xFF, 0x02, 0x34, 0x12, 0xFE, 0xFF}), true, true, true,
       "; \xF2\xE8\xEF \xE4\xE0\xED\xED\xFB\xF5 = UINT\r\n<B>\r\n4660\r\n65534\r\n", 2, 1},
      {"a LONG value: no block start any more", decode({0x05, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}), true, false,
       true, "-1\r\n", 3, 1},
      {"unknown type: counted, nothing to log", decode({0x07, 0xFF, 0x02, 0x01, 0x02}), true, true, false, "", 5, 2},
      {"cut off: neither", decode({0x02, 0xFF, 0x03, 0x34, 0x12}), false, false, false, "", 5, 2},
      {"not decoded: neither", decode({0x02, 0xFF}), false, false, false, "", 5, 2},
  };
  SoakTally tally;
  for (const auto& tick : ticks) {
    std::string log;
    const SoakTally::Added added = tally.add(tick.record, log);
    EXPECT_EQ(added.counted, tick.counted) << tick.what;
    EXPECT_EQ(added.overload, tick.overload) << tick.what;
    EXPECT_EQ(added.logged, tick.logged) << tick.what;
    EXPECT_EQ(log, tick.log) << tick.what;
    EXPECT_EQ(tally.measurements(), tick.measurements) << tick.what;
    EXPECT_EQ(tally.overflows(), tick.overflows) << tick.what;
  }
}

}  // namespace
}  // namespace lk40::core
