// What a page of the main window is given of the window: the small interface
// through which it runs its operations (PageHost), and the context it is made
// with (PageContext). A page reaches nothing else of the window, and nothing
// of another page; where a rule of the system ties two pages, the window ties
// them behind this interface.
#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "automation/driver.h"
#include "core/journal_recorder.h"
#include "platform/regional_formats.h"
#include "widgets/error_box.h"

class Page;
class QAbstractButton;
class QWidget;

// The logging mode the command line asked for; in force while the period and
// the step are both above 0.
struct Logging {
  QString file;
  int period = 0;  // ms; dropped to 0 for good when the ADC reading finds no file
  int step = 0;
};

// What of the connection the driver holds goes back into "Начало"'s fields.
enum class ConnectionReadBack {
  Speed,     // the speed alone: a logical device was made active
  Settings,  // port, speed and time-out: the driver's settings dialog
  StartUp,   // port, speed, time-out and the port number where the driver has one
};

class PageHost {
 public:
  using Handler = std::function<void()>;

  // The command frame: writeInputs, EnableControls(false), in a protected
  // block late and the call of method, EnableControls(true) however that
  // ended, then (only without an error) afterFrame and ShowCommandResult(code).
  virtual void runFramed(const Handler& writeInputs, const char* method, int code, const Handler& late,
                         const Handler& afterFrame) = 0;
  // EnableControls(false), inside, EnableControls(true) however inside ends.
  virtual void inFrame(const Handler& inside) = 0;
  // The status fields, then the code's presenters when the call succeeded.
  virtual void ShowCommandResult(int code) = 0;
  // Adds what a page shows after a successful call with this code; a code's
  // presenters run in the order they were added, the pages' in page order.
  virtual void present(int code, Handler presenter) = 0;

  // A handler whose error is shown in the window's error box.
  virtual void guard(const Handler& handler) = 0;
  // A button's handler under the guard, the journal filing its calls under
  // the button's caption.
  virtual void handle(const QAbstractButton* button, const Handler& handler) = 0;

  // The password field into the driver's Password.
  virtual void writePassword() = 0;
  // The page's wish for the window's Timer (Page::timerPeriod) has changed.
  virtual void timerWanted(const Page& page) = 0;
  // "Начало"'s fields follow what the driver holds now.
  virtual void readConnectionBack(ConnectionReadBack what) = 0;

 protected:
  ~PageHost() = default;
};

// Made once by the window and handed to every page.
struct PageContext {
  PageHost& host;
  lk40::automation::Driver& driver;  // the window's: created after the pages are made
  const lk40::platform::RegionalFormats& formats;
  const ErrorBox& showError;
  Logging& logging;
  QList<QWidget*> statusFields;  // edtError, edtSend, edtRecieve
};
