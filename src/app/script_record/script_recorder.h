// Records what the operator does on the main window as a script: page
// changes, text typed into a field (taken when the field is left), choices
// in combo boxes, check boxes and radio groups, button presses with the
// outcome they left in edtError, the channel characteristics dialog's steps
// after the press that opened it, the weight display as `display`, and a
// window no script can drive (the driver's settings, About) as a comment with
// the fields it changed. It watches the whole application through one event
// filter and the controls' own signals, by widget kinds and object names,
// so a control added to a page is recorded without a word here.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/run_recording.h"

class QAbstractButton;
class QWidget;

class ScriptRecorder : public QObject {
  Q_OBJECT

 public:
  // The window's recorder, made (not recording) on first asking; a child of the window.
  static ScriptRecorder* of(QWidget* window);

  bool recording() const { return recording_; }
  void setRecording(bool on);

  // The script so far, a field still being typed into included.
  std::string text();
  // Writes the script to `path` whole (aside, then renamed over); false
  // with nothing replaced when it cannot be. A link there is refused.
  bool save(const QString& path);

 signals:
  void recordingChanged(bool on);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit ScriptRecorder(QWidget* window);

  using In = lk40::core::ScriptRecording::In;

  // The window a control belongs to, as the recording sees it: the main
  // window, a driven dialog, or none (the journal, About ...).
  QWidget* scopeOf(const QWidget* control) const;
  In in(const QWidget* scope) const { return scope == window_ ? In::Window : In::Dialog; }
  void watch(QWidget* scope);  // connects to the controls' signals
  void fieldEntered(QWidget* field);
  void fieldLeft(QWidget* field);
  void choice(QWidget* control, const QString& text);
  void pressing(QAbstractButton* button);
  void pressed(QAbstractButton* button);
  // A step of the main window: when the window's own timers worked since
  // the last one (a soak test, the continuous reading), that time as a wait.
  void beforeStep(bool timersWorked);
  bool timersActive() const;
  QHash<QWidget*, QString> editableTexts(QWidget* scope) const;
  std::string nameOf(QWidget* scope, QWidget* control, bool button) const;

  QWidget* window_;
  lk40::core::ScriptRecording recording_text_;
  bool recording_ = false;
  QElapsedTimer sinceStep_;
  QPointer<QWidget> field_;  // the field being typed into
  QString fieldText_;        // its text when it was entered
  std::vector<std::string> boxes_;  // since the last press
  QHash<QWidget*, QString> beforePress_;  // the main window's editable fields when its press began
  QHash<QWidget*, QString> dialogBefore_;  // the dialog's, when its press began
  bool timersBeforePress_ = false;
  bool ownWindow_ = false;  // the press showed a window that is not modal
  QString unscriptableTitle_;  // of a window the press opened that no script drives
  QElapsedTimer display_;                 // since the weight display opened
  qint64 displayMs_ = -1;
};

// "Записывать сценарий" and "Сохранить сценарий…" of the journal window, on
// the recorder of the window the journal belongs to.
void wireScriptRecording(QWidget* journalWindow, QWidget* mainWindow);
