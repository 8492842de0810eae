#include "journal/journal_model.h"

#include <algorithm>

using lk40::core::ExchangeJournal;
using lk40::core::JournalColumn;

JournalModel::JournalModel(const ExchangeJournal& journal, QObject* parent)
    : QAbstractTableModel(parent), journal_(journal) {
  setWithPolls(false);
}

void JournalModel::setWithPolls(bool withPolls) {
  beginResetModel();
  withPolls_ = withPolls;
  shown_.clear();
  const uint64_t first = journal_.firstSequence();
  for (const std::size_t index : lk40::core::shownRows(journal_, withPolls_)) shown_.push_back(first + index);
  seenUpTo_ = journal_.nextSequence();
  endResetModel();
}

bool JournalModel::refresh() {
  bool changed = false;
  // Rows that dropped off or were cleared leave at the top.
  const uint64_t first = journal_.firstSequence();
  const auto gone = static_cast<int>(
      std::lower_bound(shown_.begin(), shown_.end(), first) - shown_.begin());
  if (gone > 0) {
    beginRemoveRows({}, 0, gone - 1);
    shown_.erase(shown_.begin(), shown_.begin() + gone);
    endRemoveRows();
    changed = true;
  }
  // New rows, of which the oldest may have dropped off already.
  const uint64_t next = journal_.nextSequence();
  uint64_t from = std::max(seenUpTo_, first);
  std::vector<uint64_t> added;
  for (; from < next; ++from) {
    if (withPolls_ || !journal_[static_cast<std::size_t>(from - first)].poll()) added.push_back(from);
  }
  seenUpTo_ = next;
  if (!added.empty()) {
    const int at = static_cast<int>(shown_.size());
    beginInsertRows({}, at, at + static_cast<int>(added.size()) - 1);
    shown_.insert(shown_.end(), added.begin(), added.end());
    endInsertRows();
    changed = true;
  }
  return changed;
}

bool JournalModel::holds(int row) const {
  return row >= 0 && row < rowCount() && shown_[static_cast<std::size_t>(row)] >= journal_.firstSequence();
}

std::size_t JournalModel::journalIndex(int row) const {
  return static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)] - journal_.firstSequence());
}

std::vector<std::size_t> JournalModel::journalIndices(const std::vector<int>& rows) const {
  std::vector<std::size_t> indices;
  indices.reserve(rows.size());
  for (const int row : rows) indices.push_back(journalIndex(row));
  return indices;
}

std::vector<std::size_t> JournalModel::allJournalIndices() const {
  std::vector<std::size_t> indices;
  indices.reserve(shown_.size());
  for (int row = 0; row < rowCount(); ++row) indices.push_back(journalIndex(row));
  return indices;
}

int JournalModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lk40::core::kJournalColumns);
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto column = static_cast<JournalColumn>(index.column());
  if (role == Qt::TextAlignmentRole) {
    const bool number = column == JournalColumn::Returned || column == JournalColumn::Code || column == JournalColumn::Ms;
    return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (!holds(index.row())) return {};
  const lk40::core::JournalRow row = journal_[journalIndex(index.row())];
  // The view lays out and elides what it is handed on every paint: a cell
  // gets the start of a long text, the properties pane the whole of it.
  if (role == Qt::DisplayRole) return QString::fromStdString(lk40::core::cellExcerpt(row, column, kCellChars));
  return QString::fromStdString(
      lk40::core::wrappedText(lk40::core::cellExcerpt(row, column, kToolTipChars), kToolTipLineChars));
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  const std::string_view header = lk40::core::journalHeaders()[static_cast<std::size_t>(section)];
  return QString::fromUtf8(header.data(), static_cast<int>(header.size()));
}
