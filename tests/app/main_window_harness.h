// Builds a real TfrmMain over the recording driver with a private settings
// file, records the message boxes it shows, and finds controls by name.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "main_window/tfrm_main.h"
#include "platform/regional_formats.h"
#include "support/recording_driver.h"

struct ShownBox {
  QString text;
  QString caption;
};

// Calls back on every paint of the widgets it watches (installed as their event filter).
class PaintSpy : public QObject {
 public:
  explicit PaintSpy(std::function<void(QWidget*)> onPaint) : onPaint_(std::move(onPaint)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) onPaint_(static_cast<QWidget*>(watched));
    return false;
  }

 private:
  std::function<void(QWidget*)> onPaint_;
};

class MainWindowHarness {
 public:
  MainWindowHarness();
  // Over the driver that createObject finds by its ProgID on disk (the
  // simulated module in LK40_DRIVER_PATH): no recording driver, driver stays null.
  struct DriverOnDisk {};
  explicit MainWindowHarness(DriverOnDisk);
  ~MainWindowHarness();

  // The driver is installed at construction; script it before start().
  std::shared_ptr<lk40::testing::RecordingDriver> driver;
  std::vector<ShownBox> boxes;
  QStringList arguments;
  lk40::platform::RegionalFormats formats = lk40::platform::RegionalFormats::russian();
  QSize screen{1280, 1024};
  bool savedInputs = true;
  // Runs when a box is shown (after it was recorded): tests close dialogs here.
  std::function<void(const ShownBox&)> onBox;

  TfrmMain& start();
  // Closes the window as the operator would, running FormClose.
  void close();
  // Closes and builds a new window over the same settings file.
  TfrmMain& restart();
  TfrmMain& form() { return *form_; }
  QString settingsFile() const;

  template <class T>
  T* find(const char* name) const {
    T* control = form_->findChild<T*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
  }
  QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
  QString text(const char* name) const;  // edit, label, button, memo
  void click(const char* button);
  // Clicks a button and gives the driver's writes and calls it caused, in order.
  std::vector<std::string> clickAndRecord(const char* button);
  void showPage(int index);  // as the operator clicks the tab

 private:
  QTemporaryDir dir_;
  std::unique_ptr<TfrmMain> form_;
};

namespace QTest {
// Readable failure output for traces of driver events.
template <>
inline char* toString(const std::vector<std::string>& lines) {
  QByteArray text = "{";
  for (const std::string& line : lines) text += "\n    " + QByteArray::fromStdString(line);
  return qstrdup(text + "}");
}
}  // namespace QTest

// A Variant-free way to name colours in assertions.
bool isBlue(const QWidget* control);
bool isNormalColour(const QWidget* control);
