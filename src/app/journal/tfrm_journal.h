// "Журнал обмена": the exchange journal's window. The list of calls (polls
// shown with "Опросы"; a long text shows its start), the count of rows
// dropped for want of room, the selected call in full (the properties written
// before it, its description and frames), and "Копировать",
// "Сохранить…" and "Очистить". It is not modal and disables nothing; while it
// is shown it looks at the journal every kRefreshMs, so that a soak test's
// rows cost it one update per period rather than a repaint per row.
#pragma once

#include <QWidget>
#include <functional>

#include "core/exchange_journal.h"
#include "journal/journal_model.h"
#include "ui_tfrm_journal.h"
#include "widgets/error_box.h"

class QTimer;

class TfrmJournal : public QWidget, public Ui::TfrmJournal {
  Q_OBJECT

 public:
  static constexpr int kRefreshMs = 150;

  // A window of its own above owner, which it closes with.
  TfrmJournal(lk40::core::ExchangeJournal& journal, QWidget* owner, ErrorBox showError = {});

  // Asks for the file "Сохранить…" writes; an empty name saves nothing.
  using ChooseFile = std::function<QString(QWidget* owner)>;
  void setChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }

  const JournalModel& model() const { return *model_; }
  // Brings the list and the count of dropped rows up to date now.
  void refresh();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void copySelected();
  void save();
  void clear();
  void showProperties();
  std::vector<int> selectedRows() const;

  lk40::core::ExchangeJournal& journal_;
  JournalModel* model_;
  QTimer* refreshTimer_;
  ErrorBox showError_;
  ChooseFile chooseFile_;
};
