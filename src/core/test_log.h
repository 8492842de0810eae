// The soak test's log file as bytes: the header written at start, the data
// lines of each block, and the summary values patched into the header at stop.
// Everything here is single-byte (the ANSI code page) with "\r\n" line ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk40::core {

// What the header describes; texts are UTF-8.
struct TestLogRun {
  std::string description;           // the driver's UDescription
  std::vector<std::string> comment;  // one entry per comment line
  int32_t comNumber = 0;
  int32_t baudRate = 0;  // the driver's speed index
  std::string period;    // the poll period as the field shows it
  std::string start;     // the start date and time as shown
};

struct TestLogHeader {
  std::string bytes;
  // Where the "Завершение:" line begins: the summary values go there at stop.
  int64_t summaryOffset = 0;
};

// "2400" .. "115200" for the speed indices 0 .. 6; any other index shows as
// its own number, so a header never lies about the speed.
std::string baudRateText(int32_t index);

// The lines of a memo's text: none for an empty text; a final line end does
// not start another line.
std::vector<std::string> memoLines(std::string_view text);

TestLogHeader composeTestLogHeader(const TestLogRun& run);

// "; тип данных = <name>" and "<B>", each with its line end.
std::string testLogBlockStart(std::string_view typeName);

// Room for each summary value from its position on: the times and the counts.
constexpr size_t kTimeField = 29;
constexpr size_t kCountField = 9;

struct SummaryWrite {
  int64_t offset;
  std::string bytes;
};

// The four values (UTF-8) at summaryOffset + 16, 63, 110 and 137, each cut to
// its field so that it never runs into the line end and the next line.
std::array<SummaryWrite, 4> testLogSummary(int64_t summaryOffset, std::string_view stop, std::string_view elapsed,
                                           std::string_view measurements, std::string_view overflows);

// The end marker, written with no line end after it.
inline constexpr std::string_view kTestLogEnd = "<E>";

}  // namespace lk40::core
