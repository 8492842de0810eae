#include "core/exchange_journal.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "temp_folder.h"

namespace lk40::core {
namespace {

// Row n: its texts and property count grow and shrink with n, so that a slot
// overwritten by a shorter or longer row shows any text left over.
void addRow(ExchangeJournal& journal, int n) {
  const std::string op = "r" + std::to_string(n);
  const std::string sent(static_cast<std::size_t>(n % 4) * 3, 'S');
  std::vector<PropertyText> properties;
  for (int p = 0; p < n % 3; ++p) properties.push_back({"P" + std::to_string(p), std::string(n % 5, 'v')});
  JournalCall call;
  call.operation = op;
  call.method = n % 2 ? "Connect" : "";
  call.sent = sent;
  call.code = n;
  journal.add(call, properties);
}

void expectRow(const JournalRow& row, int n) {
  EXPECT_EQ(row.operation(), "r" + std::to_string(n));
  EXPECT_EQ(row.method(), n % 2 ? "Connect" : "");
  EXPECT_EQ(row.sent(), std::string(static_cast<std::size_t>(n % 4) * 3, 'S'));
  EXPECT_EQ(row.received(), "");
  EXPECT_EQ(row.description(), "");
  EXPECT_EQ(row.code(), n);
  ASSERT_EQ(row.propertyCount(), static_cast<std::size_t>(n % 3));
  for (std::size_t p = 0; p < row.propertyCount(); ++p) {
    EXPECT_EQ(row.property(p).name, "P" + std::to_string(p));
    EXPECT_EQ(row.property(p).value, std::string(n % 5, 'v'));
  }
}

TEST(ExchangeJournal, KeepsTheNewestRowsOldestFirst) {
  for (const int added : {0, 1, 3, 4, 7, 10}) {
    ExchangeJournal journal(3);
    for (int n = 0; n < added; ++n) addRow(journal, n);
    const std::size_t held = std::min<std::size_t>(added, 3);
    ASSERT_EQ(journal.size(), held) << added;
    EXPECT_EQ(journal.dropped(), static_cast<uint64_t>(added) - held);
    EXPECT_EQ(journal.nextSequence(), static_cast<uint64_t>(added));
    EXPECT_EQ(journal.firstSequence(), static_cast<uint64_t>(added) - held);
    for (std::size_t i = 0; i < held; ++i) expectRow(journal[i], added - static_cast<int>(held) + static_cast<int>(i));
  }
}

TEST(ExchangeJournal, ClearEmptiesButNumbersGoOn) {
  ExchangeJournal journal(2);
  for (int n = 0; n < 5; ++n) addRow(journal, n);
  journal.clear();
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(journal.dropped(), 0u);
  EXPECT_EQ(journal.firstSequence(), 5u);
  for (int n = 5; n < 8; ++n) addRow(journal, n);
  EXPECT_EQ(journal.dropped(), 1u);
  EXPECT_EQ(journal.firstSequence(), 6u);
  expectRow(journal[0], 6);
  expectRow(journal[1], 7);
  EXPECT_EQ(ExchangeJournal(0).capacity(), 1u);
}

TEST(ExchangeJournal, TimeOfDay) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "00:00:00.000"}, {3723004, "01:02:03.004"}, {45296789, "12:34:56.789"}, {86399999, "23:59:59.999"},
      {-5, "00:00:00.000"}};
  for (const auto& [ms, text] : cases) EXPECT_EQ(timeOfDayText(ms), text) << ms;
}

// Two calls, the second a poll whose texts need quoting in CSV and blanking
// in the copy text.
ExchangeJournal twoCalls() {
  ExchangeJournal journal;
  JournalCall call{45296789, "Подключиться", "Connect", 0, "Ошибок нет", "02 05", "02 06", 15, false};
  journal.add(call, {{"ComNumber", "3"}});
  call = {3723004, kPollOperation, "GetWeight", -1, "Нет \"связи\"; повтор", "a\tb", "x\r\ny", 1000, true};
  journal.add(call);
  return journal;
}

TEST(ExchangeJournalTexts, ACodeNeverSeenIsAnEmptyCell) {
  ExchangeJournal journal(1);
  JournalCall call{0, "Тара", "SetTare", 7, "", "", "", 3, false, false};
  journal.add(call);
  EXPECT_EQ(cellText(journal[0], JournalColumn::Code), "");
  call.hasCode = true;
  journal.add(call);  // the slot reused
  EXPECT_EQ(cellText(journal[0], JournalColumn::Code), "7");
}

TEST(ExchangeJournalTexts, CopyAndCsv) {
  const ExchangeJournal journal = twoCalls();
  EXPECT_EQ(cellText(journal[1], JournalColumn::Ms), "1000");
  EXPECT_EQ(shownRows(journal, true), (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(shownRows(journal, false), (std::vector<std::size_t>{0}));

  const std::string header = "Время\tОперация\tМетод\tВозврат\tКод\tОписание\tПередано\tПринято\tмс\n";
  const std::string first = "12:34:56.789\tПодключиться\tConnect\t\t0\tОшибок нет\t02 05\t02 06\t15\n";
  EXPECT_EQ(journalCopyText(journal, {0, 1}),
            header + first + "01:02:03.004\tОпрос\tGetWeight\t\t-1\tНет \"связи\"; повтор\ta b\tx  y\t1000\n");
  EXPECT_EQ(journalCopyText(journal, {}), header);

  EXPECT_EQ(journalCsvText(journal, {1, 0}),
            "Время;Операция;Метод;Возврат;Код;Описание;Передано;Принято;мс\r\n"
            "01:02:03.004;Опрос;GetWeight;;-1;\"Нет \"\"связи\"\"; повтор\";a\tb;\"x\r\ny\";1000\r\n"
            "12:34:56.789;Подключиться;Connect;;0;Ошибок нет;02 05;02 06;15\r\n");
}

// A dump of n bytes as the driver writes it: "02 A5 A5 ...".
std::string dump(std::size_t n) {
  std::string text = "02";
  for (std::size_t i = 1; i < n; ++i) text += " A5";
  return text;
}

JournalCall callOf(std::string_view method, std::string_view sent, std::string_view received) {
  JournalCall call;
  call.operation = kPollOperation;
  call.method = method;
  call.sent = sent;
  call.received = received;
  return call;
}

TEST(ExchangeJournal, ABudgetOfBytesDropsTheOldestRowsAndCountsEveryOne) {
  ExchangeJournal journal(1000, 20000);
  std::vector<std::string> answers;
  for (int n = 0; n < 60; ++n) answers.push_back(std::to_string(n) + std::string(1000, 'x'));
  for (const std::string& answer : answers) journal.add(callOf("Connect", "", answer));
  EXPECT_LE(journal.bytesHeld(), journal.byteBudget());
  ASSERT_GT(journal.size(), 10u);
  ASSERT_LT(journal.size(), 20u);
  EXPECT_EQ(journal.dropped(), 60 - journal.size());
  for (std::size_t i = 0; i < journal.size(); ++i) EXPECT_EQ(journal[i].received(), answers[60 - journal.size() + i]);
  // A row larger than the whole budget is still the newest row, alone.
  const std::string huge(30000, 'y');
  journal.add(callOf("Connect", "", huge));
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].received(), huge);
  EXPECT_EQ(journal.dropped(), 60u);
  journal.clear();
  EXPECT_EQ(journal.bytesHeld(), 0u);
}

TEST(ExchangeJournal, ATextOverTheCapIsKeptCutWithItsLengthInEveryText) {
  ExchangeJournal journal;
  const std::string sent = dump(30000);  // 89 999 characters
  std::string received;
  for (int i = 0; i < 70000; ++i) received += "я";
  journal.add(callOf("TestGet", sent, received));
  const std::string keptSent = dump(21845) + " … [обрезано, байт: 30000]";
  const std::string keptReceived = received.substr(0, 65536) + " … [обрезано, знаков: 70000]";
  EXPECT_EQ(cellText(journal[0], JournalColumn::Sent), keptSent);
  EXPECT_EQ(cellText(journal[0], JournalColumn::Received), keptReceived);
  EXPECT_NE(journalCopyText(journal, {0}).find(keptSent + "\t" + keptReceived + "\t"), std::string::npos);
  EXPECT_NE(journalCsvText(journal, {0}).find(keptSent + ";" + keptReceived + ";"), std::string::npos);
  EXPECT_EQ(cellExcerpt(journal[0], JournalColumn::Sent, 300), dump(100) + " … [обрезано, байт: 30000]");
  EXPECT_LT(journal.bytesHeld(), 2 * ExchangeJournal::kTextCap);
}

TEST(ExchangeJournal, RepeatedFramesAreKeptOnceAndOutliveTheRowsTheyCameFrom) {
  // Answers repeat in runs, as a poll's do; the request never changes.
  const std::string request = dump(4), a = dump(300), b = dump(301);
  const std::string* answers[] = {&a, &a, &a, &b, &b, &a, &a, &a, &a, &b};
  ExchangeJournal journal(3);
  for (std::size_t n = 0; n < std::size(answers); ++n) {
    journal.add(callOf("TestGet", request, *answers[n]));
    for (std::size_t i = 0; i < journal.size(); ++i) {
      EXPECT_EQ(journal[i].sent(), request) << n;
      EXPECT_EQ(journal[i].received(), *answers[n + 1 - journal.size() + i]) << n << " " << i;
    }
  }
  // Ten rows of one answer hold it about twice (the first row's own copy and
  // the one they share), ten rows of answers that change hold ten.
  ExchangeJournal same(10), different(10);
  for (int n = 0; n < 10; ++n) {
    same.add(callOf("TestGet", request, a));
    different.add(callOf("TestGet", request, n % 2 ? a : b));
  }
  const std::size_t copy = 300;
  EXPECT_LT(same.bytesHeld(), 3 * copy);
  EXPECT_GT(different.bytesHeld(), 9 * copy);
}

// The driver's texts reach a spreadsheet as text, never as a formula it runs;
// the list shows them as they are, and numbers stay numbers.
TEST(ExchangeJournalTexts, FormulasInertInCopyAndCsv) {
  ExchangeJournal journal;
  journal.add({0, "-x", "Connect", -1, "=1+1", "+SUM(A1)", "@cmd", 5, false});
  journal.add({0, "Тара", "SetTare", 0, "-5", "+2,5", "\tx", 5, false});
  EXPECT_EQ(cellText(journal[0], JournalColumn::Description), "=1+1");
  EXPECT_EQ(journalCsvText(journal, {0, 1}).substr(journalCsvText(journal, {}).size()),
            "00:00:00.000;'-x;Connect;;-1;'=1+1;'+SUM(A1);'@cmd;5\r\n"
            "00:00:00.000;Тара;SetTare;;0;-5;+2,5;'\tx;5\r\n");
  EXPECT_EQ(journalCopyText(journal, {0, 1}).substr(journalCopyText(journal, {}).size()),
            "00:00:00.000\t'-x\tConnect\t\t-1\t'=1+1\t'+SUM(A1)\t'@cmd\t5\n"
            "00:00:00.000\tТара\tSetTare\t\t0\t-5\t+2,5\t' x\t5\n");
}

TEST(ExchangeJournalTexts, SavedInTheAnsiCodePageReplacingTheFile) {
  const platform::testing::TempFolder folder;
  const std::string path = folder / "журнал.csv";
  const std::string csv = journalCsvText(twoCalls(), {0});
  platform::testing::writeBytes(std::filesystem::u8path(path), "old and longer than the new text, to see it go");
  ASSERT_TRUE(saveJournalCsv(path, csv));
  EXPECT_EQ(platform::testing::readBytes(std::filesystem::u8path(path)), platform::utf8ToAnsi(csv));

  // A folder of that name stays a folder; no temporary is left beside it.
  std::filesystem::create_directory(folder.path() / "dir");
  EXPECT_FALSE(saveJournalCsv(folder / "dir", csv));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "dir"));
  EXPECT_FALSE(saveJournalCsv(folder / "missing/j.csv", csv));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);

  // A link in the file's place is not followed to replace what it points to.
  std::error_code noLinks;
  std::filesystem::create_symlink(std::filesystem::u8path(path), folder.path() / "link.csv", noLinks);
  if (!noLinks) {
    EXPECT_FALSE(saveJournalCsv(folder / "link.csv", "other"));
    EXPECT_EQ(platform::testing::readBytes(std::filesystem::u8path(path)), platform::utf8ToAnsi(csv));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.csv"));
  }
}

}  // namespace
}  // namespace lk40::core
