// The simulated driver object: its properties, and its methods, which turn
// properties into module requests, frame them, and record the outcome in
// ResultCode, ResultCodeDescription, Input and Output.
//
// Methods that need the module fail with Result::NoConnection until Connect
// succeeded. The methods that send the password check the Password property
// against the module's (30 until SetPassword). Methods that reach no module
// (the logical devices, Disconnect, ShowProperties) leave Input and Output
// empty, as does a request the driver refused before sending it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "sim_faults.h"
#include "sim_frame.h"
#include "sim_link.h"
#include "sim_logical_devices.h"
#include "sim_members.h"
#include "sim_module.h"
#include "sim_properties.h"
#include "sim_settings.h"

namespace lk40::sim {

constexpr uint64_t kDefaultSeed = 0x4C4B3430;

struct Environment {
  std::string settingsFile;  // empty: nothing is read or stored
  int32_t simPort = 1;       // the serial port the module sits on
  uint64_t seed = kDefaultSeed;
  std::string scenarioFile = {};  // when set, its plan replaces the stored one
  bool realTime = false;          // exchanges take their time on the clock

  // LK40_SIM_PORT, LK40_SIM_SEED, LK40_SIM_SCENARIO, LK40_SIM_NO_DELAY and
  // defaultSettingsFile(); a variable that does not hold a number leaves its
  // default. Real time unless LK40_SIM_NO_DELAY is set to anything but "" or "0".
  static Environment fromProcess();
};

// Shows the settings dialog over settings; on Accepted they hold the choice.
using SettingsEditor = std::function<DialogOutcome(StoredSettings&)>;

class Driver {
 public:
  // Reads the stored settings into ComNumber, BaudRate, Timeout, Password and
  // PortNumber, and puts the fault plan of the scenario file, or else the
  // stored one, into effect. Raises ScenarioError for a scenario file that
  // cannot be read or parsed.
  Driver(Environment environment, SettingsEditor editor);

  int32_t call(Method method);

  // Puts a plan into effect: exchanges are counted from 1 again, the link's
  // randomness starts over, the load profile goes onto every platform.
  void applyPlan(const FaultPlan& plan);
  const FaultPlan& plan() const { return plan_; }
  // What the last call cost on the link (0 for a call that sent nothing),
  // whether or not the driver waited for it in real time.
  Micros lastCallTime() const { return lastCallTime_; }
  // The automation error a use of the member raises now, if the plan has one.
  std::optional<std::string> plannedError(std::string_view member) const;
  bool errorsPlanned() const { return !plan_.driverErrors.empty(); }

  Properties& properties() { return props_; }
  const Properties& properties() const { return props_; }
  Module& module() { return module_; }

 private:
  enum class Auth { None, Password };
  using Handler = std::function<Result(Bytes& reply)>;

  int32_t finish(Result result, const Bytes& sent = {}, const Bytes& received = {});
  // Checks the connection, the password's range and validation, sends the
  // request (password first when auth asks for it), and lets handler answer
  // for the module once the module accepted the password.
  int32_t exchange(uint8_t command, Auth auth, Result validation, const Bytes& request,
                   const Handler& handler);
  // One request over the link: the plan and the link decide whether the
  // module hears it and how the reply comes back; module answers for it.
  // heard false: nothing listens on this port at this speed.
  int32_t transact(uint8_t command, const Bytes& sent, const Handler& module, bool heard = true);
  void spend(Micros time);
  void setConnected(bool connected);
  int32_t channelDegree() const { return module_.scale(module_.activeChannel()).params().degree; }

  // Connection, exchange settings, mode, identity.
  int32_t connect();
  int32_t disconnect();
  int32_t getExchangeParam();
  int32_t setExchangeParam();
  int32_t getDeviceMetrics();
  int32_t getMode();
  int32_t setMode();
  int32_t reset();
  int32_t getDeviceCrc();
  int32_t showProperties();
  void fillIdentity(Bytes& reply);

  // Weighing.
  int32_t setZero();
  int32_t setTare();
  int32_t setTareValue();
  int32_t getChannelStatus(bool extended);
  int32_t setGoodData();

  // Calibration.
  int32_t setFixedPoint();
  int32_t getFixedPoint();
  int32_t startCalibration();
  int32_t getCalibrationStatus();
  int32_t breakCalibration();
  int32_t getAdcValue();

  // Weight channels.
  int32_t getChannelsCount();
  int32_t getActiveChannel();
  int32_t setActiveChannel();
  int32_t setChannelMode();
  int32_t getChannelParam();
  int32_t setChannelParam();
  int32_t restartChannel();

  // Keyboard, password, supply, test buffer.
  int32_t keyEmulation();
  int32_t lockKeyboard();
  int32_t setPassword();
  int32_t getVoltage();
  int32_t testClr();
  int32_t testGet();

  // Logical devices; storeDevices writes the table after a change.
  Result storeDevices(Result change);
  int32_t addLd();
  int32_t deleteLd();
  int32_t enumLd();
  int32_t getCountLd();
  int32_t getActiveLd();
  int32_t setActiveLd();
  int32_t getParamLd();
  int32_t setParamLd();

  Environment env_;
  SettingsEditor editor_;
  Properties props_;
  Module module_;
  LogicalDevices devices_;
  bool connected_ = false;
  FaultPlan plan_;
  Link link_{0};
  int64_t exchanges_ = 0;
  Micros lastCallTime_{0};
};

}  // namespace lk40::sim
