#include "script_run/script_runner.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "script_run/control_lookup.h"
#include "widgets/keyboard_path.h"
#include "widgets/radio_group.h"

using lk40::core::Aspect;
using lk40::core::Outcome;
using lk40::core::RunStep;
using lk40::core::Step;
using lk40::core::StepKind;
using lk40::core::StepResult;

namespace {

// The windows a script drives after the press that opens them; any other
// modal window is closed at once and fails its step.
const QString kDrivenWindows[] = {QStringLiteral("frmSetChannelParam")};

bool driven(const QWidget* window) {
  return std::find(std::begin(kDrivenWindows), std::end(kDrivenWindows), window->objectName()) !=
         std::end(kDrivenWindows);
}

StepResult withOutcome(Outcome outcome, const QString& reason) {
  StepResult result;
  result.outcome = outcome;
  result.reason = reason.toStdString();
  return result;
}
StepResult failed(const QString& reason) { return withOutcome(Outcome::Failed, reason); }
StepResult bad(const QString& reason) { return withOutcome(Outcome::Bad, reason); }

QString name(const Step& step) { return QString::fromStdString(step.target); }

// A control that took the operator's choice and kept its own value.
StepResult unchanged(const Step& step) { return failed(QStringLiteral("«%1» не изменилось").arg(name(step))); }

// Why an operator could not reach the control now, or nothing.
QString unreachable(QWidget* window, const QWidget* w, const QString& named) {
  if (const QTabWidget* pages = scriptrun::pagesOf(window)) {
    const int page = scriptrun::pageOf(pages, w);
    if (page >= 0 && page != pages->currentIndex())
      return QStringLiteral("«%1» на странице «%2», она не показана")
          .arg(named, keyboardpath::withoutMnemonic(pages->tabText(page)));
  }
  if (!w->isVisible()) return QStringLiteral("«%1» не видно").arg(named);
  if (!w->isEnabled()) return QStringLiteral("«%1» недоступно").arg(named);
  return {};
}

void sendKey(QWidget* to, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(to, &release);
}

// Clears the field and types the text key by key, then leaves it with Tab,
// so that the field's key filter and its check on leaving both apply.
void typeInto(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::MouseFocusReason);
  // Without an active window the toolkit moves no focus: the field is told.
  const bool focused = edit->hasFocus();
  if (!focused) {
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &in);
  }
  edit->selectAll();
  sendKey(edit, Qt::Key_Delete);
  for (const QChar ch : text) sendKey(edit, ch.toUpper().unicode(), QString(ch));
  if (focused) sendKey(edit, Qt::Key_Tab);
  if (!focused || edit->hasFocus()) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
  }
}

// A modal window that a click opens runs its own event loop inside the
// click; this looks for it from that loop. A window the run drives is handed
// to `drive`; any other is closed, at once or after keepMs.
class ModalWatch {
 public:
  explicit ModalWatch(int keepMs = 0, std::function<void(QWidget*)> drive = {})
      : keepMs_(keepMs), drive_(std::move(drive)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
    poll_.start(10);
  }
  bool opened() const { return opened_; }
  bool closed() const { return opened_ && !driven_; }
  const QString& title() const { return title_; }

 private:
  void look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    // One window per click: one opened from the window it opened is another's.
    poll_.stop();
    opened_ = true;
    title_ = modal->windowTitle();
    if (drive_ && driven(modal)) {
      driven_ = true;
      drive_(modal);
    } else if (keepMs_ <= 0) {
      modal->close();
    } else {
      QTimer::singleShot(keepMs_, modal, [modal] { modal->close(); });
    }
  }

  int keepMs_;
  std::function<void(QWidget*)> drive_;
  QTimer poll_;
  bool opened_ = false;
  bool driven_ = false;
  QString title_;
};

void runEventLoopFor(uint32_t ms) {
  QEventLoop loop;
  QTimer::singleShot(std::chrono::milliseconds(ms), &loop, &QEventLoop::quit);
  loop.exec();
}

QString statusText(QWidget* window, const char* name) {
  const QWidget* field = window->findChild<QWidget*>(QLatin1String(name));
  return field ? scriptrun::shownText(field) : QString();
}

}  // namespace

ErrorBox ScriptRunner::boxSeam() {
  return [this](QWidget*, const QString& text, const QString& caption) { recordBox(text, caption); };
}

void ScriptRunner::recordBox(const QString& text, const QString& caption) {
  std::string box = lk40::core::boxText(caption.toStdString(), text.toStdString());
  (stepBoxes_ ? *stepBoxes_ : startupBoxes_).push_back(box);
  pendingBoxes_.push_back(std::move(box));
}

void ScriptRunner::run(QWidget& window, const std::vector<Step>& steps, lk40::core::RunReporter& reporter) {
  window_ = scope_ = &window;
  lk40::core::StepCursor cursor(steps);
  cursor_ = &cursor;
  report_ = &reporter;
  stopped_ = false;
  // A box that failed the run or its step is told there; no later `expect
  // box` sees it again.
  const bool startupExpected = cursor.boxExpectedHere();
  reporter.startupBoxes(startupBoxes_, startupExpected);
  if (!startupExpected) pendingBoxes_.clear();
  while (!stopped_ && cursor.step()) {
    current_ = Pending{cursor.current(), {}, {}};
    current_->clock.start();
    currentReported_ = false;
    closing_.reset();
    reporter.stepStarted(current_->at);
    std::vector<std::string> boxes;
    stepBoxes_ = &boxes;
    StepResult result = act(*current_->at.step);
    stepBoxes_ = nullptr;
    if (!currentReported_) {
      complete(result, current_->clock, boxes);
      report(current_->at, std::move(result));
      cursor.next();
    } else if (closing_) {
      // The press that opened a dialog has returned: the step that closed
      // the dialog has its outcome, the boxes of the rest of the press too.
      std::vector<std::string> closingBoxes = std::move(closing_->result.boxes);
      closingBoxes.insert(closingBoxes.end(), boxes.begin(), boxes.end());
      complete(closing_->result, closing_->clock, closingBoxes);
      report(closing_->at, std::move(closing_->result));
      cursor.next();
    }
  }
  current_.reset();
  closing_.reset();
  cursor_ = nullptr;
  report_ = nullptr;
}

StepResult ScriptRunner::runStep(QWidget& window, const Step& step) {
  window_ = scope_ = &window;
  QElapsedTimer clock;
  clock.start();
  std::vector<std::string> boxes;
  stepBoxes_ = &boxes;
  StepResult result = act(step);
  stepBoxes_ = nullptr;
  complete(result, clock, boxes);
  return result;
}

StepResult ScriptRunner::act(const Step& step) {
  if (scope_ != window_ && (step.kind == StepKind::Page || step.kind == StepKind::Display))
    return failed(QStringLiteral("открыто окно «%1»: сначала «Записать» или «Отмена»").arg(scope_->windowTitle()));
  switch (step.kind) {
    case StepKind::Page: return page(step);
    case StepKind::Set: return set(step);
    case StepKind::Press: return press(step);
    case StepKind::Expect:
    case StepKind::ExpectTime: return expect(step);
    case StepKind::ExpectBox: {
      StepResult result = lk40::core::checkExpectation(step, lk40::core::boxesText(pendingBoxes_));
      pendingBoxes_.clear();
      return result;
    }
    case StepKind::Wait: runEventLoopFor(step.ms); return {};
    case StepKind::Display: return display(step);
    case StepKind::Repeat:
    case StepKind::End: break;  // the cursor never stops on these
  }
  return {};
}

void ScriptRunner::complete(StepResult& result, const QElapsedTimer& clock, std::vector<std::string>& boxes) const {
  // What the step posted (focus changes, repaints) is done before it is reported.
  QCoreApplication::processEvents();
  result.elapsedMs = static_cast<uint32_t>(clock.elapsed());
  result.boxes = std::move(boxes);
  result.status = {statusText(window_, "edtError").toStdString(), statusText(window_, "edtSend").toStdString(),
                   statusText(window_, "edtRecieve").toStdString(), statusText(window_, "Label28").toStdString()};
}

void ScriptRunner::report(const RunStep& at, StepResult result) {
  if (!result.boxes.empty() && result.outcome == Outcome::Done && !cursor_->boxExpectedNext()) {
    result.outcome = Outcome::Failed;
    result.reason = "окно, которого сценарий не ждёт: за шагом нет expect box";
    pendingBoxes_.resize(pendingBoxes_.size() - std::min(pendingBoxes_.size(), result.boxes.size()));
  }
  if (countCalls_) report_->countCalls(countCalls_);
  report_->stepDone(at, result);
  if (result.outcome == Outcome::Bad) stopped_ = true;
}

void ScriptRunner::drive(QWidget* dialog) {
  // The press that opened the dialog is done: the steps after it act on it.
  std::vector<std::string>* const pressBoxes = stepBoxes_;
  std::vector<std::string> opened = std::move(*pressBoxes);
  pressBoxes->clear();
  StepResult pressed;
  complete(pressed, current_->clock, opened);
  report(current_->at, std::move(pressed));
  currentReported_ = true;
  cursor_->next();
  scope_ = dialog;
  while (!stopped_ && cursor_->step() && dialog->isVisible()) {
    Pending step{cursor_->current(), {}, {}};
    step.clock.start();
    report_->stepStarted(step.at);
    std::vector<std::string> boxes;
    stepBoxes_ = &boxes;
    step.result = act(*step.at.step);
    stepBoxes_ = pressBoxes;
    if (!dialog->isVisible() && step.result.outcome != Outcome::Bad) {
      step.result.boxes = std::move(boxes);
      closing_ = std::move(step);
      break;
    }
    complete(step.result, step.clock, boxes);
    report(step.at, std::move(step.result));
    cursor_->next();
  }
  scope_ = window_;
  if (dialog->isVisible()) {
    // The script ended, or stopped, with the dialog open: cancelled, as its
    // close box would.
    report_->write("  окно «" + dialog->windowTitle().toStdString() + "» осталось открытым: закрыто без записи\n");
    dialog->close();
  }
}

StepResult ScriptRunner::page(const Step& step) {
  QTabWidget* pages = scriptrun::pagesOf(scope_);
  const int index = pages ? scriptrun::findPage(pages, name(step)) : -1;
  if (index < 0) return bad(QStringLiteral("нет страницы «%1»").arg(name(step)));
  if (!pages->isTabVisible(index)) return failed(QStringLiteral("страница «%1» скрыта").arg(name(step)));
  pages->setCurrentIndex(index);
  // The page rules refuse to leave a running soak test.
  if (pages->currentIndex() != index) return failed(QStringLiteral("страница не сменилась"));
  return {};
}

StepResult ScriptRunner::set(const Step& step) {
  const scriptrun::Found found = scriptrun::findControl(scope_, scriptrun::Role::Field, name(step));
  if (!found.control) return bad(found.problem);
  QWidget* w = found.control;
  if (const QString why = unreachable(scope_, w, name(step)); !why.isEmpty()) return failed(why);
  const QString text = QString::fromStdString(step.text);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    if (edit->isReadOnly()) return failed(QStringLiteral("«%1» только для чтения").arg(name(step)));
    typeInto(edit, text);
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    const int item = combo->findText(text, Qt::MatchExactly);
    if (item < 0) return failed(QStringLiteral("в списке «%1» нет «%2»").arg(name(step), text));
    combo->setCurrentIndex(item);
    if (combo->currentIndex() != item) return unchanged(step);
  } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
    const auto checked = lk40::core::checkBoxValue(step.text);
    if (!checked) return failed(QStringLiteral("флажок «%1» ставится словом «да» или «нет»").arg(name(step)));
    if (box->isChecked() != *checked) box->click();
    if (box->isChecked() != *checked) return unchanged(step);
  } else if (auto* group = qobject_cast<RadioGroup*>(w)) {
    const int item = static_cast<int>(group->items().indexOf(text));
    if (item < 0) return failed(QStringLiteral("в группе «%1» нет «%2»").arg(name(step), text));
    // The window's own output groups lock their items: only a result chooses one.
    if (!group->button(item)->isEnabled())
      return failed(QStringLiteral("в группе «%1» пункт «%2» заблокирован").arg(name(step), text));
    group->button(item)->click();
    if (group->itemIndex() != item) return unchanged(step);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
    if (memo->isReadOnly()) return failed(QStringLiteral("«%1» только для чтения").arg(name(step)));
    memo->setPlainText(text);
  } else {
    return failed(QStringLiteral("«%1» только показывает, в него не вводят").arg(name(step)));
  }
  return {};
}

StepResult ScriptRunner::press(const Step& step) {
  const scriptrun::Found found = scriptrun::findControl(scope_, scriptrun::Role::Button, name(step));
  if (!found.control) return bad(found.problem);
  if (const QString why = unreachable(scope_, found.control, name(step)); !why.isEmpty()) return failed(why);
  // Only a run drives a dialog, and only one opened from the main window.
  std::function<void(QWidget*)> drive;
  if (cursor_ && current_ && scope_ == window_) drive = [this](QWidget* dialog) { this->drive(dialog); };
  const ModalWatch watch(0, std::move(drive));
  static_cast<QAbstractButton*>(found.control)->click();
  if (watch.closed())
    return failed(QStringLiteral("открылось окно «%1», сценарий его не ведёт: оно закрыто").arg(watch.title()));
  return {};
}

StepResult ScriptRunner::expect(const Step& step) {
  if (step.kind == StepKind::ExpectTime)
    return lk40::core::checkExpectation(step, statusText(window_, "Label28").toStdString());
  if (step.aspect == Aspect::WindowCaption)
    return lk40::core::checkExpectation(step, scope_->windowTitle().toStdString());
  const scriptrun::Role role =
      step.aspect == Aspect::Caption || step.aspect == Aspect::Enabled ? scriptrun::Role::Control : scriptrun::Role::Field;
  scriptrun::Found found = scriptrun::findControl(scope_, role, name(step));
  // Over a dialog the status panel behind it can still be read.
  if (!found.control && scope_ != window_) {
    const scriptrun::Found behind = scriptrun::findControl(window_, role, name(step));
    if (behind.control) found = behind;
  }
  if (!found.control) return bad(found.problem);
  QString seen;
  switch (step.aspect) {
    case Aspect::Caption: seen = scriptrun::ownCaption(found.control); break;
    case Aspect::Enabled: seen = QString::fromUtf8(lk40::core::yesNo(found.control->isEnabled()).data()); break;
    case Aspect::Bulb: {
      const auto* list = qobject_cast<const QAbstractItemView*>(found.control);
      if (!list) return bad(QStringLiteral("«%1» не список").arg(name(step)));
      seen = scriptrun::markedRow(list);
      break;
    }
    default:
      if (step.row >= 0) {
        const auto* view = qobject_cast<const QAbstractItemView*>(found.control);
        if (!view) return bad(QStringLiteral("«%1» не список и не таблица").arg(name(step)));
        QString problem;
        seen = scriptrun::cellText(view, step.row, step.column, problem);
        if (!problem.isEmpty()) return failed(problem);
      } else {
        seen = scriptrun::shownText(found.control);
      }
  }
  return lk40::core::checkExpectation(step, seen.toStdString());
}

StepResult ScriptRunner::display(const Step& step) {
  // The display opens from its button on "Вес", which is shown first.
  auto* button = window_->findChild<QAbstractButton*>(QStringLiteral("Button20"));
  QTabWidget* pages = scriptrun::pagesOf(window_);
  if (!button || !pages) return bad(QStringLiteral("нет кнопки окна весовых данных"));
  const int weighing = scriptrun::pageOf(pages, button);
  pages->setCurrentIndex(weighing);
  if (pages->currentIndex() != weighing) return failed(QStringLiteral("страница не сменилась"));
  if (const QString why = unreachable(window_, button, button->text()); !why.isEmpty()) return failed(why);
  {
    const ModalWatch watch(static_cast<int>(step.ms));
    button->click();
    if (!watch.opened()) return failed(QStringLiteral("окно весовых данных не открылось"));
  }
  // The bench minimises itself while the display is open.
  window_->activateWindow();
  return {};
}
