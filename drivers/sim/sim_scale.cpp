#include "sim_scale.h"

#include <algorithm>
#include <cmath>

namespace lk40::sim {
namespace {

constexpr double kResponse = 0.7;     // share of the gap the reading closes per step
constexpr double kNoise = 0.3;        // noise amplitude, in scale intervals
constexpr int32_t kSettledSteps = 2;  // quiet steps before "settled"
constexpr int32_t kFixedSteps = 4;    // quiet steps before "fixed"
constexpr double kZeroRange = 0.04;   // share of the capacity that SetZero accepts

}  // namespace

double roundToInterval(double kg, double interval) {
  if (!(interval > 0)) return kg;
  return std::round(kg / interval) * interval;
}

Scale::Scale(uint64_t seed, const ChannelParams& params) : rng_(seed), params_(params) {
  scheduleNextChange();
}

void Scale::setParams(const ChannelParams& params) {
  params_ = params;
  if (tareSet_ && tare_ > params_.maxTare) {
    tareSet_ = false;
    tare_ = 0;
  }
}

void Scale::scheduleNextChange() { stepsToChange_ = rng_.uniformInt(20, 60); }

void Scale::placeLoad(double kg) {
  load_ = kg;
  scheduleNextChange();
}

void Scale::setProfile(const LoadProfile& profile) {
  profile_ = profile;
  profileStep_ = 0;
  scheduleNextChange();
}

void Scale::step() {
  if (!on_) return;
  if (profile_.kind != LoadProfile::Kind::Scene) {
    load_ = profile_.at(profileStep_++);
  } else if (--stepsToChange_ <= 0) {
    if (load_ > 0 && rng_.chance(0.35)) {
      load_ = 0;
    } else if (rng_.chance(0.03)) {
      load_ = std::round(params_.maxWeight * rng_.uniform(1.01, 1.1) * 1000.0) / 1000.0;
    } else {
      load_ = std::round(rng_.uniform(0.1, 15.0) * 1000.0) / 1000.0;
    }
    scheduleNextChange();
  }
  const double previous = reading_;
  settling_ += (load_ - settling_) * kResponse;
  const double quantum = intervalAt(params_, settling_);
  reading_ = settling_ + rng_.uniform(-kNoise, kNoise) * quantum;
  if (std::fabs(reading_ - previous) <= quantum) {
    if (stableSteps_ < kFixedSteps) ++stableSteps_;
  } else {
    stableSteps_ = 0;
  }
}

void Scale::restart() {
  on_ = true;
  zero_ = 0;
  tare_ = 0;
  tareSet_ = false;
  stableSteps_ = 0;
}

bool Scale::settled() const { return on_ && stableSteps_ >= kSettledSteps; }

bool Scale::overloaded() const {
  const double lastInterval = intervalAt(params_, params_.maxWeight);
  return on_ && gross() > params_.maxWeight + 9 * lastInterval;
}

int32_t Scale::statusWord() const {
  if (!on_) return tareSet_ ? status::kTareSet : 0;
  int32_t word = status::kChannelOn;
  if (tareSet_) word |= status::kTareSet;
  if (settled()) word |= status::kSettled;
  if (stableSteps_ >= kFixedSteps) word |= status::kFixed;
  if (settled() && std::fabs(gross()) <= params_.discreteness[0] / 2) word |= status::kAutoZero;
  if (overloaded()) word |= status::kOverload;
  return word;
}

double Scale::weight() const {
  if (!on_) return 0.0;
  return roundToInterval(gross() - tare(), interval());
}

int32_t Scale::adcValue() const {
  return kAdcZero + static_cast<int32_t>(std::lround(reading_ * kAdcPerKg));
}

Result Scale::setZero() {
  if (!on_) return Result::ChannelOff;
  if (overloaded()) return Result::Overload;
  if (!settled()) return Result::NotSettled;
  if (std::fabs(gross()) > kZeroRange * params_.maxWeight) return Result::ZeroOutOfRange;
  zero_ = reading_;
  return Result::Ok;
}

Result Scale::setTare() {
  if (!on_) return Result::ChannelOff;
  if (overloaded()) return Result::Overload;
  if (!settled()) return Result::NotSettled;
  const double d = interval();
  if (tareSet_ && std::fabs(gross()) < 2 * d) {
    tareSet_ = false;
    tare_ = 0;
    return Result::Ok;
  }
  const double taken = roundToInterval(gross(), d);
  if (taken <= 0 || taken > params_.maxTare) return Result::TareOutOfRange;
  tare_ = taken;
  tareSet_ = true;
  return Result::Ok;
}

Result Scale::setTareValue(double kg) {
  if (!on_) return Result::ChannelOff;
  if (!std::isfinite(kg) || kg < 0 || kg > params_.maxTare) return Result::TareOutOfRange;
  const double rounded = roundToInterval(kg, intervalAt(params_, kg));
  tareSet_ = rounded > 0;
  tare_ = tareSet_ ? rounded : 0.0;
  return Result::Ok;
}

bool isValid(const ChannelParams& p) {
  const auto finite = [](double v) { return std::isfinite(v); };
  if (p.flags < 0 || p.flags > 0xFF) return false;
  if (p.degree < -6 || p.degree > 6) return false;
  if (p.pointsCount < 2 || p.pointsCount > kMaxCalibrationPoints) return false;
  if (!finite(p.maxWeight) || p.maxWeight <= 0 || p.maxWeight > 1e6) return false;
  if (!finite(p.minWeight) || p.minWeight < 0 || p.minWeight >= p.maxWeight) return false;
  if (!finite(p.maxTare) || p.maxTare < 0 || p.maxTare > p.maxWeight) return false;
  double previous = 0;
  for (const double range : p.ranges) {
    if (!finite(range) || range < 0 || range > p.maxWeight) return false;
    if (range == 0) continue;
    if (range < previous) return false;
    previous = range;
  }
  for (const double d : p.discreteness) {
    if (!finite(d) || d < 0 || d > p.maxWeight) return false;
  }
  return p.discreteness[0] > 0;
}

double intervalAt(const ChannelParams& p, double kg) {
  double interval = p.discreteness[0];
  for (size_t i = 0; i < p.ranges.size(); ++i) {
    if (p.discreteness[i] > 0) interval = p.discreteness[i];
    if (p.ranges[i] > 0 && std::fabs(kg) <= p.ranges[i]) return interval;
  }
  // Beyond the last range: the interval of the next range, if it has one.
  if (p.discreteness[p.ranges.size()] > 0) return p.discreteness[p.ranges.size()];
  return interval;
}

double LoadProfile::at(int64_t measurement) const {
  if (weights.empty() || kind == Kind::None || kind == Kind::Scene) return 0.0;
  if (kind == Kind::Fixed || weights.size() == 1) return weights.front();
  const int64_t len = std::max<int32_t>(length, 1);
  const auto count = static_cast<int64_t>(weights.size());
  const int64_t n = std::max<int64_t>(measurement, 0);
  if (kind == Kind::Steps) return weights[static_cast<size_t>((n / len) % count)];
  // A ramp runs through count - 1 slopes and then starts again from the first weight.
  const int64_t cycle = len * (count - 1);
  const int64_t inCycle = n % cycle;
  const auto slope = static_cast<size_t>(inCycle / len);
  const double share = static_cast<double>(inCycle % len) / static_cast<double>(len);
  return weights[slope] + (weights[slope + 1] - weights[slope]) * share;
}

}  // namespace lk40::sim
