// The simulated driver's own settings dialog, opened through ShowProperties
// in a process with a QApplication, worked by finding its widgets by name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <fstream>
#include <functional>
#include <sstream>

#include "automation/driver.h"
#include "automation/factory.h"
#include "temp_folder.h"

namespace {

using lk40::automation::Driver;
using lk40::automation::Variant;

std::string driverDir() {
  const char* dir = std::getenv("LK40_TEST_DRIVER_DIR");
  return dir != nullptr ? dir : LK40_SIM_DRIVER_DIR;
}

// Runs work on the modal dialog once it is up, from inside its event loop.
void whenDialogShows(std::function<void(QWidget&)> work) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, work, tries = 0]() mutable {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr && ++tries < 3000) return;
    timer->stop();
    timer->deleteLater();
    if (dialog != nullptr) work(*dialog);
  });
  timer->start(10);
}

class SimDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }

  std::string storedFile() const {
    std::ifstream in(home.path() / "lk40-drvtest" / "sim-driver.ini");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  lk40::test::TempFolder home;
  lk40::test::ScopedEnv config{"XDG_CONFIG_HOME", home.path().string()};
  lk40::test::ScopedEnv path{"LK40_DRIVER_PATH", driverDir()};
  lk40::test::ScopedEnv noDelay{"LK40_SIM_NO_DELAY", "1"};
  int argc = 1;
  char name[16] = "sim_dialog_test";
  char* argv[2] = {name, nullptr};
  QApplication app{argc, argv};
};

TEST_F(SimDialog, OkStoresTheChosenSettings) {
  const Driver d(lk40::automation::createObject("AddIn.DrvTarvo"));
  bool seen = false;
  whenDialogShows([&](QWidget& dialog) {
    seen = true;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Параметры драйвера"));
    auto* port = dialog.findChild<QComboBox*>("cbComNumber");
    auto* speed = dialog.findChild<QComboBox*>("cbBaudRate");
    auto* timeout = dialog.findChild<QSpinBox*>("sbTimeout");
    auto* password = dialog.findChild<QSpinBox*>("sbPassword");
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    if (!port || !speed || !timeout || !password || !buttons) {
      ADD_FAILURE() << "a widget is missing";
      dialog.close();
      return;
    }
    EXPECT_EQ(port->count(), 32);
    EXPECT_EQ(port->currentText(), "Com1");
    EXPECT_EQ(speed->currentText(), "9600");
    EXPECT_EQ(timeout->value(), 150);
    EXPECT_EQ(password->value(), 30);
    port->setCurrentIndex(4);
    speed->setCurrentIndex(6);
    timeout->setValue(400);
    password->setValue(77);
    buttons->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(d.callInt("ShowProperties"), 0);
  ASSERT_TRUE(seen) << "no dialog came up";
  EXPECT_EQ(d.getInt("ComNumber"), 5);
  EXPECT_EQ(d.getInt("BaudRate"), 6);
  EXPECT_EQ(d.getInt("Timeout"), 400);
  EXPECT_EQ(d.getInt("Password"), 77);
  const std::string stored = storedFile();
  EXPECT_NE(stored.find("ComNumber=5"), std::string::npos) << stored;
  EXPECT_NE(stored.find("Password=77"), std::string::npos) << stored;
}

TEST_F(SimDialog, CancelChangesNothing) {
  const Driver d(lk40::automation::createObject("AddIn.DrvTarvo"));
  d.put("Timeout", Variant(int32_t{275}));
  whenDialogShows([](QWidget& dialog) {
    auto* timeout = dialog.findChild<QSpinBox*>("sbTimeout");
    if (timeout != nullptr) {
      EXPECT_EQ(timeout->value(), 275) << "the dialog starts from the properties";
      timeout->setValue(999);
    }
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    if (buttons != nullptr) buttons->button(QDialogButtonBox::Cancel)->click();
    else dialog.close();
  });
  EXPECT_EQ(d.callInt("ShowProperties"), 0);
  EXPECT_EQ(d.getInt("Timeout"), 275);
  EXPECT_EQ(storedFile(), "");
}

TEST_F(SimDialog, FaultsChosenInTheDialogTakeEffectAndAreStored) {
  const Driver d(lk40::automation::createObject("AddIn.DrvTarvo"));
  whenDialogShows([](QWidget& dialog) {
    auto* unplugged = dialog.findChild<QCheckBox*>("chkUnplugged");
    auto* from = dialog.findChild<QSpinBox*>("sbUnplugFrom");
    auto* count = dialog.findChild<QSpinBox*>("sbUnplugCount");
    auto* charging = dialog.findChild<QCheckBox*>("chkCharging");
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    if (!unplugged || !from || !count || !charging || !buttons) {
      ADD_FAILURE() << "a widget is missing";
      dialog.close();
      return;
    }
    EXPECT_FALSE(unplugged->isChecked());
    unplugged->setChecked(true);
    from->setValue(2);
    count->setValue(1);
    charging->setChecked(true);
    buttons->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(d.callInt("ShowProperties"), 0);
  EXPECT_EQ(d.callInt("Connect"), 0);
  EXPECT_EQ(d.callInt("GetVoltage"), 1) << "exchange 2 goes unanswered";
  EXPECT_EQ(d.callInt("GetVoltage"), 0);
  EXPECT_EQ(d.getInt("VoltageFlags"), 1);
  const std::string stored = storedFile();
  EXPECT_NE(stored.find("[Unplugged]\nFrom=2\nTo=2\n"), std::string::npos) << stored;
  EXPECT_NE(stored.find("[Supply]\nState=charging\n"), std::string::npos) << stored;
}

TEST_F(SimDialog, APlanFromAScenarioSurvivesTheDialogUnchanged) {
  // In the form the driver writes plans, so that the stored file can be compared.
  const std::string plan =
      "[Unplugged]\nFrom=100\nTo=110\n[Unplugged]\nFrom=200\n[Slow]\nDelayMs=30\nTo=50\n"
      "[Flaky]\nLossPercent=12.25\nBadCheckPercent=5\n[ModuleError]\nCommand=0x99\nCode=9\n"
      "[Weighing]\nState=overload, underload\nFrom=3\n[Load]\nProfile=ramp\nWeights=0; 12.5; 0\nLength=40\n"
      "[Supply]\nState=charging, discharged70\n[Exception]\nMember=Weight\nText=Сбой\n";
  const auto scenario = home.path() / "scenario.ini";
  std::ofstream(scenario) << plan;
  lk40::test::ScopedEnv file("LK40_SIM_SCENARIO", scenario.string());
  const Driver d(lk40::automation::createObject("AddIn.DrvTarvo"));
  whenDialogShows([](QWidget& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    if (buttons != nullptr) buttons->button(QDialogButtonBox::Ok)->click();
    else dialog.close();
  });
  EXPECT_EQ(d.callInt("ShowProperties"), 0);
  const std::string stored = storedFile();
  EXPECT_EQ(stored.substr(stored.find("PortNumber=0\n") + 13), plan);
}

}  // namespace
