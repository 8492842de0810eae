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
#include "main_window/tfrm_main.h"
#include "myconsts.h"
#include "pages/page_id.h"
#include "platform/tick_count.h"
#include "widgets/combo_box.h"
#include "widgets/font_colour.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;

TfrmMain::TfrmMain(TfrmMainOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
  if (!options_.showError) options_.showError = standardErrorBox();
  setupMainUi(this, ui);
  installFieldGuards();
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
  placeWindow();

  try {
    Driver = lk40::automation::Driver(lk40::automation::createObject(myconsts::kProgId));
    Driver.setObserver(journal_);
  } catch (const std::exception&) {
    showErrorBox(myconsts::kDriverNotInstalled, myconsts::kCaptionAttention);
    return;
  }
  started_ = true;

  applyAllDefaults();
  if (options_.savedInputs) loadSettings();
  startupConnection();

  ui.RadioGroup2->setItemIndex(-1);
  ui.PageControl->setTabVisible(PageID::kTestPageIndex, false);
  readCommandLine();

  ui.StringGrid1->setItem(1, 0, new QTableWidgetItem(QStringLiteral("1")));
  ui.StringGrid1->setItem(0, 1, new QTableWidgetItem(myconsts::kGridValueHeader));

  baseCaption_ = windowTitle();
  adcLogTicks_.restart();
}

void TfrmMain::placeWindow() {
  QSize screen = options_.screenSize.value_or(QSize());
  if (!options_.screenSize) {
    if (const QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->size();
  }
  const QSize window = frameGeometry().size().expandedTo(size());
  const auto place = lk40::core::centredPlacement(screen.width(), screen.height(), window.width(), window.height());
  move(place.x, place.y);
}

void TfrmMain::startupConnection() {
  // A driver error here does not end start-up: the command line and the rest
  // of the window still come up, and the error is shown once they have.
  QString error;
  EnableControls(false);
  try {
    const auto operation = journalled(lk40::core::kStartupOperation, false);
    if (Driver.callInt("Connect") == 0) {
      setComboIndex(ui.ComboBox2, lk40::core::portItemIndex(Driver.getInt("ComNumber")));
      setComboIndex(ui.cbBaudRate, Driver.getInt("BaudRate"));
      ui.edtTimeOut->setText(QString::number(Driver.getInt("Timeout")));
      try {
        ui.Edit17->setText(QString::number(Driver.getInt("PortNumber")));
      } catch (const std::exception&) {
        // A driver without a port number keeps the restored text.
      }
      ui.Edit53->setText(QString::number(Driver.getInt("Password")));
      ShowCommandResult(0xFC);
    } else {
      ShowCommandResult(0);
    }
  } catch (const std::exception& e) {
    error = QString::fromStdString(e.what());
  }
  EnableControls(true);
  if (!error.isEmpty()) showExceptionBox(error);
}

void TfrmMain::readCommandLine() {
  std::vector<std::string> arguments;
  for (const QString& argument : options_.arguments) arguments.push_back(argument.toStdString());
  const lk40::core::CommandLine line = lk40::core::parseCommandLine(arguments);
  loggingFile_ = QString::fromStdString(line.loggingFile);
  loggingPeriod_ = line.loggingPeriod;
  loggingStep_ = line.loggingStep;
  if (line.loggingPeriod > 0) ui.Timer->setInterval(line.loggingPeriod);
  if (line.testPage) ui.PageControl->setTabVisible(PageID::kTestPageIndex, true);
}

int TfrmMain::shownPageId() const {
  const QWidget* page = ui.PageControl->currentWidget();
  return page ? page->property("pageId").toInt() : -1;
}

bool TfrmMain::PageControlChanging() const {
  return !(shownIndex_ == PageID::kTestPageIndex && ui.Timer->isActive());
}

void TfrmMain::pageChanged(int index) {
  // The tab bar changes its page before anyone is asked, whatever asks for it:
  // code, the accessible press of a tab. A refused change is undone before
  // the page rules see it, so a running test keeps its page and its timer.
  if (!PageControlChanging()) {
    const QSignalBlocker undo(ui.PageControl);
    ui.PageControl->setCurrentIndex(shownIndex_);
    return;
  }
  shownIndex_ = index;
  PageControlChange();
}

void TfrmMain::PageControlChange() {
  const int id = shownPageId();
  const bool passwordShown = id != PageID::LogicalDevices && id != PageID::Test;
  ui.Edit53->setVisible(passwordShown);
  ui.StaticText1->setVisible(passwordShown);
  if (id == PageID::Calibration && adcReading_) {
    // The soak test retimes the shared timer; the reading resumes at its own period.
    ui.Timer->setInterval(lk40::core::continuousReadingPeriod(loggingPeriod_));
    ui.Timer->start();
  } else {
    ui.Timer->stop();
  }
  if (id == PageID::LogicalDevices) Button6Click();
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
  if (ui.PageControl->currentIndex() == PageID::kTestPageIndex && ui.Timer->isActive())
    ui.Button17->click();
  ui.ListView1->clearSelection();
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

void TfrmMain::inFrame(const std::function<void()>& inside) {
  EnableControls(false);
  try {
    inside();
  } catch (...) {
    EnableControls(true);
    throw;
  }
  EnableControls(true);
}

void TfrmMain::runFramed(const std::function<void()>& writeInputs, const char* method, int code,
                         const std::function<void()>& late, const std::function<void()>& afterFrame) {
  if (writeInputs) writeInputs();
  inFrame([&] {
    if (late) late();
    Driver.call(method);
  });
  if (afterFrame) afterFrame();
  ShowCommandResult(code);
}

void TfrmMain::guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    showExceptionBox(QString::fromStdString(e.what()));
  } catch (...) {
    showExceptionBox(QStringLiteral("Неизвестная ошибка"));
  }
}

void TfrmMain::showErrorBox(const QString& text, const QString& caption) { options_.showError(this, text, caption); }

void TfrmMain::showExceptionBox(const QString& text) { showErrorBox(text, myconsts::kApplicationTitle); }

void TfrmMain::writePassword() { Driver.put("Password", Variant(intField(ui.Edit53))); }

int32_t TfrmMain::intField(const QLineEdit* field) const {
  return lk40::core::parseIntOr(field->text().toStdString(), 0);
}

double TfrmMain::decimalField(const QLineEdit* field) const {
  return lk40::core::parseDecimal(field->text().toStdString(), options_.formats.decimalSeparator);
}

// ---------------------------------------------------------------------------
// Wiring

void TfrmMain::onClick(QWidget* button, void (TfrmMain::*handler)()) {
  auto* clickable = qobject_cast<QAbstractButton*>(button);
  connect(clickable, &QAbstractButton::clicked, this, [this, clickable, handler] {
    guard([this, clickable, handler] {
      const auto operation = journalled(clickable);
      (this->*handler)();
    });
  });
}

void TfrmMain::wireHandlers() {
  connect(ui.PageControl, &QTabWidget::currentChanged, this,
          [this](int index) {
            guard([this, index] {
              const auto operation = journalled(ui.PageControl->tabText(index).toStdString(), false);
              pageChanged(index);
            });
          });
  ui.PageControl->tabBar()->installEventFilter(this);
  ui.PageControl->installEventFilter(this);

  onClick(ui.btnExit, &TfrmMain::btnExitClick);
  onClick(ui.edtDefault, &TfrmMain::edtDefaultClick);
  onClick(ui.btnSettings, &TfrmMain::btnSettingsClick);
  onClick(ui.btnAbout, &TfrmMain::btnAboutClick);
  onClick(ui.btnJournal, &TfrmMain::btnJournalClick);

  // Each page wires its buttons in its own file.
  wireConnectionPage();
  wireSettingsPage();
  wireWeighingPage();
  wireCalibrationPage();
  wireChannelsPage();
  wireLogicalDevicesPage();
  wireTestPage();
  connect(ui.Timer, &QTimer::timeout, this, [this] {
    guard([this] {
      const auto operation = journalled(lk40::core::kPollOperation, true);
      TimerTimer();
    });
  });
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui.PageControl->tabBar() || watched == ui.PageControl) {
    // Leaving the page is asked first, so that a refused click or key does
    // not even flick the page; other ways are undone in pageChanged.
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
