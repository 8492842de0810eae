// The exchange journal: one row per driver call the bench makes, the last
// so many of them in bounded memory, and the texts the journal window shows,
// copies and saves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/journal_text.h"

namespace lk40::core {

// A property written before a call, its value as text.
struct PropertyText {
  std::string name;
  std::string value;
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
  bool hasCode = true;  // false: the bench did not read ResultCode after the call, or the call raised an error
  int32_t returned = 0;  // the method's own return value
  bool hasReturned = false;  // false: the bench did not take it (a call whose value it drops), or an error
};

inline constexpr std::string_view kPollOperation = "Опрос";
// The connection the bench makes as it starts, before any button.
inline constexpr std::string_view kStartupOperation = "Запуск";

class ExchangeJournal;

// One row of the journal, read from the journal's bytes: valid until the
// journal next changes. Frames that the driver gave as plain hex dumps are
// kept as bytes and given back as the same text; a frame, a description or a
// value longer than ExchangeJournal::kTextCap is kept cut, and its text ends
// in a mark with its full length.
class JournalRow {
 public:
  int32_t timeOfDayMs() const;
  std::string_view operation() const;
  std::string_view method() const;
  int32_t code() const;
  bool hasCode() const;
  int32_t returned() const;
  bool hasReturned() const;
  std::string description() const;
  std::string sent() const;
  std::string received() const;
  // The same as kept, for excerpts of them.
  KeptView keptDescription() const { return kept(2); }
  KeptView keptSent() const { return kept(3); }
  KeptView keptReceived() const { return kept(4); }
  uint32_t elapsedMs() const;
  bool poll() const;
  std::size_t propertyCount() const;
  PropertyText property(std::size_t index) const;
  std::vector<PropertyText> properties() const;

 private:
  friend class ExchangeJournal;
  JournalRow(const ExchangeJournal& journal, std::size_t slot) : journal_(&journal), slot_(slot) {}
  std::string_view bytes() const;
  // The kept text at a position of the row's bytes: 0 operation, 1 method,
  // 2 description, 3 sent, 4 received, then each property's name and value.
  KeptView kept(std::size_t field) const;

  const ExchangeJournal* journal_;
  std::size_t slot_;
};

// The newest rows, oldest first: at most `capacity` of them, and no more than
// `byteBudget` bytes of frames and texts; when either is reached, the oldest
// rows drop off. Each row gets the next sequence number, so a view that
// remembers the next number it expects appends only what is new and sees what
// dropped off or was cleared. Used from the one thread that makes the calls.
class ExchangeJournal {
 public:
  static constexpr std::size_t kDefaultCapacity = 100000;
  static constexpr std::size_t kDefaultByteBudget = 32u << 20;
  // The most of one text a row keeps, in bytes of text (a frame's dump: three a byte).
  static constexpr std::size_t kTextCap = 64u << 10;

  // A capacity of 0 is taken as 1.
  explicit ExchangeJournal(std::size_t capacity = kDefaultCapacity, std::size_t byteBudget = kDefaultByteBudget);
  ~ExchangeJournal();
  ExchangeJournal(ExchangeJournal&&) noexcept;
  ExchangeJournal& operator=(ExchangeJournal&&) noexcept;

  // Adds the call as the newest row; the oldest rows drop off for room.
  void add(const JournalCall& call, const std::vector<PropertyText>& properties = {});
  // Drops every row and the count of dropped ones; sequence numbers go on.
  void clear();

  std::size_t size() const { return count_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t byteBudget() const { return budget_; }
  // The bytes of frames and texts the rows hold now, counted against the budget.
  std::size_t bytesHeld() const;
  bool empty() const { return count_ == 0; }
  // index < size(); 0 is the oldest row held.
  JournalRow operator[](std::size_t index) const;

  // The sequence number of the row at index 0, and the one the next row gets.
  uint64_t firstSequence() const { return nextSequence_ - count_; }
  uint64_t nextSequence() const { return nextSequence_; }
  // Rows that dropped off for want of room since construction or clear.
  uint64_t dropped() const { return dropped_; }

 private:
  friend class JournalRow;
  struct Store;
  struct Slot;
  const Slot& slot(std::size_t slot) const;
  void dropOldest();
  void appendText(std::string& record, std::string_view text);
  void appendFrame(std::string& record, std::string_view frame, std::size_t field, std::size_t methodId);

  std::size_t capacity_;
  std::size_t budget_;
  std::unique_ptr<Store> store_;
  std::size_t head_ = 0;  // the slot of the oldest row
  std::size_t count_ = 0;
  uint64_t nextSequence_ = 0;
  uint64_t dropped_ = 0;
};

// --- The texts

enum class JournalColumn { Time, Operation, Method, Returned, Code, Description, Sent, Received, Ms };
inline constexpr std::size_t kJournalColumns = 9;

// The column headers: "Время", "Операция", "Метод", "Возврат" (the method's
// return value), "Код" (ResultCode as the bench read it), "Описание",
// "Передано", "Принято", "мс".
const std::array<std::string_view, kJournalColumns>& journalHeaders();

// "hh:mm:ss.zzz"
std::string timeOfDayText(int32_t timeOfDayMs);

// A row's cell as its column shows it, whole; the code or the return value of
// a row without one is empty.
std::string cellText(const JournalRow& row, JournalColumn column);
// The same for a list: at most about maxChars characters of a text, and a
// mark with its full length where there is more.
std::string cellExcerpt(const JournalRow& row, JournalColumn column, std::size_t maxChars);
// Everything about a row in full, for the properties pane: "name = value" for
// each property written before the call, then the description and the frames.
std::string rowDetails(const JournalRow& row);

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
