#include "script_record/script_recorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "core/run_report.h"
#include "core/run_script.h"
#include "myconsts.h"
#include "platform/whole_file.h"
#include "script_run/control_lookup.h"
#include "widgets/error_box.h"
#include "widgets/keyboard_path.h"
#include "widgets/radio_group.h"

namespace {

// The windows a script drives (as the scripted run does) and the weight
// display, which a script opens for a time of its own.
const QString kDrivenDialog = QStringLiteral("frmSetChannelParam");
const QString kDisplay = QStringLiteral("frmDisplay");

bool editable(const QWidget* w) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return !edit->isReadOnly();
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w)) return !memo->isReadOnly();
  return qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w) || qobject_cast<const RadioGroup*>(w);
}

bool typedInto(const QWidget* w) {
  return (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)) && editable(w);
}

// Qt's own parts (a tab bar's arrows) carry no name of a form.
bool formButton(const QAbstractButton* button) {
  return !button->objectName().isEmpty() && !button->objectName().startsWith(QLatin1String("qt_"));
}

std::string utf8(const QString& text) { return text.toStdString(); }

}  // namespace

ScriptRecorder* ScriptRecorder::of(QWidget* window) {
  if (auto* existing = window->findChild<ScriptRecorder*>(QString(), Qt::FindDirectChildrenOnly)) return existing;
  return new ScriptRecorder(window);
}

ScriptRecorder::ScriptRecorder(QWidget* window)
    : QObject(window),
      window_(window),
      recording_text_({"Записано lk40-drvtest " + utf8(QDateTime::currentDateTime().toString(Qt::ISODate)),
                       "Проверить: lk40-drvtest --check ФАЙЛ; выполнить: lk40-drvtest --run ФАЙЛ"}) {
  qApp->installEventFilter(this);
  watch(window_);
  sinceStep_.start();
}

void ScriptRecorder::setRecording(bool on) {
  if (on == recording_) return;
  if (!on) fieldLeft(field_);
  recording_ = on;
  field_.clear();
  boxes_.clear();
  sinceStep_.restart();
  emit recordingChanged(on);
}

std::string ScriptRecorder::text() {
  if (field_) {
    fieldLeft(field_);
    if (field_) fieldText_ = scriptrun::shownText(field_);
  }
  return recording_text_.text();
}

bool ScriptRecorder::save(const QString& path) {
  return !lk40::platform::replaceFileAtomically(std::filesystem::u8path(utf8(path)), text(),
                                               lk40::platform::FileRole::Export);
}

QWidget* ScriptRecorder::scopeOf(const QWidget* control) const {
  QWidget* top = control->window();
  if (top == window_) return window_;
  return top->objectName() == kDrivenDialog ? top : nullptr;
}

std::string ScriptRecorder::nameOf(QWidget* scope, QWidget* control, bool button) const {
  QString name = scriptrun::scriptName(scope, button ? scriptrun::Role::Button : scriptrun::Role::Field, control);
  return utf8(name.isEmpty() ? control->objectName() : name);
}

void ScriptRecorder::watch(QWidget* scope) {
  for (QTabWidget* tabs : scope->findChildren<QTabWidget*>()) {
    connect(tabs, &QTabWidget::currentChanged, this, [this, tabs](int index) {
      if (!recording_ || tabs->currentIndex() != index || !tabs->isVisible()) return;
      beforeStep(false);
      recording_text_.page(utf8(keyboardpath::withoutMnemonic(tabs->tabText(index))));
    });
  }
  for (QAbstractButton* button : scope->findChildren<QAbstractButton*>()) {
    if (qobject_cast<QRadioButton*>(button) || !formButton(button)) continue;
    if (qobject_cast<QCheckBox*>(button)) {
      connect(button, &QAbstractButton::clicked, this,
              [this, button](bool on) { choice(button, QString::fromUtf8(lk40::core::yesNo(on).data())); });
      continue;
    }
    connect(button, &QAbstractButton::pressed, this, [this, button] { pressing(button); });
    connect(button, &QAbstractButton::clicked, this, [this, button] { pressed(button); });
  }
  for (RadioGroup* group : scope->findChildren<RadioGroup*>())
    connect(group, &RadioGroup::itemClicked, this,
            [this, group](int item) { choice(group, keyboardpath::withoutMnemonic(group->button(item)->text())); });
  for (QComboBox* combo : scope->findChildren<QComboBox*>())
    connect(combo, &QComboBox::activated, this, [this, combo] { choice(combo, combo->currentText()); });
}

QHash<QWidget*, QString> ScriptRecorder::editableTexts(QWidget* scope) const {
  QHash<QWidget*, QString> texts;
  for (QWidget* w : scope->findChildren<QWidget*>())
    if (editable(w)) texts.insert(w, scriptrun::shownText(w));
  return texts;
}

void ScriptRecorder::beforeStep(bool timersWorked) {
  // A soak test or the continuous reading ran between the steps: a replay
  // gives it the same time.
  if (timersWorked) recording_text_.wait(static_cast<uint32_t>(sinceStep_.elapsed()));
  sinceStep_.restart();
}

bool ScriptRecorder::timersActive() const {
  for (const QTimer* timer : window_->findChildren<QTimer*>())
    if (!timer->objectName().isEmpty() && timer->isActive()) return true;
  return false;
}

void ScriptRecorder::fieldEntered(QWidget* field) {
  field_ = field;
  fieldText_ = scriptrun::shownText(field);
}

void ScriptRecorder::fieldLeft(QWidget* field) {
  if (!field || field != field_) return;
  QWidget* scope = scopeOf(field);
  const QString text = scriptrun::shownText(field);
  field_.clear();
  if (!recording_ || !scope || text == fieldText_) return;
  if (scope == window_) beforeStep(timersActive());
  recording_text_.set(in(scope), nameOf(scope, field, false), utf8(text));
}

void ScriptRecorder::choice(QWidget* control, const QString& text) {
  QWidget* scope = scopeOf(control);
  if (!recording_ || !scope) return;
  fieldLeft(field_);
  if (scope == window_) beforeStep(timersActive());
  recording_text_.set(in(scope), nameOf(scope, control, false), utf8(text));
}

void ScriptRecorder::pressing(QAbstractButton* button) {
  QWidget* scope = scopeOf(button);
  if (!recording_ || !scope) return;
  // A field left by a key that pressed a button is taken before the press.
  if (field_ && scopeOf(field_) == scope) {
    QPointer<QWidget> field = field_;
    fieldLeft(field);
    if (field && field->hasFocus()) fieldEntered(field);
  }
  if (scope == window_) {
    beforePress_ = editableTexts(window_);
    timersBeforePress_ = timersActive();
    unscriptableTitle_.clear();
    displayMs_ = -1;
    ownWindow_ = false;
  } else {
    dialogBefore_ = editableTexts(scope);
  }
}

void ScriptRecorder::pressed(QAbstractButton* button) {
  QWidget* scope = scopeOf(button);
  if (!recording_ || !scope) return;
  const std::string name = nameOf(scope, button, true);
  if (scope != window_) {
    recording_text_.press(In::Dialog, name);
    // What a button that keeps the dialog open computed ("расчет").
    if (scope->isVisible()) {
      const QHash<QWidget*, QString> after = editableTexts(scope);
      for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (dialogBefore_.value(it.key()) != it.value())
          recording_text_.expect(In::Dialog, nameOf(scope, it.key(), false), utf8(it.value()));
    }
    recording_text_.boxes(In::Dialog, boxes_);
    boxes_.clear();
    return;
  }
  // "Выход": the window has closed, and the recording ends with it. A press
  // that opened a window of its own beside this one ("Журнал") is no step.
  if (!window_->isVisible() || ownWindow_) return;
  beforeStep(timersBeforePress_);
  if (displayMs_ >= 0) {
    recording_text_.display(static_cast<uint32_t>(displayMs_));
    displayMs_ = -1;
  } else if (!unscriptableTitle_.isEmpty()) {
    // A field on a page not shown cannot be typed into by a replay either:
    // it is told in the comment.
    const QTabWidget* pages = scriptrun::pagesOf(window_);
    const QHash<QWidget*, QString> after = editableTexts(window_);
    std::vector<std::pair<std::string, std::string>> typed;
    std::string hidden;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
      if (beforePress_.value(it.key()) == it.value() || it.value().isEmpty()) continue;
      const std::string field = nameOf(window_, it.key(), false);
      const int page = pages ? scriptrun::pageOf(pages, it.key()) : -1;
      if (page < 0 || page == pages->currentIndex())
        typed.emplace_back(field, utf8(it.value()));
      else
        hidden += "; " + field + " = " + utf8(it.value());
    }
    recording_text_.comment(In::Window, "press " + name + ": окно «" + utf8(unscriptableTitle_) +
                                            "» сценарий не ведёт" +
                                            (hidden.empty() ? "" : ", на скрытой странице оно изменило" + hidden));
    for (const auto& [field, text] : typed) recording_text_.set(In::Window, field, text);
    unscriptableTitle_.clear();
  } else {
    recording_text_.press(In::Window, name);
    if (const auto* status = window_->findChild<QLineEdit*>(QStringLiteral("edtError")))
      recording_text_.expect(In::Window, "edtError", utf8(status->text()));
  }
  recording_text_.boxes(In::Window, boxes_);
  boxes_.clear();
}

bool ScriptRecorder::eventFilter(QObject* watched, QEvent* event) {
  if (!recording_ || !watched->isWidgetType()) return QObject::eventFilter(watched, event);
  auto* w = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::FocusIn:
      if (typedInto(w) && scopeOf(w)) fieldEntered(w);
      break;
    case QEvent::FocusOut:
      if (w == field_) fieldLeft(w);
      break;
    case QEvent::Show:
      if (!w->isWindow()) break;
      if (const auto* box = qobject_cast<const QMessageBox*>(w)) {
        boxes_.push_back(lk40::core::boxText(utf8(box->windowTitle()), utf8(box->text())));
      } else if (w->objectName() == kDrivenDialog) {
        if (!w->property("lk40Watched").toBool()) {
          w->setProperty("lk40Watched", true);
          watch(w);
        }
      } else if (w->objectName() == kDisplay) {
        display_.start();
      } else if (w->isModal() && !qobject_cast<const QFileDialog*>(w)) {
        unscriptableTitle_ = w->windowTitle();
      } else if (w->windowType() == Qt::Window && w != window_) {
        ownWindow_ = true;
      }
      break;
    case QEvent::Hide:
      if (w->isWindow() && w->objectName() == kDisplay && display_.isValid()) displayMs_ = display_.elapsed();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void wireScriptRecording(QWidget* journalWindow, QWidget* mainWindow) {
  ScriptRecorder* recorder = ScriptRecorder::of(mainWindow);
  auto* record = journalWindow->findChild<QAbstractButton*>(QStringLiteral("btnRecordScript"));
  auto* save = journalWindow->findChild<QAbstractButton*>(QStringLiteral("btnSaveScript"));
  if (!record || !save) return;
  record->setChecked(recorder->recording());
  QObject::connect(record, &QAbstractButton::toggled, recorder, &ScriptRecorder::setRecording);
  QObject::connect(recorder, &ScriptRecorder::recordingChanged, record, [record](bool on) {
    const QSignalBlocker quiet(record);
    record->setChecked(on);
  });
  QObject::connect(save, &QAbstractButton::clicked, recorder, [recorder, journalWindow] {
    QFileDialog dialog(journalWindow, QStringLiteral("Сохранить сценарий"), QString(),
                       QStringLiteral("Сценарии (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    if (!recorder->save(path))
      standardErrorBox()(journalWindow, QStringLiteral("Файл не записан: %1").arg(path), myconsts::kCaptionAttention);
  });
}
