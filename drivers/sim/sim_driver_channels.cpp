// The weight channels: count, selection, on and off, characteristics, restart.
#include "contract/command_codes.h"
#include "sim_driver.h"

namespace lk40::sim {
namespace {

constexpr Prop kRanges[] = {Prop::ChannelRange1, Prop::ChannelRange2, Prop::ChannelRange3};
constexpr Prop kIntervals[] = {Prop::ChannelDiscreteness1, Prop::ChannelDiscreteness2,
                               Prop::ChannelDiscreteness3, Prop::ChannelDiscreteness4};

// flags, degree, the weights in counts of 10^degree kg, points count.
void putParams(Bytes& out, const ChannelParams& p) {
  putU8(out, static_cast<uint32_t>(p.flags));
  putU8(out, static_cast<uint32_t>(p.degree));
  for (const double kg : {p.maxWeight, p.minWeight, p.maxTare}) putI32(out, weightUnits(kg, p.degree));
  for (const double kg : p.ranges) putI32(out, weightUnits(kg, p.degree));
  for (const double kg : p.discreteness) putI32(out, weightUnits(kg, p.degree));
  putU8(out, static_cast<uint32_t>(p.pointsCount));
}

}  // namespace

int32_t Driver::getChannelsCount() {
  return exchange(command::kGetChannelsCount, Auth::None, Result::Ok, {}, [this](Bytes& reply) {
    putU8(reply, static_cast<uint32_t>(module_.channelsCount()));
    props_.setInt(Prop::ChannelsCount, module_.channelsCount());
    return Result::Ok;
  });
}

int32_t Driver::getActiveChannel() {
  return exchange(command::kGetActiveChannel, Auth::None, Result::Ok, {}, [this](Bytes& reply) {
    putU8(reply, static_cast<uint32_t>(module_.activeChannel()));
    props_.setInt(Prop::ChannelNumber, module_.activeChannel());
    return Result::Ok;
  });
}

int32_t Driver::setActiveChannel() {
  const int32_t channel = props_.getInt(Prop::ChannelNumber);
  Bytes request;
  putU8(request, static_cast<uint32_t>(channel));
  return exchange(command::kSetActiveChannel, Auth::Password,
                  fitsByte(channel) ? Result::Ok : Result::BadParameter, request,
                  [this, channel](Bytes&) { return module_.setActiveChannel(channel); });
}

int32_t Driver::setChannelMode() {
  const bool on = props_.getBool(Prop::ChannelON);
  Bytes request;
  putU8(request, on ? 1 : 0);
  return exchange(command::kSetChannelMode, Auth::Password, Result::Ok, request,
                  [this, on](Bytes&) { return module_.setChannelOn(on); });
}

int32_t Driver::getChannelParam() {
  const int32_t channel = props_.getInt(Prop::ChannelNumber);
  Bytes request;
  putU8(request, static_cast<uint32_t>(channel));
  return exchange(command::kGetChannelParam, Auth::None,
                  fitsByte(channel) ? Result::Ok : Result::BadParameter, request,
                  [this, channel](Bytes& reply) {
                    ChannelParams p;
                    int32_t calibrations = 0;
                    const Result r = module_.channelParams(channel, p, calibrations);
                    if (r != Result::Ok) return r;
                    putParams(reply, p);
                    putU16(reply, static_cast<uint32_t>(calibrations));
                    props_.setInt(Prop::ChannelFlags, p.flags);
                    props_.setInt(Prop::ChannelDegree, p.degree);
                    props_.setDouble(Prop::ChannelMaxWeight, p.maxWeight);
                    props_.setDouble(Prop::ChannelMinWeight, p.minWeight);
                    props_.setDouble(Prop::ChannelMaxTare, p.maxTare);
                    for (size_t i = 0; i < p.ranges.size(); ++i) props_.setDouble(kRanges[i], p.ranges[i]);
                    for (size_t i = 0; i < p.discreteness.size(); ++i) {
                      props_.setDouble(kIntervals[i], p.discreteness[i]);
                    }
                    props_.setInt(Prop::ChannelPointsCount, p.pointsCount);
                    props_.setInt(Prop::CalibrationsCount, calibrations);
                    return Result::Ok;
                  });
}

int32_t Driver::setChannelParam() {
  const int32_t channel = props_.getInt(Prop::ChannelNumber);
  ChannelParams p;
  p.flags = props_.getInt(Prop::ChannelFlags);
  p.degree = props_.getInt(Prop::ChannelDegree);
  p.maxWeight = props_.getDouble(Prop::ChannelMaxWeight);
  p.minWeight = props_.getDouble(Prop::ChannelMinWeight);
  p.maxTare = props_.getDouble(Prop::ChannelMaxTare);
  for (size_t i = 0; i < p.ranges.size(); ++i) p.ranges[i] = props_.getDouble(kRanges[i]);
  for (size_t i = 0; i < p.discreteness.size(); ++i) p.discreteness[i] = props_.getDouble(kIntervals[i]);
  p.pointsCount = props_.getInt(Prop::ChannelPointsCount);

  Bytes request;
  putU8(request, static_cast<uint32_t>(channel));
  putParams(request, p);
  // The module refuses a set that does not hold together; the driver only
  // refuses what the frame cannot carry.
  const bool fits = fitsByte(channel) && fitsByte(p.flags) && p.degree >= -128 && p.degree <= 127 &&
                    fitsByte(p.pointsCount);
  return exchange(command::kSetChannelParam, Auth::Password, fits ? Result::Ok : Result::BadParameter,
                  request, [this, channel, p](Bytes&) { return module_.setChannelParams(channel, p); });
}

int32_t Driver::restartChannel() {
  return exchange(command::kRestartChannel, Auth::Password, Result::Ok, {},
                  [this](Bytes&) { return module_.restartChannel(); });
}

}  // namespace lk40::sim
