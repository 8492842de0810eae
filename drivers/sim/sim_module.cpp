#include "sim_module.h"

#include <algorithm>
#include <cmath>

namespace lk40::sim {
namespace {

ChannelParams secondChannel() {
  ChannelParams p;
  p.flags = 0;
  p.maxWeight = 30.0;
  p.minWeight = 0.2;
  p.maxTare = 15.0;
  p.ranges = {15.0, 30.0, 0.0};
  p.discreteness = {0.005, 0.01, 0.0, 0.0};
  p.pointsCount = 3;
  return p;
}

ChannelParams firstChannel() {
  ChannelParams p;
  p.flags = 0x04;  // tare sampling
  return p;
}

bool inRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

}  // namespace

Module::Module(uint64_t seed) : supply_(streamSeed(seed, 100)) {
  channels_.push_back({Scale(streamSeed(seed, 1), firstChannel()), {0.0, 10.0}, 3});
  channels_.push_back({Scale(streamSeed(seed, 2), secondChannel()), {0.0, 15.0, 30.0}, 1});
}

uint16_t Module::deviceCrc() const {
  // CRC-16/CCITT of what stands for the firmware: fixed for this module.
  Bytes image = moduleText(identity_.description);
  for (const int32_t v : {identity_.majorType, identity_.minorType, identity_.majorProtocolVersion,
                          identity_.minorProtocolVersion, identity_.model}) {
    image.push_back(static_cast<uint8_t>(v));
  }
  uint16_t crc = 0xFFFF;
  for (const uint8_t byte : image) {
    crc ^= static_cast<uint16_t>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021) : static_cast<uint16_t>(crc << 1);
    }
  }
  return crc;
}

Result Module::setPassword(int32_t newPassword) {
  if (!inRange(newPassword, 0, kMaxPassword)) return Result::BadParameter;
  password_ = newPassword;
  return Result::Ok;
}

Result Module::setExchangeParams(const ExchangeParams& params) {
  if (!inRange(params.baudRate, 0, 6) || !inRange(params.timeout, 1, 0xFFFF) ||
      !inRange(params.portNumber, 0, 0xFF)) {
    return Result::BadParameter;
  }
  exchange_ = params;
  return Result::Ok;
}

Result Module::setMode(int32_t newMode) {
  if (newMode != mode::kNormal && newMode != mode::kCalibration && newMode != mode::kContinuous) {
    return Result::BadParameter;
  }
  if (newMode != mode::kCalibration) calibration_.status = point_status::kReady;
  mode_ = newMode;
  return Result::Ok;
}

void Module::reset() {
  mode_ = mode::kNormal;
  calibration_ = CalibrationState{};
  for (Channel& channel : channels_) channel.scale.restart();
  goods_ = GoodsData{};
  lastKey_ = 0;
  keyboardLocked_ = false;
  testLog_.clear();
}

bool Module::calibrating() const {
  return calibration_.status == point_status::kMeasuring ||
         calibration_.status == point_status::kSettled;
}

void Module::measure() {
  Scale& scale = active().scale;
  scale.step();
  if (scale.on()) testLog_.add(scale.adcValue(), scale.overloaded());
}

ChannelReading Module::readChannel() {
  measure();
  const Scale& scale = active().scale;
  return {scale.statusWord(), scale.weight(), scale.tare(), scale.on()};
}

Result Module::readAdc(int32_t& value) {
  if (!active().scale.on()) return Result::ChannelOff;
  measure();
  value = active().scale.adcValue();
  return Result::Ok;
}

Result Module::setZero() { return calibrating() ? Result::Busy : active().scale.setZero(); }

Result Module::setTare() { return calibrating() ? Result::Busy : active().scale.setTare(); }

Result Module::setTareValue(double kg) {
  return calibrating() ? Result::Busy : active().scale.setTareValue(kg);
}

Result Module::setGoods(const GoodsData& goods) {
  if (goods.price < 0 || goods.price > kMaxPrice || !inRange(goods.quantity, 0, 0xFFFF) ||
      !inRange(goods.goodType, 0, 1)) {
    return Result::BadParameter;
  }
  goods_ = goods;
  return Result::Ok;
}

int64_t Module::costFor(double weight) const {
  if (goods_.goodType == 0) {
    const double kopecks = static_cast<double>(goods_.price) / 100.0 * std::max(weight, 0.0);
    return std::llround(kopecks) * 100;
  }
  const int64_t scaled = goods_.price * goods_.quantity;
  return (scaled + 50) / 100 * 100;
}

Result Module::setFixedPoint(int32_t point, double kg) {
  if (mode_ != mode::kCalibration) return Result::NotInCalibrationMode;
  if (calibrating()) return Result::Busy;
  Channel& channel = active();
  if (!inRange(point, 0, static_cast<int32_t>(channel.points.size()) - 1)) return Result::BadParameter;
  if (!std::isfinite(kg) || kg < 0 || kg > channel.scale.params().maxWeight) return Result::BadParameter;
  channel.points[static_cast<size_t>(point)] = kg;
  return Result::Ok;
}

Result Module::fixedPoint(int32_t point, double& kg) const {
  if (mode_ != mode::kCalibration) return Result::NotInCalibrationMode;
  const Channel& channel = active();
  if (!inRange(point, 0, static_cast<int32_t>(channel.points.size()) - 1)) return Result::BadParameter;
  kg = channel.points[static_cast<size_t>(point)];
  return Result::Ok;
}

Result Module::startCalibration(int32_t point) {
  if (mode_ != mode::kCalibration) return Result::NotInCalibrationMode;
  if (calibrating()) return Result::Busy;
  const Channel& channel = active();
  if (!inRange(point, 0, static_cast<int32_t>(channel.points.size()) - 1)) return Result::BadParameter;
  calibration_ = {point, point_status::kMeasuring, channel.points[static_cast<size_t>(point)]};
  return Result::Ok;
}

Result Module::calibrationStatus(CalibrationState& state) {
  if (mode_ != mode::kCalibration) return Result::NotInCalibrationMode;
  state = calibration_;
  if (calibration_.status == point_status::kMeasuring) {
    calibration_.status = point_status::kSettled;
  } else if (calibration_.status == point_status::kSettled) {
    if (pointCanBeCalibrated()) {
      calibration_.status = point_status::kDone;
      ++active().calibrations;
    } else {
      calibration_.status = point_status::kFailed;
    }
  }
  return Result::Ok;
}

bool Module::pointCanBeCalibrated() const {
  const Channel& channel = active();
  if (!channel.scale.on() || channel.scale.overloaded()) return false;
  const auto point = static_cast<size_t>(calibration_.point);
  return point == 0 || channel.points[point] > channel.points[point - 1];
}

Result Module::breakCalibration() {
  if (mode_ != mode::kCalibration) return Result::NotInCalibrationMode;
  calibration_.status = point_status::kReady;
  return Result::Ok;
}

Result Module::setActiveChannel(int32_t channel) {
  if (!inRange(channel, 0, kChannels - 1)) return Result::BadParameter;
  if (calibrating()) return Result::Busy;
  active_ = channel;
  return Result::Ok;
}

Result Module::channelParams(int32_t channel, ChannelParams& params, int32_t& calibrations) const {
  if (!inRange(channel, 0, kChannels - 1)) return Result::BadParameter;
  const Channel& c = channels_[static_cast<size_t>(channel)];
  params = c.scale.params();
  calibrations = c.calibrations;
  return Result::Ok;
}

Result Module::setChannelParams(int32_t channel, const ChannelParams& params) {
  if (!inRange(channel, 0, kChannels - 1) || !isValid(params)) return Result::BadParameter;
  if (calibrating()) return Result::Busy;
  Channel& c = channels_[static_cast<size_t>(channel)];
  c.points.resize(static_cast<size_t>(params.pointsCount), 0.0);
  c.scale.setParams(params);
  return Result::Ok;
}

Result Module::setChannelOn(bool on) {
  if (calibrating()) return Result::Busy;
  active().scale.setOn(on);
  return Result::Ok;
}

Result Module::restartChannel() {
  if (calibrating()) return Result::Busy;
  active().scale.restart();
  return Result::Ok;
}

Result Module::emulateKey(int32_t key) {
  if (!inRange(key, 0, 0xFF)) return Result::BadParameter;
  // A locked keyboard takes the press and ignores it: LastKey keeps the last
  // key pressed before the lock.
  if (keyboardLocked_) return Result::Ok;
  lastKey_ = key;
  return Result::Ok;
}

Bytes Module::takeTestRecord() {
  for (int i = 0; i < kStepsPerTestRecord; ++i) measure();
  return testLog_.takeRecord();
}

SupplyReading Supply::read() {
  voltage5_ = std::clamp(voltage5_ + rng_.uniformInt(-1, 1), 478, 522);
  voltage12_ = std::clamp(voltage12_ + rng_.uniformInt(-2, 2), 1150, 1250);
  if (charging_) {
    charge_ = std::min(1000, charge_ + 20);
    charging_ = charge_ < 1000;
  } else {
    charge_ = std::max(0, charge_ - 5);
    charging_ = charge_ <= 50;
  }

  SupplyReading r;
  r.voltage5 = voltage5_;
  r.voltage12 = voltage12_;
  r.voltageX = 330 + charge_ * 90 / 1000;
  if (charging_) r.flags |= supply_flags::kCharging;
  if (charge_ <= 300) r.flags |= supply_flags::kDischarged70;
  if (charge_ <= 100) r.flags |= supply_flags::kDischarged90;
  if (voltage5_ < 480 || voltage5_ > 520 || voltage12_ < 1160 || voltage12_ > 1240) {
    r.flags |= supply_flags::kOutOfRange;
  }
  if (forced_) {
    r.flags = *forced_;
    if (r.flags & supply_flags::kDischarged90) {
      r.voltageX = 338;
    } else if (r.flags & supply_flags::kDischarged70) {
      r.voltageX = 355;
    }
    if (r.flags & supply_flags::kOutOfRange) {
      r.voltage5 = 455;
    } else {
      r.voltage5 = std::clamp(r.voltage5, 480, 520);
      r.voltage12 = std::clamp(r.voltage12, 1160, 1240);
    }
  }
  return r;
}

void TestLog::add(int32_t value, bool overload) {
  if (values_.size() == kCapacity) values_.pop_front();
  values_.push_back(value);
  overload_ = overload_ || overload;
}

void TestLog::clear() {
  values_.clear();
  overload_ = false;
  nextType_ = kTypeCode;
}

namespace {

// The reading's low-order bytes, as many as the type holds: the narrow types
// then show the converter's fine movement, and the signed ones go negative.
void putValue(Bytes& record, uint8_t type, int32_t reading) {
  const size_t size = size_t{1} << (type / 2);
  const auto bits = static_cast<uint32_t>(reading);
  for (size_t k = 0; k < size; ++k) record.push_back(static_cast<uint8_t>(bits >> (8 * k)));
}

}  // namespace

Bytes TestLog::takeRecord() {
  const uint8_t type = nextType_;
  nextType_ = static_cast<uint8_t>((type + 1) % kTypeCount);
  Bytes record;
  record.reserve(3 + values_.size() * 4);
  putU8(record, type);
  putU8(record, overload_ ? 0xFF : 0x00);
  putU8(record, static_cast<uint32_t>(values_.size()));
  for (const int32_t value : values_) putValue(record, type, value);
  values_.clear();
  overload_ = false;
  return record;
}

}  // namespace lk40::sim
