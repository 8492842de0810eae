#include "core/exchange_journal.h"

#include <optional>

#include "core/csv_file.h"
#include "core/journal_store.h"

namespace lk40::core {

namespace {

constexpr std::size_t kFixedTexts = 5;  // operation, method, description, sent, received
// Frames this short gain nothing from being kept once.
constexpr std::size_t kShortestShared = 5;

enum SlotFlag : uint8_t { kPoll = 1, kHasCode = 2, kHasReturned = 4 };

}  // namespace

struct ExchangeJournal::Slot {
  RowArena::Place place;
  uint32_t size = 0;  // of the row's bytes
  int32_t timeOfDayMs = 0;
  int32_t code = 0;
  int32_t returned = 0;
  uint32_t elapsedMs = 0;
  uint8_t flags = 0;
};

struct ExchangeJournal::Store {
  std::vector<Slot> slots;  // a ring once full: head_ is the oldest row
  RowArena arena;
  TextTable texts;
  SharedFrames frames;
  std::size_t rowBytes = 0;
  // By a method's id in the table: 1 + the sequence number of its last row.
  std::vector<uint64_t> lastOfMethod;
  std::string record, frame;  // reused, so that adding a row allocates nothing
};

// --- JournalRow

const ExchangeJournal::Slot& ExchangeJournal::slot(std::size_t slot) const { return store_->slots[slot]; }

std::string_view JournalRow::bytes() const {
  const ExchangeJournal::Slot& s = journal_->slot(slot_);
  return journal_->store_->arena.at(s.place, s.size);
}

KeptView JournalRow::kept(std::size_t field) const {
  const std::string_view row = bytes();
  std::size_t pos = 0;
  for (std::size_t i = 0; i < field && i < kFixedTexts; ++i) readKept(row, pos);
  if (field >= kFixedTexts) {
    const uint64_t properties = readVarint(row, pos);
    if (field - kFixedTexts >= 2 * properties) return {};
    for (std::size_t i = kFixedTexts; i < field; ++i) readKept(row, pos);
  }
  KeptView kept = readKept(row, pos);
  if (kept.kind == KeptKind::Table) return {KeptKind::Text, journal_->store_->texts.text(kept.id)};
  if (kept.kind == KeptKind::Shared) {
    std::size_t at = 0;
    return readKept(journal_->store_->frames.encoded(kept.id), at);
  }
  return kept;
}

int32_t JournalRow::timeOfDayMs() const { return journal_->slot(slot_).timeOfDayMs; }
std::string_view JournalRow::operation() const { return kept(0).data; }
std::string_view JournalRow::method() const { return kept(1).data; }
int32_t JournalRow::code() const { return journal_->slot(slot_).code; }
bool JournalRow::hasCode() const { return journal_->slot(slot_).flags & kHasCode; }
int32_t JournalRow::returned() const { return journal_->slot(slot_).returned; }
bool JournalRow::hasReturned() const { return journal_->slot(slot_).flags & kHasReturned; }
std::string JournalRow::description() const { return shownText(kept(2)); }
std::string JournalRow::sent() const { return shownText(kept(3)); }
std::string JournalRow::received() const { return shownText(kept(4)); }
uint32_t JournalRow::elapsedMs() const { return journal_->slot(slot_).elapsedMs; }
bool JournalRow::poll() const { return journal_->slot(slot_).flags & kPoll; }

std::size_t JournalRow::propertyCount() const {
  const std::string_view row = bytes();
  std::size_t pos = 0;
  for (std::size_t i = 0; i < kFixedTexts; ++i) readKept(row, pos);
  return static_cast<std::size_t>(readVarint(row, pos));
}

PropertyText JournalRow::property(std::size_t index) const {
  return {shownText(kept(kFixedTexts + 2 * index)), shownText(kept(kFixedTexts + 2 * index + 1))};
}

std::vector<PropertyText> JournalRow::properties() const {
  std::vector<PropertyText> result;
  const std::size_t count = propertyCount();
  result.reserve(count);
  for (std::size_t i = 0; i < count; ++i) result.push_back(property(i));
  return result;
}

// --- ExchangeJournal

ExchangeJournal::ExchangeJournal(std::size_t capacity, std::size_t byteBudget)
    : capacity_(capacity == 0 ? 1 : capacity), budget_(byteBudget), store_(std::make_unique<Store>()) {
  // Address space only: the pages are touched as rows arrive.
  store_->slots.reserve(capacity_);
}

ExchangeJournal::~ExchangeJournal() = default;
ExchangeJournal::ExchangeJournal(ExchangeJournal&&) noexcept = default;
ExchangeJournal& ExchangeJournal::operator=(ExchangeJournal&&) noexcept = default;

std::size_t ExchangeJournal::bytesHeld() const {
  return store_->rowBytes + store_->frames.bytes() + store_->texts.bytes();
}

void ExchangeJournal::appendText(std::string& record, std::string_view text) {
  if (!text.empty()) {
    if (const auto id = store_->texts.idOf(text)) {
      appendKeptId(record, KeptKind::Table, *id);
      return;
    }
  }
  appendKept(record, text, kTextCap);
}

// A frame equal to the one the last row of the same method holds is kept
// once for both: a poll's request, an answer that has not changed.
void ExchangeJournal::appendFrame(std::string& record, std::string_view frame, std::size_t field,
                                  std::size_t methodId) {
  Store& s = *store_;
  std::string& encoded = s.frame;
  encoded.clear();
  appendKept(encoded, frame, kTextCap);
  if (methodId < s.lastOfMethod.size() && encoded.size() >= kShortestShared &&
      encoded.size() <= SharedFrames::kMaxLength) {
    const uint64_t last = s.lastOfMethod[methodId];
    if (last > firstSequence()) {
      const std::string_view row = (*this)[static_cast<std::size_t>(last - 1 - firstSequence())].bytes();
      std::size_t pos = 0;
      for (std::size_t i = 0; i < field; ++i) readKept(row, pos);
      const std::string_view before = keptBytes(row, pos);
      std::size_t at = 0;
      const KeptView was = readKept(before, at);
      if (was.kind == KeptKind::Shared && s.frames.encoded(was.id) == encoded) {
        s.frames.hold(was.id);
        record += before;
        return;
      }
      if (before == encoded) {
        appendKeptId(record, KeptKind::Shared, s.frames.add(encoded));
        return;
      }
    }
  }
  record += encoded;
}

void ExchangeJournal::add(const JournalCall& call, const std::vector<PropertyText>& properties) {
  Store& s = *store_;
  std::string& record = s.record;
  record.clear();
  appendText(record, call.operation);
  appendText(record, call.method);
  const auto methodId = call.method.empty() ? std::nullopt : s.texts.idOf(call.method);
  const std::size_t noMethod = s.lastOfMethod.size();
  appendText(record, call.description);
  appendFrame(record, call.sent, 3, methodId ? *methodId : noMethod);
  appendFrame(record, call.received, 4, methodId ? *methodId : noMethod);
  appendVarint(record, properties.size());
  for (const PropertyText& property : properties) {
    appendText(record, property.name);
    appendKept(record, property.value, kTextCap);
  }

  // Room: a row for the new one, and its bytes within the budget; the frames
  // it shares were taken above, so no row dropping here takes them away.
  if (count_ == capacity_) dropOldest();
  while (count_ > 0 && bytesHeld() + record.size() > budget_) dropOldest();

  Slot slot;
  slot.place = s.arena.append(record);
  slot.size = static_cast<uint32_t>(record.size());
  slot.timeOfDayMs = call.timeOfDayMs;
  slot.code = call.code;
  slot.returned = call.returned;
  slot.elapsedMs = call.elapsedMs;
  slot.flags = static_cast<uint8_t>((call.poll ? kPoll : 0) | (call.hasCode ? kHasCode : 0) |
                                    (call.hasReturned ? kHasReturned : 0));
  const std::size_t index = (head_ + count_) % capacity_;
  if (index == s.slots.size())
    s.slots.push_back(slot);
  else
    s.slots[index] = slot;
  ++count_;
  s.rowBytes += record.size();
  if (methodId) {
    if (*methodId >= s.lastOfMethod.size()) s.lastOfMethod.resize(*methodId + 1, 0);
    s.lastOfMethod[*methodId] = nextSequence_ + 1;
  }
  ++nextSequence_;
}

void ExchangeJournal::dropOldest() {
  Store& s = *store_;
  const Slot& oldest = s.slots[head_];
  const std::string_view row = s.arena.at(oldest.place, oldest.size);
  std::size_t pos = 0;
  for (std::size_t field = 0; field < kFixedTexts; ++field) {
    const KeptView kept = readKept(row, pos);
    if (kept.kind == KeptKind::Shared) s.frames.release(kept.id);
  }
  s.arena.release(oldest.place);
  s.rowBytes -= oldest.size;
  head_ = (head_ + 1) % capacity_;
  --count_;
  ++dropped_;
}

void ExchangeJournal::clear() {
  Store& s = *store_;
  s.arena.clear();
  s.texts.clear();
  s.frames.clear();
  s.lastOfMethod.clear();
  s.rowBytes = 0;
  head_ = 0;
  count_ = 0;
  dropped_ = 0;
}

JournalRow ExchangeJournal::operator[](std::size_t index) const {
  return JournalRow(*this, (head_ + index) % capacity_);
}

// --- The texts

const std::array<std::string_view, kJournalColumns>& journalHeaders() {
  static constexpr std::array<std::string_view, kJournalColumns> kHeaders = {
      "Время", "Операция", "Метод", "Возврат", "Код", "Описание", "Передано", "Принято", "мс"};
  return kHeaders;
}

std::string timeOfDayText(int32_t timeOfDayMs) {
  const auto two = [](std::string& out, int32_t value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
  };
  const int32_t ms = timeOfDayMs < 0 ? 0 : timeOfDayMs;
  std::string text;
  text.reserve(12);
  two(text, ms / 3600000);
  text += ':';
  two(text, ms / 60000 % 60);
  text += ':';
  two(text, ms / 1000 % 60);
  text += '.';
  text += static_cast<char>('0' + ms % 1000 / 100);
  two(text, ms % 100);
  return text;
}

std::string cellText(const JournalRow& row, JournalColumn column) {
  switch (column) {
    case JournalColumn::Time: return timeOfDayText(row.timeOfDayMs());
    case JournalColumn::Operation: return std::string(row.operation());
    case JournalColumn::Method: return std::string(row.method());
    case JournalColumn::Returned: return row.hasReturned() ? std::to_string(row.returned()) : std::string();
    case JournalColumn::Code: return row.hasCode() ? std::to_string(row.code()) : std::string();
    case JournalColumn::Description: return row.description();
    case JournalColumn::Sent: return row.sent();
    case JournalColumn::Received: return row.received();
    case JournalColumn::Ms: return std::to_string(row.elapsedMs());
  }
  return {};
}

std::string cellExcerpt(const JournalRow& row, JournalColumn column, std::size_t maxChars) {
  switch (column) {
    case JournalColumn::Description: return excerptText(row.keptDescription(), maxChars);
    case JournalColumn::Sent: return excerptText(row.keptSent(), maxChars);
    case JournalColumn::Received: return excerptText(row.keptReceived(), maxChars);
    default: return cellText(row, column);
  }
}

std::string rowDetails(const JournalRow& row) {
  std::string text;
  const auto line = [&text](std::string_view name, std::string_view separator, const std::string& value) {
    if (!text.empty()) text += '\n';
    text.append(name).append(separator).append(value);
  };
  for (const PropertyText& property : row.properties()) line(property.name, " = ", property.value);
  for (const JournalColumn column : {JournalColumn::Description, JournalColumn::Sent, JournalColumn::Received}) {
    const std::string value = cellText(row, column);
    if (!value.empty()) line(journalHeaders()[static_cast<std::size_t>(column)], ": ", value);
  }
  return text;
}

std::vector<std::size_t> shownRows(const ExchangeJournal& journal, bool withPolls) {
  std::vector<std::size_t> indices;
  indices.reserve(journal.size());
  for (std::size_t i = 0; i < journal.size(); ++i) {
    if (withPolls || !journal[i].poll()) indices.push_back(i);
  }
  return indices;
}

namespace {

// The header and the rows, each cell passed through `cell` and appended.
template <class AppendCell>
std::string table(const ExchangeJournal& journal, const std::vector<std::size_t>& indices, char separator,
                  std::string_view lineEnd, AppendCell appendCell) {
  std::string out;
  const auto line = [&](const auto& cellAt) {
    for (std::size_t c = 0; c < kJournalColumns; ++c) {
      if (c > 0) out += separator;
      appendCell(out, cellAt(c));
    }
    out += lineEnd;
  };
  line([](std::size_t c) { return std::string(journalHeaders()[c]); });
  for (const std::size_t index : indices) {
    const JournalRow& row = journal[index];
    line([&](std::size_t c) { return cellText(row, static_cast<JournalColumn>(c)); });
  }
  return out;
}

// A cell that a spreadsheet would take for a formula: the driver's texts are
// not ours to run. A signed plain number ("-1") is a number all the same.
bool formulaLike(std::string_view cell) {
  if (cell.empty() || std::string_view("=+-@\t\r").find(cell[0]) == std::string_view::npos) return false;
  if (cell[0] != '-' && cell[0] != '+') return true;
  const std::string_view number = cell.substr(1);
  const std::size_t point = number.find_first_of(".,");
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return point == std::string_view::npos ? !digits(number)
                                         : !digits(number.substr(0, point)) || !digits(number.substr(point + 1));
}

// The cell as a spreadsheet shows it, never as a formula it runs: such a
// cell gets a leading apostrophe.
std::string inert(const std::string& cell) { return formulaLike(cell) ? "'" + cell : cell; }

}  // namespace

std::string journalCopyText(const ExchangeJournal& journal, const std::vector<std::size_t>& indices) {
  return table(journal, indices, '\t', "\n", [](std::string& out, const std::string& text) {
    for (const char ch : inert(text)) out += ch == '\t' || ch == '\r' || ch == '\n' ? ' ' : ch;
  });
}

std::string journalCsvText(const ExchangeJournal& journal, const std::vector<std::size_t>& indices) {
  return table(journal, indices, ';', "\r\n", [](std::string& out, const std::string& text) {
    const std::string cell = inert(text);
    if (cell.find_first_of(";\"\r\n") == std::string::npos) {
      out += cell;
      return;
    }
    out += '"';
    for (const char ch : cell) {
      if (ch == '"') out += '"';
      out += ch;
    }
    out += '"';
  });
}

bool saveJournalCsv(const std::string& path, std::string_view csvUtf8) { return saveCsvFile(path, csvUtf8); }

}  // namespace lk40::core
