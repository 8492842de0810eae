// Start-up, page rules, closing, the command frame and the guard.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <typeinfo>

#include "automation/factory.h"
#include "core/adc_reading_period.h"
#include "core/command_line.h"
#include "core/numbers.h"
#include "core/window_placement.h"
#include "main_window/page_list.h"
#include "main_window/tfrm_main.h"
#include "myconsts.h"
#include "pages/page.h"
#include "pages/page_id.h"
#include "platform/tick_count.h"
#include "widgets/combo_box.h"
#include "widgets/numeric_fields.h"
#include "widgets/font_colour.h"
#include "widgets/guard.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;

namespace {

// Centred on the screen, or on the screen the options name.
void placeWindow(QWidget* form, const std::optional<QSize>& screenSize) {
  QSize screen = screenSize.value_or(QSize());
  if (!screenSize) {
    if (const QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->size();
  }
  const QSize window = form->frameGeometry().size().expandedTo(form->size());
  const auto place = lk40::core::centredPlacement(screen.width(), screen.height(), window.width(), window.height());
  form->move(place.x, place.y);
}

}  // namespace

namespace {

int pageIdOf(const QWidget* page) {
  const auto* made = qobject_cast<const Page*>(page);
  return made ? made->id() : -1;
}

}  // namespace

TfrmMain::TfrmMain(TfrmMainOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
  // A seam given for the boxes takes this one too, without the details.
  if (!options_.showDetailedError && options_.showError) {
    options_.showDetailedError = [show = options_.showError](QWidget* owner, const QString& text,
                                                             const QString& caption, const QString&) {
      show(owner, text, caption);
    };
  }
  if (!options_.showDetailedError) options_.showDetailedError = standardDetailedErrorBox();
  if (!options_.showError) options_.showError = standardErrorBox();
  setupMainUi(this, ui);
  const PageContext context{*this, Driver, options_.formats, options_.showError, logging_,
                            {ui.edtError, ui.edtSend, ui.edtRecieve}};
  pages_ = makePages(context, ui.PageControl);
  for (Page* made : pages_) ui.PageControl->addTab(made, made->windowTitle());
  finishMainUi(this, ui);
  numericfields::guardInteger(ui.Edit53, [this](const auto& check) { guard(check); });
  wireHandlers();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  // FormDestroy: the driver goes before the controls do, the journal's window
  // before the journal.
  Driver.reset();
  delete journalWindow_;
}

void TfrmMain::FormCreate() {
  placeWindow(this, options_.screenSize);

  try {
    Driver = lk40::automation::Driver(lk40::automation::createObject(myconsts::kProgId));
    Driver.setObserver(journal_);
  } catch (const std::exception& e) {
    driverNotCreated(e);
    return;
  }
  started_ = true;

  applyAllDefaults();
  if (options_.savedInputs) loadSettings();
  startupConnection();

  ui.PageControl->setTabVisible(ui.PageControl->indexOf(page(PageID::Test)), false);
  readCommandLine();

  for (Page* made : pages_) made->started();
  baseCaption_ = windowTitle();
}


void TfrmMain::startupConnection() {
  // A driver error here does not end start-up: it is shown once the page is
  // usable again, and the command line and the rest of the window still come up.
  guard([this] {
    inFrame([this] {
      const auto operation = journalled(lk40::core::kStartupOperation, false);
      if (Driver.callInt("Connect") != 0) {
        ShowCommandResult(0);
        return;
      }
      readConnectionBack(ConnectionReadBack::StartUp);
      ui.Edit53->setText(QString::number(Driver.getInt("Password")));
      ShowCommandResult(0xFC);
    });
  });
}

void TfrmMain::readCommandLine() {
  std::vector<std::string> arguments;
  for (const QString& argument : options_.arguments) arguments.push_back(argument.toStdString());
  const lk40::core::CommandLine line = lk40::core::parseCommandLine(arguments);
  logging_.file = QString::fromStdString(line.loggingFile);
  logging_.period = line.loggingPeriod;
  logging_.step = line.loggingStep;
  if (line.loggingPeriod > 0) ui.Timer->setInterval(line.loggingPeriod);
  if (line.testPage) ui.PageControl->setTabVisible(ui.PageControl->indexOf(page(PageID::Test)), true);
}

int TfrmMain::shownPage() const { return pageIdOf(ui.PageControl->currentWidget()); }

Page* TfrmMain::page(int id) const {
  for (Page* made : pages_)
    if (made->id() == id) return made;
  return nullptr;
}

bool TfrmMain::PageControlChanging() const {
  // A running soak test keeps its page.
  const Page* left = page(pageIdOf(ruledPage_));
  return !(left && left->keepsPage());
}

void TfrmMain::PageControlChange() {
  const int id = shownPage();
  const bool passwordShown = id != PageID::LogicalDevices && id != PageID::Test;
  ui.Edit53->setVisible(passwordShown);
  ui.StaticText1->setVisible(passwordShown);
  // The ADC reading and the soak test share Timer: the page shown has it, at
  // the period it asks for (the soak test retimes it, so the reading resumes
  // at its own), and no other page's work ticks meanwhile.
  Page* shown = page(id);
  timerWanted(*shown);
  // A page refreshes what it shows (the logical devices' list) as it comes up.
  shown->shown();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  bool closed = false;
  guard([&] {
    FormClose();
    closed = true;
  });
  if (closed)
    event->accept();
  else
    event->ignore();
}

void TfrmMain::FormClose() {
  // The last page first: a running soak test stops before the device list
  // lets go of its selection.
  for (auto made = pages_.rbegin(); made != pages_.rend(); ++made) (*made)->closing();
  if (options_.savedInputs) saveSettings();
}

void TfrmMain::btnExitClick() { close(); }

// ---------------------------------------------------------------------------
// The command frame

namespace {
// The dynamic type itself, not the nearest class with its own meta-object: a
// subclass is another kind even when it declares no Q_OBJECT.
template <class T>
bool isExactly(const QObject* object) {
  return typeid(*object) == typeid(T);
}
}  // namespace

void TfrmMain::EnableControls(bool flag) {
  // "Время выполнения" is the driver's time, not the bench's: the clock is
  // read as the first thing after the call and started as the last thing
  // before it, once the busy state is on the screen.
  const uint32_t callEndTime = flag ? lk40::platform::tickCount() : 0;
  if (flag)
    unsetCursor();
  else
    setCursor(Qt::WaitCursor);
  if (flag) {
    const uint32_t elapsed = lk40::platform::ticksBetween(callStartTime_, callEndTime);
    ui.Label28->setText(myconsts::kExecutionTime.arg(static_cast<int>(elapsed)));
  }
  const QColor normal = windowTextColour();
  if (QWidget* page = ui.PageControl->currentWidget()) {
    for (QObject* child : page->children()) {
      auto* widget = qobject_cast<QWidget*>(child);
      if (!widget) continue;
      if (isExactly<QLineEdit>(widget) || isExactly<QPlainTextEdit>(widget) || isExactly<RadioGroup>(widget) ||
          isExactly<QCheckBox>(widget) || isExactly<QComboBox>(widget)) {
        setFontColour(widget, normal);
      } else if (isExactly<QPushButton>(widget)) {
        widget->setEnabled(flag);
      } else if (isExactly<QGroupBox>(widget)) {
        for (QObject* inner : widget->children()) {
          if (isExactly<QLineEdit>(inner) || isExactly<QCheckBox>(inner) || isExactly<QComboBox>(inner))
            setFontColour(static_cast<QWidget*>(inner), normal);
        }
      }
    }
  }
  if (!flag) ui.Label28->clear();
  ui.PageControl->setEnabled(flag);
  if (!flag) {
    // The call blocks the event loop, so the busy state is painted now: what
    // changed (the page, its tabs and Label28), not the whole window. After
    // the call the event loop paints as it always does.
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    callStartTime_ = lk40::platform::tickCount();
  }
}

void TfrmMain::inFrame(const Handler& inside) {
  EnableControls(false);
  try {
    inside();
  } catch (...) {
    EnableControls(true);
    throw;
  }
  EnableControls(true);
}

void TfrmMain::runFramed(const Handler& writeInputs, const char* method, int code, const Handler& late,
                         const Handler& afterFrame) {
  if (writeInputs) writeInputs();
  inFrame([&] {
    if (late) late();
    Driver.call(method);
  });
  if (afterFrame) afterFrame();
  ShowCommandResult(code);
}

void TfrmMain::guard(const Handler& handler) { runGuarded(this, options_.showError, handler); }

void TfrmMain::handle(const QAbstractButton* button, const Handler& handler) {
  guard([&] {
    const auto operation = journalled(button);
    handler();
  });
}

void TfrmMain::timerWanted(const Page& page) {
  if (page.id() != shownPage()) return;
  if (const auto period = page.timerPeriod()) {
    ui.Timer->setInterval(*period);
    ui.Timer->start();
  } else {
    ui.Timer->stop();
  }
}

void TfrmMain::readConnectionBack(ConnectionReadBack what) {
  for (Page* made : pages_) made->connectionChanged(what);
}

void TfrmMain::writePassword() {
  Driver.put("Password", Variant(lk40::core::parseIntOr(ui.Edit53->text().toStdString(), 0)));
}

// ---------------------------------------------------------------------------
// Wiring

void TfrmMain::wireHandlers() {
  ruledPage_ = ui.PageControl->currentWidget();
  connect(ui.PageControl, &QTabWidget::currentChanged, this,
          [this](int index) {
            guard([this, index] {
              const auto operation = journalled(ui.PageControl->tabText(index).toStdString(), false);
              // The tab bar changes its page before anyone is asked, whatever
              // asks for it: code, the accessible press of a tab. A refused
              // change is undone before the page rules see it, so a running
              // test keeps its page and its timer.
              if (!PageControlChanging()) {
                const QSignalBlocker undo(ui.PageControl);
                ui.PageControl->setCurrentWidget(ruledPage_);
                return;
              }
              ruledPage_ = ui.PageControl->widget(index);
              PageControlChange();
            });
          });
  ui.PageControl->tabBar()->installEventFilter(this);
  ui.PageControl->installEventFilter(this);

  // The status panel's buttons; each page wires its own.
  const std::pair<QAbstractButton*, void (TfrmMain::*)()> buttons[] = {
      {ui.btnExit, &TfrmMain::btnExitClick},         {ui.edtDefault, &TfrmMain::edtDefaultClick},
      {ui.btnSettings, &TfrmMain::btnSettingsClick}, {ui.btnAbout, &TfrmMain::btnAboutClick},
      {ui.btnJournal, &TfrmMain::btnJournalClick}};
  for (const auto& [button, handler] : buttons)
    connect(button, &QAbstractButton::clicked, this,
            [this, button = button, handler = handler] { handle(button, [this, handler] { (this->*handler)(); }); });

  // TimerTimer: the tick goes to the page shown, the only one that may have
  // asked for the timer (the soak test on "Тест", the ADC reading on "Градуировка").
  connect(ui.Timer, &QTimer::timeout, this, [this] {
    guard([this] {
      const auto operation = journalled(lk40::core::kPollOperation, true);
      page(shownPage())->timerTick();
    });
  });
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui.PageControl->tabBar() || watched == ui.PageControl) {
    // Leaving the page is asked first, so that a refused click or key does
    // not even flick the page; other ways are undone once the page changed.
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::Wheel:
        if (!PageControlChanging()) return true;
        break;
      default:
        break;
    }
    return QWidget::eventFilter(watched, event);
  }
  return QWidget::eventFilter(watched, event);
}
