// The simulated ЛК-40 weighing module: identity, exchange settings, operating
// mode, two weight channels with calibration, goods data, keyboard, supply and
// the test buffer. It knows nothing of frames or of the driver's properties.
//
// The model advances only when asked: one measurement step per channel status
// or ADC request, a few per test log request, one supply step per supply
// request. A seed therefore replays the same readings for the same requests.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "sim_frame.h"
#include "sim_random.h"
#include "sim_scale.h"

namespace lk40::sim {

// The simulated module's power supply: two line voltages that wander slowly
// and a battery that runs down and is charged again, read once per request.
namespace supply_flags {
constexpr int32_t kCharging = 0x01;
constexpr int32_t kDischarged70 = 0x02;
constexpr int32_t kDischarged90 = 0x04;
constexpr int32_t kOutOfRange = 0x08;
}  // namespace supply_flags

struct SupplyReading {
  int32_t voltage5 = 0;   // hundredths of a volt
  int32_t voltage12 = 0;  // hundredths of a volt
  int32_t voltageX = 0;   // the battery, hundredths of a volt
  int32_t flags = 0;
  int32_t voltageX1 = 0;  // reserved, always 0
};

class Supply {
 public:
  explicit Supply(uint64_t seed) : rng_(seed) {}
  // Advances the supply by one step and reports it.
  SupplyReading read();
  // From the next reading on, the flags are exactly these, with the battery
  // and the 5 V line moved to match them; nullopt lets the supply run free.
  void force(std::optional<int32_t> flags) { forced_ = flags; }

 private:
  Random rng_;
  int32_t voltage5_ = 500;
  int32_t voltage12_ = 1200;
  int32_t charge_ = 1000;  // per mille
  bool charging_ = false;
  std::optional<int32_t> forced_;
};

// The module's test buffer: the converter readings taken since it was last
// read out, handed over as one test log record.
class TestLog {
 public:
  // As many 4-byte values as one reply frame carries beside the record header.
  static constexpr size_t kCapacity = 62;
  // The records take the type codes in turn, 5 (signed 32-bit) first after
  // a clear, then 0 to 5 again; each value is the reading's low-order bytes,
  // one for UCHAR and CHAR, two for UINT and INT, four for ULONG and LONG.
  static constexpr uint8_t kTypeCode = 5;
  static constexpr uint8_t kTypeCount = 6;

  // Keeps the newest kCapacity readings.
  void add(int32_t value, bool overload);
  void clear();
  // type code, overload flag (0xFF or 0), count N, then N little-endian
  // values of the type's size; empties the buffer.
  Bytes takeRecord();

 private:
  std::deque<int32_t> values_;
  bool overload_ = false;
  uint8_t nextType_ = kTypeCode;
};

// The password the module ships with, until SetPassword changes it.
constexpr int32_t kDefaultModulePassword = 30;
constexpr int32_t kMaxPassword = 9999;

struct Identity {
  int32_t majorType = 4;
  int32_t minorType = 0;
  int32_t majorProtocolVersion = 1;
  int32_t minorProtocolVersion = 2;
  int32_t model = 40;
  int32_t codePage = 1251;
  std::string description = "ЛК-40 имитатор";  // UTF-8
};

struct ExchangeParams {
  int32_t baudRate = 2;  // index: 0 2400 ... 2 9600 ... 6 115200
  int32_t timeout = 150;
  int32_t portNumber = 0;
};

namespace mode {
constexpr int32_t kNormal = 0;
constexpr int32_t kCalibration = 1;
constexpr int32_t kContinuous = 3;
}  // namespace mode

namespace point_status {
constexpr int32_t kReady = 0;
constexpr int32_t kMeasuring = 1;
constexpr int32_t kSettled = 2;
constexpr int32_t kDone = 3;
constexpr int32_t kFailed = 4;
}  // namespace point_status

struct GoodsData {
  int64_t price = 0;  // currency: value * 10000
  int32_t quantity = 0;
  int32_t goodType = 0;  // 0 sold by weight, 1 by the piece
};

struct ChannelReading {
  int32_t status = 0;
  double weight = 0;
  double tare = 0;
  bool on = false;
};

struct CalibrationState {
  int32_t point = 0;
  int32_t status = point_status::kReady;
  double weight = 0;
};

class Module {
 public:
  static constexpr int32_t kChannels = 2;
  static constexpr int32_t kStepsPerTestRecord = 4;
  static constexpr int64_t kMaxPrice = 99999999999;  // 9 999 999.9999

  explicit Module(uint64_t seed);

  const Identity& identity() const { return identity_; }
  uint16_t deviceCrc() const;

  bool passwordMatches(int32_t password) const { return password == password_; }
  Result setPassword(int32_t newPassword);

  const ExchangeParams& exchangeParams() const { return exchange_; }
  Result setExchangeParams(const ExchangeParams& params);

  int32_t mode() const { return mode_; }
  Result setMode(int32_t mode);
  // Back to normal mode: calibration stopped, tares cleared, keyboard free,
  // test buffer empty. Exchange settings and password stay.
  void reset();

  // The active channel, one measurement step.
  ChannelReading readChannel();
  Result readAdc(int32_t& value);
  Result setZero();
  Result setTare();
  Result setTareValue(double kg);

  Result setGoods(const GoodsData& goods);
  const GoodsData& goods() const { return goods_; }
  // Price times the weight for goods sold by weight (never below 0), price
  // times the quantity by the piece; rounded to whole kopecks.
  int64_t costFor(double weight) const;

  Result setFixedPoint(int32_t point, double kg);
  Result fixedPoint(int32_t point, double& kg) const;
  Result startCalibration(int32_t point);
  // Reports the point's state, then moves a running calibration on by one
  // stage: measuring, settled, then done, or failed when the channel is off
  // or overloaded or the point's weight does not rise above the point below.
  Result calibrationStatus(CalibrationState& state);
  Result breakCalibration();

  int32_t channelsCount() const { return kChannels; }
  int32_t activeChannel() const { return active_; }
  Result setActiveChannel(int32_t channel);
  Result channelParams(int32_t channel, ChannelParams& params, int32_t& calibrations) const;
  Result setChannelParams(int32_t channel, const ChannelParams& params);
  Result setChannelOn(bool on);
  Result restartChannel();

  Result emulateKey(int32_t key);
  int32_t lastKey() const { return lastKey_; }
  void lockKeyboard(bool locked) { keyboardLocked_ = locked; }

  SupplyReading readSupply() { return supply_.read(); }
  Supply& supply() { return supply_; }

  void clearTestLog() { testLog_.clear(); }
  // Takes kStepsPerTestRecord measurements, then hands over the buffer.
  Bytes takeTestRecord();

  // Direct access for tests and for the scene.
  Scale& scale(int32_t channel) { return channels_.at(static_cast<size_t>(channel)).scale; }
  const Scale& scale(int32_t channel) const {
    return channels_.at(static_cast<size_t>(channel)).scale;
  }

 private:
  struct Channel {
    Scale scale;
    std::vector<double> points;  // reference weight per calibration point
    int32_t calibrations = 0;
  };

  Channel& active() { return channels_[static_cast<size_t>(active_)]; }
  const Channel& active() const { return channels_[static_cast<size_t>(active_)]; }
  bool calibrating() const;
  bool pointCanBeCalibrated() const;
  void measure();

  Identity identity_;
  ExchangeParams exchange_;
  int32_t password_ = kDefaultModulePassword;
  int32_t mode_ = mode::kNormal;
  std::vector<Channel> channels_;
  int32_t active_ = 0;
  CalibrationState calibration_;
  GoodsData goods_;
  int32_t lastKey_ = 0;
  bool keyboardLocked_ = false;
  Supply supply_;
  TestLog testLog_;
};

}  // namespace lk40::sim
