#include <gtest/gtest.h>

#include <vector>

#include "core/test_record.h"

namespace lk40::core {
namespace {

// An exactly sized heap buffer, so that a read past the record's end trips
// the address sanitizer.
DecodedTestRecord decode(std::vector<unsigned char> bytes) {
  std::vector<char> exact(bytes.begin(), bytes.end());
  return decodeTestRecord(std::string_view(exact.data(), exact.size()));
}

std::vector<std::string> cellTexts(const DecodedTestRecord& record) {
  std::vector<std::string> texts;
  for (const auto& cell : record.cells) {
    texts.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + "=" + cell.text);
  }
  return texts;
}

// The value column of rows 4 onwards.
std::vector<std::string> values(const DecodedTestRecord& record) {
  std::vector<std::string> texts;
  for (const auto& cell : record.cells) {
    if (cell.row >= 4 && cell.column == 1) texts.push_back(cell.text);
  }
  return texts;
}

using Texts = std::vector<std::string>;

TEST(TestRecord, CellsInTheOrderTheGridIsWritten) {
  const auto record = decode({0x02, 0xFF, 0x02, 0x34, 0x12, 0xFE, 0xFF});
  ASSERT_TRUE(record.valid);
  EXPECT_EQ(record.rowCount, 6);
  EXPECT_EQ(cellTexts(record), (Texts{"3,1=2", "1,0=тип данных", "2,0=перегрузка", "3,0=значений", "1,1=UINT",
                                      "2,1=ЕСТЬ", "4,0=1", "4,1=4660", "5,0=2", "5,1=65534"}));
}

TEST(TestRecord, SignednessAndSizeFollowTheTypeCode) {
  const std::pair<std::vector<unsigned char>, Texts> cases[] = {
      {{0x00, 0x00, 0x02, 0xFF, 0x7F}, {"255", "127"}},
      {{0x01, 0x00, 0x02, 0xFF, 0x80}, {"-1", "-128"}},
      {{0x03, 0xFF, 0x02, 0x34, 0x12, 0xFE, 0xFF}, {"4660", "-2"}},
      {{0x04, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, {"4294967295"}},
      {{0x05, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, {"-1"}},
      {{0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80}, {"-2147483648"}},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(values(decode(bytes)), expected) << int(bytes[0]);

  const auto record = decode({0x05, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(cellTexts(record)[4], "1,1=LONG");
  EXPECT_EQ(cellTexts(record)[5], "2,1=НЕТ");
}

TEST(TestRecord, NoValuesLeavesFourRows) {
  const auto record = decode({0x00, 0x01, 0x00});
  EXPECT_TRUE(record.valid);
  EXPECT_EQ(record.rowCount, 4);
  EXPECT_EQ(record.cells.size(), 6u);
}

TEST(TestRecord, ShorterThanTheHeaderTouchesNothing) {
  EXPECT_FALSE(decode({}).valid);
  EXPECT_FALSE(decode({0x02, 0xFF}).valid);
  EXPECT_TRUE(decode({0x02, 0xFF}).cells.empty());
}

TEST(TestRecord, UnknownTypeEmptiesWhatItCannotFill) {
  // Every cell is written, so nothing of an earlier record stays beside the new count.
  const auto record = decode({0x07, 0xFF, 0x02, 0x01, 0x02});
  EXPECT_EQ(record.rowCount, 6);
  EXPECT_EQ(cellTexts(record), (Texts{"3,1=2", "1,0=тип данных", "2,0=перегрузка", "3,0=значений", "1,1=7",
                                      "2,1=ЕСТЬ", "4,0=1", "4,1=", "5,0=2", "5,1="}));
}

TEST(TestRecord, CutOffValuesAreEmpty) {
  // Three UINT values announced, one and a half present.
  const auto record = decode({0x02, 0x00, 0x03, 0x34, 0x12, 0xFE});
  EXPECT_EQ(record.rowCount, 7);
  EXPECT_EQ(values(record), (Texts{"4660", "", ""}));
  // 255 LONG values announced, none present.
  EXPECT_EQ(values(decode({0x05, 0x00, 0xFF})), Texts(255, ""));
}

}  // namespace
}  // namespace lk40::core
