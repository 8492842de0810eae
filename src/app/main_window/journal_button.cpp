// "Журнал": the one journal window, and the operations under which the
// journal files the calls of a button, a page change or a timer tick.
#include <QAbstractButton>

#include "journal/tfrm_journal.h"
#include "main_window/tfrm_main.h"
#include "script_record/script_recorder.h"
#include "widgets/keyboard_path.h"

void TfrmMain::btnJournalClick() {
  if (!journalWindow_) {
    journalWindow_ = new TfrmJournal(journal_->journal(), this, options_.showError);
    wireScriptRecording(journalWindow_, this);
  }
  journalWindow_->show();
  journalWindow_->raise();
  journalWindow_->activateWindow();
}

lk40::core::JournalRecorder::Operation TfrmMain::journalled(std::string_view caption, bool poll) {
  return journal_->operation(caption, poll);
}

lk40::core::JournalRecorder::Operation TfrmMain::journalled(const QAbstractButton* button) {
  QString caption = keyboardpath::withoutMnemonic(button->text());
  if (caption.isEmpty()) caption = button->accessibleName();
  return journal_->operation(caption.toStdString(), false);
}
