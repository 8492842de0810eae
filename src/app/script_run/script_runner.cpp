#include "script_run/script_runner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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

#include "main_window/tfrm_main.h"
#include "script_run/control_lookup.h"
#include "widgets/keyboard_path.h"
#include "widgets/radio_group.h"

using lk40::core::Outcome;
using lk40::core::Step;
using lk40::core::StepKind;
using lk40::core::StepResult;

namespace {

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

// What an expectation compares: the text a field shows.
QString fieldText(const QWidget* w) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
  if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (const auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
  if (const auto* box = qobject_cast<const QCheckBox*>(w))
    return box->isChecked() ? QStringLiteral("да") : QStringLiteral("нет");
  if (const auto* group = qobject_cast<const RadioGroup*>(w))
    return group->itemIndex() < 0 ? QString() : keyboardpath::withoutMnemonic(group->button(group->itemIndex())->text());
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w)) return memo->toPlainText();
  return {};
}

// Why an operator could not reach the control now, or nothing.
QString unreachable(const TfrmMain& window, const QWidget* w, const QString& named) {
  const QTabWidget* pages = window.controls().PageControl;
  const int page = scriptrun::pageOf(pages, w);
  if (page >= 0 && page != pages->currentIndex())
    return QStringLiteral("«%1» на странице «%2», она не показана")
        .arg(named, keyboardpath::withoutMnemonic(pages->tabText(page)));
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
// click; this looks for it from that loop and closes it: at once when the
// run cannot drive it, or after keepMs.
class ModalWatch {
 public:
  explicit ModalWatch(int keepMs = 0) : keepMs_(keepMs) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
    poll_.start(10);
  }
  bool opened() const { return opened_; }
  const QString& title() const { return title_; }

 private:
  void look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == seen_) return;
    seen_ = modal;
    opened_ = true;
    title_ = modal->windowTitle();
    if (keepMs_ <= 0)
      modal->close();
    else
      QTimer::singleShot(keepMs_, modal, [modal] { modal->close(); });
  }

  int keepMs_;
  QTimer poll_;
  QPointer<QWidget> seen_;
  bool opened_ = false;
  QString title_;
};

void runEventLoopFor(uint32_t ms) {
  QEventLoop loop;
  QTimer::singleShot(std::chrono::milliseconds(ms), &loop, &QEventLoop::quit);
  loop.exec();
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

void ScriptRunner::run(TfrmMain& window, const std::vector<Step>& steps, lk40::core::RunReporter& report) {
  // A box that failed the run or its step is told there; no later `expect
  // box` sees it again.
  const bool startupExpected = lk40::core::expectsBoxes(steps, 0);
  report.startupBoxes(startupBoxes_, startupExpected);
  if (!startupExpected) pendingBoxes_.clear();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    report.stepStarted(step);
    StepResult result = runStep(window, step);
    if (!result.boxes.empty() && result.outcome == Outcome::Done && !lk40::core::expectsBoxes(steps, i + 1)) {
      result.outcome = Outcome::Failed;
      result.reason = "окно, которого сценарий не ждёт: за шагом нет expect box";
      pendingBoxes_.resize(pendingBoxes_.size() - std::min(pendingBoxes_.size(), result.boxes.size()));
    }
    report.stepDone(step, result);
    if (result.outcome == Outcome::Bad) break;
  }
}

StepResult ScriptRunner::runStep(TfrmMain& window, const Step& step) {
  std::vector<std::string> boxes;
  stepBoxes_ = &boxes;
  QElapsedTimer clock;
  clock.start();
  StepResult result;
  switch (step.kind) {
    case StepKind::Page: result = page(window, step); break;
    case StepKind::Set: result = set(window, step); break;
    case StepKind::Press: result = press(window, step); break;
    case StepKind::Expect: result = expect(window, step); break;
    case StepKind::ExpectBox:
      result = lk40::core::checkExpectation(step, lk40::core::boxesText(pendingBoxes_));
      pendingBoxes_.clear();
      break;
    case StepKind::Wait: runEventLoopFor(step.ms); break;
    case StepKind::Display: result = display(window, step); break;
  }
  // What the step posted (focus changes, repaints) is done before it is reported.
  QCoreApplication::processEvents();
  stepBoxes_ = nullptr;
  result.elapsedMs = static_cast<uint32_t>(clock.elapsed());
  result.boxes = std::move(boxes);
  const MainUi& ui = window.controls();
  result.status = {ui.edtError->text().toStdString(), ui.edtSend->text().toStdString(),
                   ui.edtRecieve->text().toStdString(), ui.Label28->text().toStdString()};
  return result;
}

StepResult ScriptRunner::page(TfrmMain& window, const Step& step) {
  QTabWidget* pages = window.controls().PageControl;
  const int index = scriptrun::findPage(pages, name(step));
  if (index < 0) return bad(QStringLiteral("нет страницы «%1»").arg(name(step)));
  if (!pages->isTabVisible(index)) return failed(QStringLiteral("страница «%1» скрыта").arg(name(step)));
  pages->setCurrentIndex(index);
  // The page rules refuse to leave a running soak test.
  if (pages->currentIndex() != index) return failed(QStringLiteral("страница не сменилась"));
  return {};
}

StepResult ScriptRunner::set(TfrmMain& window, const Step& step) {
  const scriptrun::Found found =
      scriptrun::findControl(&window, window.controls().PageControl, scriptrun::Role::Field, name(step));
  if (!found.control) return bad(found.problem);
  QWidget* w = found.control;
  if (const QString why = unreachable(window, w, name(step)); !why.isEmpty()) return failed(why);
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
    return failed(QStringLiteral("«%1» — надпись, в неё не вводят").arg(name(step)));
  }
  return {};
}

StepResult ScriptRunner::press(TfrmMain& window, const Step& step) {
  const scriptrun::Found found =
      scriptrun::findControl(&window, window.controls().PageControl, scriptrun::Role::Button, name(step));
  if (!found.control) return bad(found.problem);
  if (const QString why = unreachable(window, found.control, name(step)); !why.isEmpty()) return failed(why);
  const ModalWatch watch;
  static_cast<QAbstractButton*>(found.control)->click();
  if (watch.opened())
    return failed(QStringLiteral("открылось окно «%1», сценарий его не ведёт: оно закрыто").arg(watch.title()));
  return {};
}

StepResult ScriptRunner::expect(TfrmMain& window, const Step& step) {
  const scriptrun::Found found =
      scriptrun::findControl(&window, window.controls().PageControl, scriptrun::Role::Field, name(step));
  if (!found.control) return bad(found.problem);
  return lk40::core::checkExpectation(step, fieldText(found.control).toStdString());
}

StepResult ScriptRunner::display(TfrmMain& window, const Step& step) {
  const MainUi& ui = window.controls();
  // The display opens from its button on "Вес", which is shown first.
  const int weighing = ui.PageControl->indexOf(ui.TabSheet3);
  ui.PageControl->setCurrentIndex(weighing);
  if (ui.PageControl->currentIndex() != weighing) return failed(QStringLiteral("страница не сменилась"));
  if (const QString why = unreachable(window, ui.Button20, ui.Button20->text()); !why.isEmpty()) return failed(why);
  {
    const ModalWatch watch(static_cast<int>(step.ms));
    ui.Button20->click();
    if (!watch.opened()) return failed(QStringLiteral("окно весовых данных не открылось"));
  }
  // The bench minimises itself while the display is open.
  window.activateWindow();
  return {};
}
