#include "sim_scale.h"

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

}  // namespace lk40::sim
