// The exchange journal as a table model: the rows the list shows (all, or
// all but polls), appended as the journal grows and dropped at the top as it
// drops rows, so that a view keeps its place and repaints only what is new.
// refresh() brings it up to date; nothing is done per row as rows arrive.
// A cell holds at most kCellChars characters of a long text.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <deque>
#include <vector>

#include "core/exchange_journal.h"

class JournalModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The most of a text a cell shows, and a tooltip in lines.
  static constexpr std::size_t kCellChars = 300;
  static constexpr std::size_t kToolTipChars = 960;
  static constexpr std::size_t kToolTipLineChars = 96;

  explicit JournalModel(const lk40::core::ExchangeJournal& journal, QObject* parent = nullptr);

  bool withPolls() const { return withPolls_; }
  void setWithPolls(bool withPolls);  // rebuilds the list
  // Drops what left the journal and appends what came; false when nothing did.
  bool refresh();

  // Whether the journal still holds a row of the list: between two refreshes
  // the list may name rows that dropped off or were cleared.
  bool holds(int row) const;
  // The journal's index of a row of the list that it holds.
  std::size_t journalIndex(int row) const;
  std::vector<std::size_t> journalIndices(const std::vector<int>& rows) const;
  std::vector<std::size_t> allJournalIndices() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const lk40::core::ExchangeJournal& journal_;
  bool withPolls_ = false;
  std::deque<uint64_t> shown_;  // the sequence numbers of the rows listed
  uint64_t seenUpTo_ = 0;       // the journal's next sequence number when last looked at
};
