#include "core/exchange_journal.h"

#include <cstring>

#include "core/csv_file.h"

namespace lk40::core {

namespace {

constexpr std::size_t kFixedTexts = 5;  // operation, method, description, sent, received
constexpr std::size_t kWord = sizeof(uint32_t);

void appendWord(std::string& buffer, std::size_t value) {
  const auto word = static_cast<uint32_t>(value);
  char bytes[kWord];
  std::memcpy(bytes, &word, kWord);
  buffer.append(bytes, kWord);
}

}  // namespace

// --- JournalRow

uint32_t JournalRow::word(std::size_t index) const {
  uint32_t value = 0;
  std::memcpy(&value, buffer_.data() + index * kWord, kWord);
  return value;
}

std::string_view JournalRow::text(std::size_t index) const {
  if (buffer_.empty()) return {};
  const std::size_t table = (1 + word(0)) * kWord;
  const std::size_t begin = index == 0 ? 0 : word(index);
  return std::string_view(buffer_).substr(table + begin, word(index + 1) - begin);
}

std::size_t JournalRow::propertyCount() const { return buffer_.empty() ? 0 : (word(0) - kFixedTexts) / 2; }

PropertyView JournalRow::property(std::size_t index) const {
  return {text(kFixedTexts + 2 * index), text(kFixedTexts + 2 * index + 1)};
}

std::vector<PropertyView> JournalRow::properties() const {
  std::vector<PropertyView> result;
  result.reserve(propertyCount());
  for (std::size_t i = 0; i < propertyCount(); ++i) result.push_back(property(i));
  return result;
}

void JournalRow::assign(const JournalCall& call, const std::vector<PropertyText>& properties) {
  timeOfDayMs_ = call.timeOfDayMs;
  code_ = call.code;
  hasCode_ = call.hasCode;
  elapsedMs_ = call.elapsedMs;
  poll_ = call.poll;

  const std::size_t count = kFixedTexts + 2 * properties.size();
  std::size_t length = call.operation.size() + call.method.size() + call.description.size() + call.sent.size() +
                       call.received.size();
  for (const PropertyText& property : properties) length += property.name.size() + property.value.size();
  const std::size_t needed = (1 + count) * kWord + length;
  // clear keeps the capacity, so an overwritten slot rarely allocates; a slot
  // that once held a very long row gives the room back.
  if (buffer_.capacity() > 4 * needed + 64) std::string().swap(buffer_);
  buffer_.clear();
  buffer_.reserve(needed);
  appendWord(buffer_, count);
  std::size_t end = 0;
  const auto mark = [&](std::string_view text) {
    end += text.size();
    appendWord(buffer_, end);
  };
  for (const std::string_view text : {call.operation, call.method, call.description, call.sent, call.received})
    mark(text);
  for (const PropertyText& property : properties) {
    mark(property.name);
    mark(property.value);
  }
  for (const std::string_view text : {call.operation, call.method, call.description, call.sent, call.received})
    buffer_.append(text);
  for (const PropertyText& property : properties) {
    buffer_.append(property.name);
    buffer_.append(property.value);
  }
}

// --- ExchangeJournal

ExchangeJournal::ExchangeJournal(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {
  // Address space only: the pages are touched as rows arrive.
  rows_.reserve(capacity_);
}

void ExchangeJournal::add(const JournalCall& call, const std::vector<PropertyText>& properties) {
  if (rows_.size() < capacity_) {
    rows_.emplace_back();
    rows_.back().assign(call, properties);
  } else {
    rows_[oldest_].assign(call, properties);
    oldest_ = (oldest_ + 1) % capacity_;
    ++dropped_;
  }
  ++nextSequence_;
}

void ExchangeJournal::clear() {
  rows_.clear();
  oldest_ = 0;
  dropped_ = 0;
}

const JournalRow& ExchangeJournal::operator[](std::size_t index) const {
  const std::size_t slot = oldest_ + index;
  return rows_[slot < rows_.size() ? slot : slot - rows_.size()];
}

// --- The texts

const std::array<std::string_view, kJournalColumns>& journalHeaders() {
  static constexpr std::array<std::string_view, kJournalColumns> kHeaders = {
      "Время", "Операция", "Метод", "Код", "Описание", "Передано", "Принято", "мс"};
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
    case JournalColumn::Code: return row.hasCode() ? std::to_string(row.code()) : std::string();
    case JournalColumn::Description: return std::string(row.description());
    case JournalColumn::Sent: return std::string(row.sent());
    case JournalColumn::Received: return std::string(row.received());
    case JournalColumn::Ms: return std::to_string(row.elapsedMs());
  }
  return {};
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

}  // namespace

std::string journalCopyText(const ExchangeJournal& journal, const std::vector<std::size_t>& indices) {
  return table(journal, indices, '\t', "\n", [](std::string& out, const std::string& cell) {
    for (const char ch : cell) out += ch == '\t' || ch == '\r' || ch == '\n' ? ' ' : ch;
  });
}

std::string journalCsvText(const ExchangeJournal& journal, const std::vector<std::size_t>& indices) {
  return table(journal, indices, ';', "\r\n", [](std::string& out, const std::string& cell) {
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
