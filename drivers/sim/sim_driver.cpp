#include "sim_driver.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "sim_scenario.h"

namespace lk40::sim {
namespace {

template <typename T>
void readNumber(const char* variable, T& value) {
  const char* text = std::getenv(variable);
  if (text == nullptr) return;
  T parsed{};
  const char* end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, parsed);
  if (error == std::errc() && stop == end && stop != text) value = parsed;
}

}  // namespace

Environment Environment::fromProcess() {
  Environment env;
  env.settingsFile = defaultSettingsFile();
  readNumber("LK40_SIM_PORT", env.simPort);
  readNumber("LK40_SIM_SEED", env.seed);
  if (const char* scenario = std::getenv("LK40_SIM_SCENARIO")) env.scenarioFile = scenario;
  const char* noDelay = std::getenv("LK40_SIM_NO_DELAY");
  env.realTime = noDelay == nullptr || *noDelay == '\0' || std::strcmp(noDelay, "0") == 0;
  return env;
}

Driver::Driver(Environment environment, SettingsEditor editor)
    : env_(std::move(environment)),
      editor_(std::move(editor)),
      module_(env_.seed),
      devices_(LogicalDevices::load(logicalDevicesFile(env_.settingsFile))) {
  const StoredSettings stored = loadSettings(env_.settingsFile);
  props_.setInt(Prop::ComNumber, stored.comNumber);
  props_.setInt(Prop::BaudRate, stored.baudRate);
  props_.setInt(Prop::Timeout, stored.timeout);
  props_.setInt(Prop::Password, stored.password);
  props_.setInt(Prop::PortNumber, stored.portNumber);
  props_.setInt(Prop::FileVersionMS, (LK40_SIM_VERSION_MAJOR << 16) | LK40_SIM_VERSION_MINOR);
  props_.setInt(Prop::FileVersionLS, (LK40_SIM_VERSION_PATCH << 16) | LK40_SIM_VERSION_TWEAK);
  props_.setBool(Prop::ChannelON, true);
  props_.setText(Prop::ResultCodeDescription, resultDescription(Result::Ok));
  applyPlan(env_.scenarioFile.empty() ? stored.faults : loadScenario(env_.scenarioFile));
}

int32_t Driver::finish(Result result, const Bytes& sent, const Bytes& received) {
  props_.setInt(Prop::ResultCode, code(result));
  props_.setText(Prop::ResultCodeDescription, resultDescription(result));
  props_.setText(Prop::Input, hexDump(sent));
  props_.setText(Prop::Output, hexDump(received));
  return code(result);
}

void Driver::setConnected(bool connected) {
  connected_ = connected;
  props_.setBool(Prop::Connected, connected);
}

int32_t Driver::exchange(uint8_t command, Auth auth, Result validation, const Bytes& request,
                         const Handler& handler) {
  if (!connected_) return finish(Result::NoConnection);
  const int32_t password = props_.getInt(Prop::Password);
  Bytes data;
  if (auth == Auth::Password) {
    // A password the frame cannot carry cannot be the module's either.
    if (password < 0 || password > 0xFFFF) return finish(Result::WrongPassword);
    putU16(data, static_cast<uint32_t>(password));
  }
  if (validation != Result::Ok) return finish(validation);
  data.insert(data.end(), request.begin(), request.end());
  return transact(command, makeFrame(command, data), [&](Bytes& reply) {
    if (auth == Auth::None || module_.passwordMatches(password)) return handler(reply);
    return Result::WrongPassword;
  });
}

int32_t Driver::call(Method method) {
  lastCallTime_ = Micros(0);
  switch (method) {
    case Method::AddLD: return addLd();
    case Method::BreakCalibration: return breakCalibration();
    case Method::Connect: return connect();
    case Method::DeleteLD: return deleteLd();
    case Method::Disconnect: return disconnect();
    case Method::EnumLD: return enumLd();
    case Method::GetActiveChannel: return getActiveChannel();
    case Method::GetActiveLD: return getActiveLd();
    case Method::GetADCValue: return getAdcValue();
    case Method::GetCalibrationStatus: return getCalibrationStatus();
    case Method::GetChannelParam: return getChannelParam();
    case Method::GetChannelsCount: return getChannelsCount();
    case Method::GetChannelStatus: return getChannelStatus(false);
    case Method::GetChannelStatusEx: return getChannelStatus(true);
    case Method::GetCountLD: return getCountLd();
    case Method::GetDeviceCRC: return getDeviceCrc();
    case Method::GetDeviceMetrics: return getDeviceMetrics();
    case Method::GetExchangeParam: return getExchangeParam();
    case Method::GetFixedPoint: return getFixedPoint();
    case Method::GetMode: return getMode();
    case Method::GetParamLD: return getParamLd();
    case Method::GetVoltage: return getVoltage();
    case Method::KeyEmulation: return keyEmulation();
    case Method::LockKeyboard: return lockKeyboard();
    case Method::Reset: return reset();
    case Method::RestartChannel: return restartChannel();
    case Method::SetActiveChannel: return setActiveChannel();
    case Method::SetActiveLD: return setActiveLd();
    case Method::SetChannelMode: return setChannelMode();
    case Method::SetChannelParam: return setChannelParam();
    case Method::SetExchangeParam: return setExchangeParam();
    case Method::SetFixedPoint: return setFixedPoint();
    case Method::SetGoodData: return setGoodData();
    case Method::SetMode: return setMode();
    case Method::SetParamLD: return setParamLd();
    case Method::SetPassword: return setPassword();
    case Method::SetTare: return setTare();
    case Method::SetTareValue: return setTareValue();
    case Method::SetZero: return setZero();
    case Method::ShowProperties: return showProperties();
    case Method::StartCalibration: return startCalibration();
    case Method::TestClr: return testClr();
    case Method::TestGet: return testGet();
  }
  return finish(Result::BadParameter);
}

}  // namespace lk40::sim
