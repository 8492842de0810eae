#include "main_window_harness.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

#include "widgets/font_colour.h"

MainWindowHarness::MainWindowHarness() : driver(lk40::testing::RecordingDriver::install()) {}

MainWindowHarness::MainWindowHarness(DriverOnDisk) {}

MainWindowHarness::~MainWindowHarness() {
  form_.reset();
  if (driver) lk40::testing::RecordingDriver::uninstall();
}

QString MainWindowHarness::settingsFile() const { return dir_.filePath(QStringLiteral("HKEY_CURRENT_USER.reg")); }

TfrmMain& MainWindowHarness::start() {
  TfrmMainOptions options;
  options.arguments = arguments;
  options.formats = formats;
  options.screenSize = screen;
  options.settingsFile = settingsFile().toStdString();
  options.savedInputs = savedInputs;
  options.showError = [this](QWidget*, const QString& text, const QString& caption) {
    boxes.push_back({text, caption});
    if (onBox) onBox(boxes.back());
  };
  form_ = std::make_unique<TfrmMain>(std::move(options));
  if (form_->started()) {
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get())) qWarning("window not active");
  }
  return *form_;
}

void MainWindowHarness::close() { form_->close(); }

TfrmMain& MainWindowHarness::restart() {
  close();
  form_.reset();
  return start();
}

QString MainWindowHarness::text(const char* name) const {
  QObject* control = form_->findChild<QObject*>(QString::fromLatin1(name));
  if (auto* e = qobject_cast<QLineEdit*>(control)) return e->text();
  if (auto* l = qobject_cast<QLabel*>(control)) return l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(control)) return b->text();
  if (auto* m = qobject_cast<QPlainTextEdit*>(control)) return m->toPlainText();
  qFatal("no text control %s", name);
  return {};
}

void MainWindowHarness::click(const char* button) {
  auto* b = find<QAbstractButton>(button);
  QTest::mouseClick(b, Qt::LeftButton);
}

std::vector<std::string> MainWindowHarness::clickAndRecord(const char* button) {
  driver->clearEvents();
  click(button);
  return driver->writesAndCalls();
}

void MainWindowHarness::showPage(int index) {
  QTabBar* bar = find<QTabWidget>("PageControl")->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

bool isBlue(const QWidget* control) { return fontColour(control) == kHighlightColour; }
bool isNormalColour(const QWidget* control) { return fontColour(control) == windowTextColour(); }
