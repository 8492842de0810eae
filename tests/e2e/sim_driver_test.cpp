// The simulated driver object without the plugin boundary: stored settings,
// connection, password, frames, the settings dialog hook, logical devices and
// the values its methods fill.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame_check.h"
#include "platform/code_page.h"
#include "sim_driver.h"
#include "temp_folder.h"

namespace lk40::sim {
namespace {

using test::frameProblem;
using test::parseHexDump;

void writeFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

class SimDriverTest : public ::testing::Test {
 protected:
  std::string settingsFile() const { return (folder.path() / "sim-driver.ini").string(); }

  Driver makeDriver(SettingsEditor editor = {}, int32_t simPort = 1) {
    return Driver(Environment{settingsFile(), simPort, 99}, std::move(editor));
  }

  static Bytes frameOf(const Driver& d, Prop which) {
    const auto bytes = parseHexDump(d.properties().getText(which));
    EXPECT_TRUE(bytes.has_value()) << d.properties().getText(which);
    return bytes.value_or(Bytes{});
  }

  test::TempFolder folder;
};

TEST_F(SimDriverTest, SettingsFileGivesDefaultsForWhatIsMissingOrDamaged) {
  EXPECT_EQ(loadSettings(settingsFile()), StoredSettings{});
  writeFile(settingsFile(), "; comment\n[Other]\nComNumber=9\n[Connection]\n ComNumber = 3 \r\n"
                            "BaudRate=9\nTimeout=abc\nPassword=45\nPortNumber=-1\ngarbage\n");
  const StoredSettings s = loadSettings(settingsFile());
  EXPECT_EQ(s.comNumber, 3);
  EXPECT_EQ(s.baudRate, 2);
  EXPECT_EQ(s.timeout, 150);
  EXPECT_EQ(s.password, 45);
  EXPECT_EQ(s.portNumber, 0);
}

TEST_F(SimDriverTest, SavedSettingsReadBackAndLeaveNothingAside) {
  const std::string nested = (folder.path() / "a" / "b" / "sim-driver.ini").string();
  const StoredSettings s{7, 5, 900, 1234, 12};
  ASSERT_TRUE(saveSettings(nested, s));
  EXPECT_EQ(loadSettings(nested), s);
  std::vector<std::string> beside;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "a" / "b"))
    beside.push_back(entry.path().filename().string());
  EXPECT_EQ(beside, std::vector<std::string>{"sim-driver.ini"});

  writeFile(folder.path() / "file", "x");
  EXPECT_FALSE(saveSettings((folder.path() / "file" / "sim-driver.ini").string(), s));
}

TEST_F(SimDriverTest, SettingsFileFollowsXdgConfigHome) {
  {
    test::ScopedEnv config("XDG_CONFIG_HOME", folder.path().string());
    EXPECT_EQ(defaultSettingsFile(), (folder.path() / "lk40-drvtest" / "sim-driver.ini").string());
  }
  test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/dir");
  test::ScopedEnv home("HOME", "/home/someone");
  EXPECT_EQ(defaultSettingsFile(), "/home/someone/.config/lk40-drvtest/sim-driver.ini");
}

TEST_F(SimDriverTest, ConnectUsesTheStoredSettingsUnlessAPropertyWasWrittenFirst) {
  ASSERT_TRUE(saveSettings(settingsFile(), {2, 2, 150, 30, 0}));
  Driver d = makeDriver({}, 2);
  EXPECT_EQ(d.properties().getInt(Prop::ComNumber), 2);
  ASSERT_EQ(d.call(Method::Connect), 0);
  EXPECT_TRUE(d.properties().getBool(Prop::Connected));
  EXPECT_EQ(d.properties().getText(Prop::ResultCodeDescription), "Ошибок нет");
  EXPECT_EQ(d.properties().getText(Prop::UDescription), "ЛК-40 имитатор");
  EXPECT_EQ(d.properties().getInt(Prop::UCodePage), 1251);
  EXPECT_EQ(frameProblem(frameOf(d, Prop::Input), 0xFC), "");
  EXPECT_EQ(frameProblem(frameOf(d, Prop::Output), 0xFC), "");

  d.properties().setInt(Prop::ComNumber, 1);
  EXPECT_EQ(d.call(Method::Connect), code(Result::NoConnection));
  EXPECT_FALSE(d.properties().getBool(Prop::Connected)) << "a failed Connect drops the connection";
  EXPECT_EQ(d.properties().getText(Prop::ResultCodeDescription), "Нет связи с весовым модулем");
  EXPECT_EQ(d.properties().getText(Prop::Input), "02 01 FC FD") << "sent, nobody answered";
  EXPECT_EQ(d.properties().getText(Prop::Output), "");
}

TEST_F(SimDriverTest, ConnectNeedsTheModulesSpeed) {
  Driver d = makeDriver();
  d.properties().setInt(Prop::BaudRate, 3);
  EXPECT_EQ(d.call(Method::Connect), code(Result::NoConnection));
  d.properties().setInt(Prop::BaudRate, 9);
  EXPECT_EQ(d.call(Method::Connect), code(Result::BadParameter));
  EXPECT_FALSE(d.properties().getBool(Prop::Connected));
  d.properties().setInt(Prop::BaudRate, 2);
  EXPECT_EQ(d.call(Method::Connect), 0);
  EXPECT_EQ(d.call(Method::Disconnect), 0);
  EXPECT_FALSE(d.properties().getBool(Prop::Connected));
  EXPECT_EQ(d.call(Method::GetMode), code(Result::NoConnection));
  EXPECT_EQ(d.properties().getText(Prop::Input), "");
}

TEST_F(SimDriverTest, WrongPasswordIsAnsweredByTheModule) {
  Driver d = makeDriver();
  ASSERT_EQ(d.call(Method::Connect), 0);
  d.properties().setInt(Prop::Password, 31);
  EXPECT_EQ(d.call(Method::GetVoltage), code(Result::WrongPassword));
  EXPECT_EQ(d.properties().getText(Prop::Input), "02 03 F3 1F 00 EF");
  const Bytes reply = frameOf(d, Prop::Output);
  EXPECT_EQ(frameProblem(reply, 0xF3), "");
  EXPECT_EQ(reply.size(), 5u) << "an error reply carries no data";
  EXPECT_EQ(reply[3], code(Result::WrongPassword));
  EXPECT_EQ(d.properties().getInt(Prop::Voltage5), 0) << "nothing was filled";

  d.properties().setInt(Prop::Password, 30);
  EXPECT_EQ(d.call(Method::GetVoltage), 0);
  EXPECT_NEAR(d.properties().getInt(Prop::Voltage5), 500, 25);
  EXPECT_NEAR(d.properties().getInt(Prop::Voltage12), 1200, 60);
}

TEST_F(SimDriverTest, EveryModuleRequestIsFramedWithItsCommandCode) {
  Driver d = makeDriver();
  ASSERT_EQ(d.call(Method::Connect), 0);
  const std::pair<Method, uint8_t> requests[] = {
      {Method::GetDeviceMetrics, 0xFC}, {Method::GetMode, 0x12},       {Method::GetExchangeParam, 0x15},
      {Method::GetChannelStatus, 0x3A}, {Method::GetChannelStatusEx, 0x11}, {Method::GetVoltage, 0xF3},
      {Method::GetADCValue, 0x75},      {Method::TestClr, 0xF8},       {Method::TestGet, 0xF1},
      {Method::GetChannelsCount, 0xE5}, {Method::GetActiveChannel, 0xEA}, {Method::GetChannelParam, 0xE8},
      {Method::GetDeviceCRC, 0xF2},     {Method::SetChannelMode, 0xE7}, {Method::KeyEmulation, 0x08},
      {Method::LockKeyboard, 0x09},     {Method::Reset, 0xF0},
  };
  for (const auto& [method, command] : requests) {
    SCOPED_TRACE(static_cast<int>(command));
    ASSERT_EQ(d.call(method), 0) << d.properties().getText(Prop::ResultCodeDescription);
    EXPECT_EQ(frameProblem(frameOf(d, Prop::Input), command), "");
    const Bytes reply = frameOf(d, Prop::Output);
    EXPECT_EQ(frameProblem(reply, command), "");
    ASSERT_GE(reply.size(), 5u);
    EXPECT_EQ(reply[3], 0) << "error byte";
  }
}

TEST_F(SimDriverTest, StatusReplyCarriesTheWeightThePropertiesShow) {
  Driver d = makeDriver();
  ASSERT_EQ(d.call(Method::Connect), 0);
  d.module().scale(0).placeLoad(4.321);
  for (int i = 0; i < 15; ++i) ASSERT_EQ(d.call(Method::GetChannelStatus), 0);
  const Bytes reply = frameOf(d, Prop::Output);
  ASSERT_EQ(reply.size(), 2 + 1 + 1 + 2 + 4 + 4 + 1 + 1u);
  const int32_t mode = reply[4] | reply[5] << 8;
  const auto grams = static_cast<int32_t>(reply[6] | reply[7] << 8 | reply[8] << 16 |
                                          static_cast<uint32_t>(reply[9]) << 24);
  EXPECT_EQ(mode, d.properties().getInt(Prop::WeightChannelMode));
  EXPECT_NEAR(d.properties().getDouble(Prop::Weight), 4.321, 0.0021);
  EXPECT_EQ(grams, std::lround(d.properties().getDouble(Prop::Weight) * 1000));
  EXPECT_TRUE(d.properties().getBool(Prop::ChannelON));
}

TEST_F(SimDriverTest, TestDataIsTheRecordOfTheReplyAsAnsiText) {
  Driver d = makeDriver();
  ASSERT_EQ(d.call(Method::Connect), 0);
  d.module().scale(0).placeLoad(14.0);  // large readings: bytes above 0x7F
  for (int i = 0; i < 10; ++i) d.call(Method::GetADCValue);
  ASSERT_EQ(d.call(Method::TestGet), 0);
  const Bytes reply = frameOf(d, Prop::Output);
  const Bytes record(reply.begin() + 4, reply.end() - 1);
  ASSERT_EQ(record.size(), 3u + 14 * 4);
  EXPECT_EQ(utf8ToAnsi(d.properties().getText(Prop::TestData)), record);
  EXPECT_EQ(ansiToUtf8(record), d.properties().getText(Prop::TestData));
}

// The driver's texts and the bench's reading of them go through one code page.
TEST(SimText, ConvertsAsThePlatformDoes) {
  for (const std::string text : {"\xE0\xA0" "A\xF0\x9F\x98" "B", "\xED\xA0\x80\xC0\xAF", "ЛК-40 №€\xF4\x90\x80\x80"}) {
    const std::string bytes = platform::utf8ToAnsi(text);
    EXPECT_EQ(utf8ToAnsi(text), Bytes(bytes.begin(), bytes.end())) << text;
  }
  Bytes all(256);
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<uint8_t>(i);
  EXPECT_EQ(ansiToUtf8(all), platform::ansiToUtf8(std::string(all.begin(), all.end())));
}

TEST_F(SimDriverTest, ExchangeSpeedMovesTheModule) {
  Driver d = makeDriver();
  ASSERT_EQ(d.call(Method::Connect), 0);
  d.properties().setInt(Prop::BaudRate, 4);
  d.properties().setInt(Prop::Timeout, 300);
  d.properties().setInt(Prop::PortNumber, 7);
  ASSERT_EQ(d.call(Method::SetExchangeParam), 0);
  d.properties().setInt(Prop::BaudRate, 0);
  ASSERT_EQ(d.call(Method::GetExchangeParam), 0) << "still connected at the new speed";
  EXPECT_EQ(d.properties().getInt(Prop::BaudRate), 4);
  EXPECT_EQ(d.properties().getInt(Prop::Timeout), 300);
  EXPECT_EQ(d.properties().getInt(Prop::PortNumber), 7);

  d.properties().setInt(Prop::BaudRate, 2);
  EXPECT_EQ(d.call(Method::Connect), code(Result::NoConnection));
  d.properties().setInt(Prop::BaudRate, 4);
  EXPECT_EQ(d.call(Method::Connect), 0);
  d.properties().setInt(Prop::Timeout, 0);
  EXPECT_EQ(d.call(Method::SetExchangeParam), code(Result::BadParameter));
  EXPECT_EQ(d.properties().getText(Prop::Input), "") << "refused before sending";
}

TEST_F(SimDriverTest, SettingsDialogStoresOnOkAndChangesNothingOnCancel) {
  DialogOutcome outcome = DialogOutcome::Cancelled;
  StoredSettings seen;
  Driver d = makeDriver([&](StoredSettings& s) {
    seen = s;
    if (outcome == DialogOutcome::Accepted) s = {5, 6, 400, 77, 0};
    return outcome;
  });
  d.properties().setInt(Prop::PortNumber, 9);
  EXPECT_EQ(d.call(Method::ShowProperties), 0);
  EXPECT_EQ(seen, (StoredSettings{1, 2, 150, 30, 9})) << "the dialog starts from the properties";
  EXPECT_FALSE(std::filesystem::exists(settingsFile()));
  EXPECT_EQ(d.properties().getInt(Prop::ComNumber), 1);

  outcome = DialogOutcome::Accepted;
  EXPECT_EQ(d.call(Method::ShowProperties), 0);
  EXPECT_EQ(d.properties().getInt(Prop::ComNumber), 5);
  EXPECT_EQ(d.properties().getInt(Prop::BaudRate), 6);
  EXPECT_EQ(d.properties().getInt(Prop::Timeout), 400);
  EXPECT_EQ(d.properties().getInt(Prop::Password), 77);
  EXPECT_EQ(loadSettings(settingsFile()), (StoredSettings{5, 6, 400, 77, 0}));
  EXPECT_EQ(makeDriver().properties().getInt(Prop::Password), 77) << "the next object starts from them";

  outcome = DialogOutcome::NotAvailable;
  EXPECT_EQ(d.call(Method::ShowProperties), code(Result::DialogNotAvailable));
  EXPECT_EQ(d.properties().getText(Prop::ResultCodeDescription), "Диалог настроек драйвера недоступен");
}

TEST_F(SimDriverTest, SettingsDialogReportsAFileThatCannotBeWritten) {
  writeFile(folder.path() / "blocker", "x");
  Driver d(Environment{(folder.path() / "blocker" / "sim-driver.ini").string(), 1, 1},
           [](StoredSettings& s) {
             s.password = 55;
             return DialogOutcome::Accepted;
           });
  EXPECT_EQ(d.call(Method::ShowProperties), code(Result::SettingsNotSaved));
  EXPECT_EQ(d.properties().getInt(Prop::Password), 55) << "the choice holds for this object";
}

TEST_F(SimDriverTest, LogicalDevicesAreTheDriversOwnTable) {
  Driver d = makeDriver();
  auto& p = d.properties();
  ASSERT_EQ(d.call(Method::GetCountLD), 0);
  EXPECT_EQ(p.getInt(Prop::LDCount), 2);
  p.setInt(Prop::LDIndex, 1);
  ASSERT_EQ(d.call(Method::EnumLD), 0);
  EXPECT_EQ(p.getInt(Prop::LDNumber), 2);
  EXPECT_EQ(p.getText(Prop::LDName), "Весы 2");
  p.setInt(Prop::LDIndex, 2);
  EXPECT_EQ(d.call(Method::EnumLD), code(Result::NoSuchDevice));

  p.setText(Prop::LDName, "Склад");
  p.setInt(Prop::LDComNumber, 1);
  p.setInt(Prop::LDBaudrate, 2);
  p.setInt(Prop::LDTimeout, 250);
  ASSERT_EQ(d.call(Method::AddLD), 0);
  EXPECT_EQ(p.getInt(Prop::LDNumber), 3);
  EXPECT_EQ(p.getText(Prop::Input), "");

  ASSERT_EQ(d.call(Method::SetActiveLD), 0);
  EXPECT_EQ(p.getInt(Prop::Timeout), 250);
  ASSERT_EQ(d.call(Method::GetActiveLD), 0);
  EXPECT_EQ(p.getInt(Prop::LDIndex), 2);
  EXPECT_EQ(d.call(Method::Connect), 0) << "device 3 is on the module's port";

  p.setInt(Prop::LDNumber, 2);
  ASSERT_EQ(d.call(Method::SetActiveLD), 0);
  EXPECT_EQ(p.getInt(Prop::ComNumber), 2);
  EXPECT_EQ(d.call(Method::Connect), code(Result::NoConnection));

  ASSERT_EQ(d.call(Method::DeleteLD), 0);
  EXPECT_EQ(d.call(Method::GetActiveLD), code(Result::NoActiveDevice));
  EXPECT_EQ(d.call(Method::GetParamLD), code(Result::NoSuchDevice));
  p.setInt(Prop::LDNumber, 3);
  p.setInt(Prop::LDComNumber, 40);
  EXPECT_EQ(d.call(Method::SetParamLD), code(Result::BadParameter));
  ASSERT_EQ(d.call(Method::GetParamLD), 0);
  EXPECT_EQ(p.getInt(Prop::LDComNumber), 1);
  EXPECT_EQ(p.getText(Prop::LDName), "Склад");
}

TEST_F(SimDriverTest, LogicalDevicesAndTheActiveOneSurviveARestart) {
  {
    Driver d = makeDriver();
    auto& p = d.properties();
    p.setText(Prop::LDName, "Склад, левые");
    p.setInt(Prop::LDComNumber, 1);
    p.setInt(Prop::LDBaudrate, 4);
    p.setInt(Prop::LDTimeout, 300);
    ASSERT_EQ(d.call(Method::AddLD), 0);
    ASSERT_EQ(d.call(Method::SetActiveLD), 0);
    p.setInt(Prop::LDNumber, 1);
    ASSERT_EQ(d.call(Method::DeleteLD), 0);
    p.setText(Prop::LDName, "две\nстроки");
    p.setInt(Prop::LDNumber, 2);
    EXPECT_EQ(d.call(Method::SetParamLD), code(Result::BadParameter)) << "a name stays on one line";
  }
  // A line the table cannot take is skipped, the others are kept.
  std::ofstream(logicalDevicesFile(settingsFile()), std::ios::app) << "Device=9,99,2,150,плохой\n";
  Driver again = makeDriver();
  auto& p = again.properties();
  ASSERT_EQ(again.call(Method::GetCountLD), 0);
  ASSERT_EQ(p.getInt(Prop::LDCount), 2);
  p.setInt(Prop::LDIndex, 1);
  ASSERT_EQ(again.call(Method::EnumLD), 0);
  EXPECT_EQ(p.getText(Prop::LDName), "Склад, левые");
  ASSERT_EQ(again.call(Method::GetActiveLD), 0);
  EXPECT_EQ(p.getInt(Prop::LDNumber), 3);
  // The first Connect after the restart uses the active device's settings.
  EXPECT_EQ(p.getInt(Prop::BaudRate), 4);
  EXPECT_EQ(p.getInt(Prop::Timeout), 300);
}

TEST_F(SimDriverTest, AddingPastTheLargestNumberTakesTheLowestFreeOne) {
  writeFile(logicalDevicesFile(settingsFile()), "Device=1,1,2,150,A\nDevice=2147483647,1,2,150,B\n");
  Driver d = makeDriver();
  auto& p = d.properties();
  p.setText(Prop::LDName, "C");
  p.setInt(Prop::LDComNumber, 1);
  p.setInt(Prop::LDBaudrate, 2);
  p.setInt(Prop::LDTimeout, 150);
  for (const int32_t number : {2, 3}) {
    ASSERT_EQ(d.call(Method::AddLD), 0);
    EXPECT_EQ(p.getInt(Prop::LDNumber), number);
  }
}

TEST_F(SimDriverTest, ALockedKeyboardIgnoresEmulatedKeys) {
  Driver d = makeDriver();
  auto& p = d.properties();
  ASSERT_EQ(d.call(Method::Connect), 0);
  p.setInt(Prop::Password, kDefaultModulePassword);
  const auto press = [&](int32_t key) {
    p.setInt(Prop::Key, key);
    EXPECT_EQ(d.call(Method::KeyEmulation), 0);
    EXPECT_EQ(d.call(Method::GetChannelStatusEx), 0);
    return p.getInt(Prop::LastKey);
  };
  EXPECT_EQ(press(7), 7);
  p.setBool(Prop::LockKeyboardON, true);
  ASSERT_EQ(d.call(Method::LockKeyboard), 0);
  EXPECT_EQ(press(9), 7);
  p.setBool(Prop::LockKeyboardON, false);
  ASSERT_EQ(d.call(Method::LockKeyboard), 0);
  EXPECT_EQ(press(9), 9);
}

TEST_F(SimDriverTest, GoodsAndCostComeBackWithTheExtendedStatus) {
  Driver d = makeDriver();
  auto& p = d.properties();
  ASSERT_EQ(d.call(Method::Connect), 0);
  p.setCurrency(Prop::Price, 125000);
  p.setInt(Prop::Quantity, 3);
  p.setInt(Prop::GoodType, 1);
  ASSERT_EQ(d.call(Method::SetGoodData), 0);
  p.setInt(Prop::Key, 42);
  ASSERT_EQ(d.call(Method::KeyEmulation), 0);
  p.setCurrency(Prop::Price, 0);
  ASSERT_EQ(d.call(Method::GetChannelStatusEx), 0);
  EXPECT_EQ(p.getCurrency(Prop::Price), 125000);
  EXPECT_EQ(p.getCurrency(Prop::Cost), 375000);
  EXPECT_EQ(p.getInt(Prop::LastKey), 42);
  p.setInt(Prop::GoodType, 5);
  EXPECT_EQ(d.call(Method::SetGoodData), code(Result::BadParameter));
}

TEST_F(SimDriverTest, CalibrationUsesThePointNumberWritten) {
  Driver d = makeDriver();
  auto& p = d.properties();
  ASSERT_EQ(d.call(Method::Connect), 0);
  p.setInt(Prop::PointNumber, 1);
  p.setDouble(Prop::CalibrationWeight, 7.5);
  EXPECT_EQ(d.call(Method::SetFixedPoint), code(Result::NotInCalibrationMode));
  p.setInt(Prop::Mode, 1);
  ASSERT_EQ(d.call(Method::SetMode), 0);
  ASSERT_EQ(d.call(Method::SetFixedPoint), 0);
  p.setDouble(Prop::CalibrationWeight, 0);
  ASSERT_EQ(d.call(Method::GetFixedPoint), 0);
  EXPECT_EQ(p.getDouble(Prop::CalibrationWeight), 7.5);
  ASSERT_EQ(d.call(Method::StartCalibration), 0);
  for (const int32_t expected : {1, 2, 3}) {
    ASSERT_EQ(d.call(Method::GetCalibrationStatus), 0);
    EXPECT_EQ(p.getInt(Prop::FixedPointStatus), expected);
  }
  ASSERT_EQ(d.call(Method::GetMode), 0);
  EXPECT_EQ(p.getInt(Prop::Mode), 1);
}

TEST_F(SimDriverTest, ChannelCharacteristicsRoundTrip) {
  Driver d = makeDriver();
  auto& p = d.properties();
  ASSERT_EQ(d.call(Method::Connect), 0);
  p.setInt(Prop::ChannelNumber, 1);
  ASSERT_EQ(d.call(Method::GetChannelParam), 0);
  EXPECT_EQ(p.getDouble(Prop::ChannelMaxWeight), 30.0);
  p.setDouble(Prop::ChannelMaxTare, 12.0);
  ASSERT_EQ(d.call(Method::SetChannelParam), 0);
  p.setDouble(Prop::ChannelMaxTare, 0);
  ASSERT_EQ(d.call(Method::GetChannelParam), 0);
  EXPECT_EQ(p.getDouble(Prop::ChannelMaxTare), 12.0);
  p.setInt(Prop::ChannelFlags, -5);
  EXPECT_EQ(d.call(Method::SetChannelParam), code(Result::BadParameter));
  p.setInt(Prop::ChannelNumber, 7);
  EXPECT_EQ(d.call(Method::GetChannelParam), code(Result::BadParameter));
  ASSERT_EQ(d.call(Method::GetChannelsCount), 0);
  EXPECT_EQ(p.getInt(Prop::ChannelsCount), 2);
}

}  // namespace
}  // namespace lk40::sim
