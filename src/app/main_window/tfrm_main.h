// The main window: the frame around the seven pages (pages/<page>/, made in
// main_window/page_list.cpp): start-up and close, the page control and its
// rules, the command frame, the status panel, the password and Timer. The
// pages reach it only through PageHost (pages/page_host.h).
// main_window/lifecycle.cpp holds start-up, page rules, close and the frame;
// presentation.cpp ShowCommandResult; saved_inputs.cpp the defaults and the
// inputs kept between runs.
#pragma once

#include <QSize>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "automation/driver.h"
#include "core/every_nth_tick.h"
#include "core/journal_recorder.h"
#include "main_window/main_ui.h"
#include "pages/page_host.h"
#include "platform/regional_formats.h"
#include "widgets/error_box.h"

class Page;
class QAbstractButton;
class QLineEdit;

struct TfrmMainOptions {
  // The command line after Qt has taken its own arguments, without the program.
  QStringList arguments;
  lk40::platform::RegionalFormats formats = lk40::platform::RegionalFormats::fromUserLocale();
  // The screen the window is placed on; empty: the primary screen.
  std::optional<QSize> screenSize;
  // The settings store file; empty: the per-user store.
  std::string settingsFile;
  // False: the operator's saved inputs are neither restored at start nor
  // saved at close (a scripted run starts from the defaults every time).
  bool savedInputs = true;
  // Shows a message box with the error icon; empty: the standard box.
  ErrorBox showError;
  // The same with details ("Драйвер не установлен" and why); empty: the
  // standard box, or showError without the details when that is given.
  DetailedErrorBox showDetailedError;
  // Why the twin of the other bitness, which should have taken the run,
  // could not be started (runTwinIfDriverIsTheirs); empty when it was not tried.
  std::string twinError;
};

class TfrmMain : public QWidget, private PageHost {
  Q_OBJECT

 public:
  explicit TfrmMain(TfrmMainOptions options = {}, QWidget* parent = nullptr);
  ~TfrmMain() override;  // FormDestroy

  // False when start-up ended because no driver could be created: the
  // application then ends without showing or closing the window.
  bool started() const { return started_; }
  // Why no driver could be created, one fact a line; empty once started.
  const QString& driverFailure() const { return driverFailure_; }

  const MainUi& controls() const { return ui; }
  // The logging mode the command line asked for.
  const Logging& logging() const { return logging_; }
  const QString& baseCaption() const { return baseCaption_; }
  // Every driver call of this window and the windows it opens.
  const lk40::core::JournalRecorder& journal() const { return *journal_; }

  // Presents the outcome of the last driver call for a command code; public so
  // that codes no button sends can be exercised too.
  void ShowCommandResult(int code) override;

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- lifecycle (lifecycle.cpp)
  void FormCreate();
  void driverNotCreated(const std::exception& error);  // driver_failure.cpp
  void readCommandLine();
  void startupConnection();
  bool PageControlChanging() const;
  void PageControlChange();
  void FormClose();
  void btnExitClick();
  // The PageID of the page shown: every page rule asks this.
  int shownPage() const;
  void wireHandlers();
  Page* page(int id) const;

  // --- command frame and guard
  void EnableControls(bool flag);

  // --- what the pages are given (PageHost)
  void inFrame(const Handler& inside) override;
  void runFramed(const Handler& writeInputs, const char* method, int code, const Handler& late = {},
                 const Handler& afterFrame = {}) override;
  void present(int code, Handler presenter) override;
  void guard(const Handler& handler) override;
  void handle(const QAbstractButton* button, const Handler& handler) override;
  void writePassword() override;
  void timerWanted(const Page& page) override;
  void readConnectionBack(ConnectionReadBack what) override;



  // --- saved inputs (saved_inputs.cpp)
  void applyAllDefaults();  // every page from the last to the first
  void edtDefaultClick();
  void loadSettings();
  void saveSettings();
  void btnSettingsClick();

  // --- "О программе" (about_button.cpp)
  void btnAboutClick();

  // --- "Журнал" and the operations the journal files calls under (journal_button.cpp)
  void btnJournalClick();
  [[nodiscard]] lk40::core::JournalRecorder::Operation journalled(std::string_view caption, bool poll);
  // A button's caption without its '&', or its accessible name when it shows none.
  [[nodiscard]] lk40::core::JournalRecorder::Operation journalled(const QAbstractButton* button);

  MainUi ui;
  TfrmMainOptions options_;
  lk40::automation::Driver Driver;
  std::shared_ptr<lk40::core::JournalRecorder> journal_ = std::make_shared<lk40::core::JournalRecorder>();
  QWidget* journalWindow_ = nullptr;  // the TfrmJournal, made on the first press, a child of this window
  bool started_ = false;
  QString driverFailure_;
  // The page the page rules last saw shown: a change is asked against it.
  QWidget* ruledPage_ = nullptr;
  QString baseCaption_;
  Logging logging_;
  uint32_t callStartTime_ = 0;
  // What each command code shows after a successful call, filled by the pages.
  std::map<int, std::vector<Handler>> presenters_;
  std::vector<Page*> pages_;  // in their order on the page control
};
