#include "core/test_log.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace lk40::core {
namespace {

std::string ansi(std::string_view utf8) { return platform::utf8ToAnsi(utf8); }

TestLogRun run(std::vector<std::string> comment) {
  return {"ЛК-40 имитатор", std::move(comment), 3, 2, "100", "08.12.2026 7:05:09"};
}

// The header with the summary patched in, as the file holds it after a stop.
std::string patched(TestLogHeader header, const std::array<SummaryWrite, 4>& writes) {
  for (const SummaryWrite& w : writes) header.bytes.replace(static_cast<size_t>(w.offset), w.bytes.size(), w.bytes);
  return header.bytes;
}

TEST(TestLogHeader, ByteForByteWithAndWithoutComment) {
  const std::string tail = ";\r\n; COM3, скорость = 9600, период опроса = 100 мс\r\n;\r\n"
                           "; Начало:      08.12.2026 7:05:09\r\n" +
                           std::string("; Завершение:") + std::string(32, ' ') + "\r\n" +
                           "; Время работы:" + std::string(30, ' ') + "\r\n" +
                           "; Измерений:" + std::string(13, ' ') + "\r\n" +
                           "; Переполнений:" + std::string(10, ' ') + "\r\n;\r\n";
  const TestLogHeader empty = composeTestLogHeader(run({}));
  EXPECT_EQ(empty.bytes, ansi("; ЛК-40 имитатор\r\n;\r\n" + tail)) << "an empty memo: two \";\" lines in a row";
  EXPECT_EQ(empty.summaryOffset, static_cast<int64_t>(empty.bytes.find(ansi("; Завершение:"))));

  const TestLogHeader two = composeTestLogHeader(run({"первая", ""}));
  EXPECT_EQ(two.bytes, ansi("; ЛК-40 имитатор\r\n;\r\n; первая\r\n; \r\n" + tail));
  EXPECT_EQ(two.summaryOffset, empty.summaryOffset + 10 + 4);
}

TEST(TestLogHeader, SpeedTexts) {
  const std::pair<int32_t, const char*> cases[] = {{0, "2400"}, {6, "115200"}, {7, "7"}, {-1, "-1"}};
  for (const auto& [index, text] : cases) EXPECT_EQ(baudRateText(index), text) << index;
}

TEST(TestLogHeader, MemoLines) {
  EXPECT_TRUE(memoLines("").empty());
  EXPECT_EQ(memoLines("a\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(memoLines("a\r\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
}

// One summary line as bytes: "; ", the 13-character label, a blank, the value
// from the 17th character on, blanks up to the line's fixed length.
std::string summaryLine(const char* label, const std::string& value, size_t length) {
  std::string text = ansi(std::string("; ") + label) + " " + value;
  return text + std::string(length - text.size(), ' ') + "\r\n";
}

TEST(TestLogSummary, ValuesLandOverTheBlanksOfTheirOwnLines) {
  const TestLogHeader header = composeTestLogHeader(run({}));
  const auto writes = testLogSummary(header.summaryOffset, "08.12.2026 7:06:10", "0:01:01", "12345", "3");
  const std::string expected = summaryLine("Завершение:  ", "08.12.2026 7:06:10", 45) +
                               summaryLine("Время работы:", "0:01:01", 45) +
                               summaryLine("Измерений:   ", "12345", 25) + summaryLine("Переполнений:", "3", 25);
  EXPECT_EQ(patched(header, writes).substr(static_cast<size_t>(header.summaryOffset)), expected + ";\r\n");
  EXPECT_EQ(patched(header, writes).substr(static_cast<size_t>(header.summaryOffset) + 110, 5), "12345");
}

TEST(TestLogSummary, LongValuesAreCutToTheirFields) {
  const TestLogHeader header = composeTestLogHeader(run({}));
  const std::string longTime(40, '9');
  const auto writes = testLogSummary(header.summaryOffset, longTime, longTime, "12345678901", "-2147483648");
  for (size_t i = 0; i < writes.size(); ++i) EXPECT_EQ(writes[i].bytes.size(), i < 2 ? kTimeField : kCountField);
  const std::string after = patched(header, writes);
  ASSERT_EQ(after.size(), header.bytes.size());
  EXPECT_EQ(after.substr(static_cast<size_t>(header.summaryOffset)),
            summaryLine("Завершение:  ", std::string(29, '9'), 45) +
                summaryLine("Время работы:", std::string(29, '9'), 45) +
                summaryLine("Измерений:   ", "123456789", 25) + summaryLine("Переполнений:", "-21474836", 25) +
                ";\r\n");
}

TEST(TestLogData, BlockStart) { EXPECT_EQ(testLogBlockStart("LONG"), ansi("; тип данных = LONG\r\n<B>\r\n")); }

}  // namespace
}  // namespace lk40::core
