// The main window: seven pages of driver operations, the status panel, the
// password field and the timer. Its implementation is split by concern:
// main_window/lifecycle.cpp (start-up, page rules, close, command frame,
// guard), presentation*.cpp (ShowCommandResult and its presenters), fields.cpp
// (numeric fields), saved_inputs.cpp (defaults, restore, save), and one
// pages/*.cpp per page, which also wires that page's buttons.
#pragma once

#include <QSize>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "automation/driver.h"
#include "core/every_nth_tick.h"
#include "core/journal_recorder.h"
#include "main_window/main_ui.h"
#include "platform/regional_formats.h"
#include "widgets/error_box.h"

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

class TfrmMain : public QWidget {
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
  const QString& loggingFile() const { return loggingFile_; }
  int loggingPeriod() const { return loggingPeriod_; }
  int loggingStep() const { return loggingStep_; }
  const QString& baseCaption() const { return baseCaption_; }
  // Every driver call of this window and the windows it opens.
  const lk40::core::JournalRecorder& journal() const { return *journal_; }

  // Presents the outcome of the last driver call for a command code; public so
  // that codes no button sends can be exercised too.
  void ShowCommandResult(int code);

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- lifecycle (lifecycle.cpp)
  void FormCreate();
  void placeWindow();
  void driverNotCreated(const std::exception& error);  // driver_failure.cpp
  void readCommandLine();
  void startupConnection();
  bool PageControlChanging() const;
  void PageControlChange();
  void pageChanged(int index);  // refuses a change already made, or runs PageControlChange
  void FormClose();
  void btnExitClick();
  int shownPageId() const;
  void wireHandlers();
  void onClick(QWidget* button, void (TfrmMain::*handler)());

  // --- command frame and guard
  void EnableControls(bool flag);
  // EnableControls(false), inside, EnableControls(true) however inside ends.
  void inFrame(const std::function<void()>& inside);
  // One framed page operation: writeInputs (step 1), EnableControls(false),
  // in a protected block late writes and the call of method, EnableControls(true)
  // always, then (only without an error) afterFrame and ShowCommandResult(code).
  void runFramed(const std::function<void()>& writeInputs, const char* method, int code,
                 const std::function<void()>& late = {}, const std::function<void()>& afterFrame = {});
  // Runs a handler; an error ends it and is shown in the framework-style box.
  void guard(const std::function<void()>& handler);
  void showErrorBox(const QString& text, const QString& caption);
  void showExceptionBox(const QString& text);
  void writePassword();
  int32_t intField(const QLineEdit* field) const;
  double decimalField(const QLineEdit* field) const;

  // --- presentation (presentation*.cpp)
  void paint(QWidget* control);  // the highlight colour, before a value is written
  void appendLine(class QPlainTextEdit* memo, const std::string& utf8);
  QString driverText(const char* name) const;
  void presentDeviceMetrics();    // 0xFC
  void presentMode();             // 0x12
  void presentExchangeParams();   // 0x15
  void presentDeviceCrc();        // 0xF2
  void presentChannelStatus();    // 0x3A
  void presentChannelStatusEx();  // 0x11
  void presentVoltage();          // 0xF3
  void presentChannelOn();        // CheckBox5 from ChannelON, not coloured
  void presentFixedPoint();       // 0x71
  void presentCalibrationStatus();  // 0x73
  void presentAdcValue();         // 0x75
  void presentChannelsCount();    // 0xE5
  void presentChannelParam();     // 0xE8
  void presentActiveChannel();    // 0xEA
  void presentTestRecord();       // 0xF1

  // --- numeric fields (fields.cpp)
  void installFieldGuards();
  bool AKeyPressInteger(QLineEdit* field, QChar key);
  void AExitInteger(QLineEdit* field);
  bool Edit1KeyPress(QLineEdit* field, QChar key);
  void Edit1Exit(QLineEdit* field);
  void Edit12Exit(QLineEdit* field);
  void Edit2Exit(QLineEdit* field);  // the calibration weight, in general form
  bool withinTypingLimit(const QLineEdit* field) const;

  // --- saved inputs (saved_inputs.cpp)
  void applyDefaults(int pageId);
  void applyAllDefaults();  // every page from the last to the first
  void edtDefaultClick();
  void loadSettings();
  void saveSettings();
  void btnSettingsClick();

  // --- "Начало" (pages/connection.cpp)
  void wireConnectionPage();
  void Button15Click();
  void Button68Click();
  void btnGetChangeParamClick();
  void btnSetChangeParamClick();
  void Button36Click();
  void Button1Click();
  void Button2Click();
  void Button21Click();
  void Button37Click();

  // --- "Вес" (pages/weighing.cpp)
  void wireWeighingPage();
  void Button23Click();
  void Button24Click();
  void Button25Click();
  void Button18Click();
  void Button34Click();
  void Button35Click();
  void Button20Click();

  // --- "Настройки" (pages/settings.cpp)
  void wireSettingsPage();
  void Button19Click();
  void Button67Click();
  void Button16Click();
  void Button14Click();

  // --- "Градуировка" and the continuous ADC reading (pages/calibration.cpp)
  void wireCalibrationPage();
  void adcTick();  // the ADC branch of TimerTimer
  void Button26Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button9Click();
  void Button11Click();
  void Button22Click();
  void SpeedButton1Click();
  // The toggle, the timer and "Показания АЦП" as the reading flag says.
  void showAdcReading();
  void LogAdcLine();

  // --- "Весовые каналы" (pages/channels.cpp)
  void wireChannelsPage();
  void Button27Click();
  void Button33Click();
  void Button28Click();
  void Button29Click();
  void Button30Click();
  void Button31Click();
  void Button32Click();

  // --- "ЛУ" (pages/logical_devices.cpp)
  void wireLogicalDevicesPage();
  void Button6Click();  // rebuild of the logical-device list
  void Button72Click();
  void Button71Click();
  void Button7Click();
  void Button69Click();
  void Button70Click();
  void Button10Click();
  void Button8Click();
  void ListView1SelectItem(class QTreeWidgetItem* row);
  void readLdNumber(const char* method, const char* property, QLineEdit* field);
  void writeLdSettings();  // LDName, LDComNumber, LDBaudrate, LDTimeout
  // LDName, LDNumber into "Номер ЛУ" when withNumber, LDComNumber, LDBaudrate, LDTimeout.
  void showLdSettings(bool withNumber);

  // --- "Тест" and the soak test (pages/test.cpp)
  void wireTestPage();
  void testTick();  // the test branch of TimerTimer
  void Button17Click();  // soak test start and stop
  void Button12Click();
  void Button13Click();
  void StartTestLog();
  void FinishTestLog();
  void WriteTestLog(std::string_view bytes);
  // Counts the block in the grid, and logs it when it has its values.
  void logTestBlock();
  // "Конец:" and "Прошло:" at one moment of the test's clock.
  void showTestTimes();
  // The grid, the information block's values and the status fields change on
  // every tick of a test; while one runs they are painted at a steady rate
  // instead, each only when what it shows has changed.
  QList<QWidget*> testDisplay() const;
  void holdTestDisplay(bool hold);
  void paintTestDisplay();

  // --- "График АЦП" (adc_chart_button.cpp)
  void btnAdcChartClick();
  // One tick of the continuous reading for the chart, once it is made.
  void chartAdcTick(std::optional<int32_t> adcValue);

  // --- "О программе" (about_button.cpp)
  void btnAboutClick();

  // --- "Журнал" and the operations the journal files calls under (journal_button.cpp)
  void btnJournalClick();
  [[nodiscard]] lk40::core::JournalRecorder::Operation journalled(std::string_view caption, bool poll);
  // A button's caption without its '&', or its accessible name when it shows none.
  [[nodiscard]] lk40::core::JournalRecorder::Operation journalled(const QAbstractButton* button);

  // --- the main window's Timer: the soak test on the test page, the ADC reading elsewhere
  void TimerTimer();  // timer.cpp

  MainUi ui;
  TfrmMainOptions options_;
  lk40::automation::Driver Driver;
  std::shared_ptr<lk40::core::JournalRecorder> journal_ = std::make_shared<lk40::core::JournalRecorder>();
  QWidget* journalWindow_ = nullptr;  // the TfrmJournal, made on the first press, a child of this window
  class TfrmAdcChart* adcChart_ = nullptr;  // made on the first press of "График АЦП", a child of this window
  bool started_ = false;
  QString driverFailure_;
  // The page the page rules last saw shown: a change is asked against it.
  int shownIndex_ = 0;
  QString baseCaption_;
  QString loggingFile_;
  int loggingPeriod_ = 0;
  int loggingStep_ = 0;
  uint32_t callStartTime_ = 0;

  // continuous ADC reading ("Градуировка")
  lk40::core::EveryNthTick adcLogTicks_;
  bool adcReading_ = false;

  // soak test ("Тест"): the log, the counters and whether the last 0xF1
  // presentation filled every value row (pages/test.cpp)
  struct SoakTestState;
  std::shared_ptr<SoakTestState> soak_;
};
