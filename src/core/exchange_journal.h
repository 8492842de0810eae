// The exchange journal: one row per driver call the bench makes, the last
// so many of them in bounded memory, and the texts the journal window shows,
// copies and saves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk40::core {

// A property written before a call, its value as text.
struct PropertyText {
  std::string name;
  std::string value;
};

struct PropertyView {
  std::string_view name;
  std::string_view value;
};

// A call as the bench saw it; the texts are borrowed for the time of add.
struct JournalCall {
  int32_t timeOfDayMs = 0;     // local time of the call, milliseconds since midnight
  std::string_view operation;  // the button's caption, or kPollOperation for a timer tick
  std::string_view method;
  int32_t code = 0;  // ResultCode
  std::string_view description;  // ResultCodeDescription
  std::string_view sent;         // Input
  std::string_view received;     // Output
  uint32_t elapsedMs = 0;
  bool poll = false;  // the display's polls, the ADC reading, the soak test's TestGet
  bool hasCode = true;  // false: the call raised an error, or its code was never seen
};

inline constexpr std::string_view kPollOperation = "Опрос";
// The connection the bench makes as it starts, before any button.
inline constexpr std::string_view kStartupOperation = "Запуск";

// One row as the journal keeps it: all its texts in one buffer, so that a row
// costs at most one allocation, and none once its slot's buffer is big enough.
class JournalRow {
 public:
  int32_t timeOfDayMs() const { return timeOfDayMs_; }
  std::string_view operation() const { return text(0); }
  std::string_view method() const { return text(1); }
  int32_t code() const { return code_; }
  bool hasCode() const { return hasCode_; }
  std::string_view description() const { return text(2); }
  std::string_view sent() const { return text(3); }
  std::string_view received() const { return text(4); }
  uint32_t elapsedMs() const { return elapsedMs_; }
  bool poll() const { return poll_; }
  std::size_t propertyCount() const;
  PropertyView property(std::size_t index) const;
  std::vector<PropertyView> properties() const;

  void assign(const JournalCall& call, const std::vector<PropertyText>& properties);

 private:
  // The buffer starts with a table: the count of texts, then where each ends
  // (counted from the end of the table); the texts follow back to back.
  std::string_view text(std::size_t index) const;
  uint32_t word(std::size_t index) const;

  std::string buffer_;
  int32_t timeOfDayMs_ = 0;
  int32_t code_ = 0;
  uint32_t elapsedMs_ = 0;
  bool hasCode_ = true;
  bool poll_ = false;
};

// The last `capacity` rows, oldest first. Each row gets the next sequence
// number, so a view that remembers the next number it expects appends only
// what is new and sees what dropped off or was cleared. Used from the one
// thread that makes the calls.
class ExchangeJournal {
 public:
  static constexpr std::size_t kDefaultCapacity = 100000;

  // A capacity of 0 is taken as 1.
  explicit ExchangeJournal(std::size_t capacity = kDefaultCapacity);

  // Adds the call as the newest row; when full, the oldest row drops off.
  void add(const JournalCall& call, const std::vector<PropertyText>& properties = {});
  // Drops every row and the count of dropped ones; sequence numbers go on.
  void clear();

  std::size_t size() const { return rows_.size(); }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return rows_.empty(); }
  // index < size(); 0 is the oldest row held.
  const JournalRow& operator[](std::size_t index) const;

  // The sequence number of the row at index 0, and the one the next row gets.
  uint64_t firstSequence() const { return nextSequence_ - rows_.size(); }
  uint64_t nextSequence() const { return nextSequence_; }
  // Rows that dropped off for want of room since construction or clear.
  uint64_t dropped() const { return dropped_; }

 private:
  std::size_t capacity_;
  std::vector<JournalRow> rows_;  // a ring once full: oldest_ is index 0
  std::size_t oldest_ = 0;
  uint64_t nextSequence_ = 0;
  uint64_t dropped_ = 0;
};

// --- The texts

enum class JournalColumn { Time, Operation, Method, Code, Description, Sent, Received, Ms };
inline constexpr std::size_t kJournalColumns = 8;

// The column headers: "Время", "Операция", "Метод", "Код", "Описание",
// "Передано", "Принято", "мс".
const std::array<std::string_view, kJournalColumns>& journalHeaders();

// "hh:mm:ss.zzz"
std::string timeOfDayText(int32_t timeOfDayMs);

// A row's cell as its column shows it; the code of a row without one is empty.
std::string cellText(const JournalRow& row, JournalColumn column);

// The indices of the rows the list shows, oldest first: all, or all but polls.
std::vector<std::size_t> shownRows(const ExchangeJournal& journal, bool withPolls);

// The rows at `indices` as tab-separated text for the clipboard: the header
// line first, so that a paste says what each column is, then one line per row,
// every line ending in "\n" (the clipboard gives a system its own line ends).
// A tab or line break inside a cell becomes a blank, so columns stay columns.
// A cell that begins with "=", "+", "-", "@", a tab or a carriage return and
// is no plain number gets a leading "'" here and in the CSV, so that a
// spreadsheet shows it rather than running it as a formula.
std::string journalCopyText(const ExchangeJournal& journal, const std::vector<std::size_t>& indices);

// The rows at `indices` as CSV: the header line, then one line per row, cells
// separated by ";", lines ending in "\r\n"; a cell that holds ";", a double
// quote or a line break is quoted, its quotes doubled. UTF-8, like every text;
// saveJournalCsv converts it.
std::string journalCsvText(const ExchangeJournal& journal, const std::vector<std::size_t>& indices);

// Writes the CSV text to `path` in the ANSI code page ("?" for a character
// outside it), replacing the file whole so that it is never seen half
// written. A link in its place or a file the user could not write is not
// replaced (platform::FileRole::Export). False when it could not be.
bool saveJournalCsv(const std::string& path, std::string_view csvUtf8);

}  // namespace lk40::core
