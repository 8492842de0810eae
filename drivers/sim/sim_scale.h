// One weighing platform of the simulated module: its characteristics, what
// lies on it (the scene's random loads, or a profile the operator chose), a
// reading that settles towards the load with noise, zero and tare, and the
// status word the module reports for it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim_frame.h"
#include "sim_random.h"

namespace lk40::sim {

// The characteristics of one weight channel as the module keeps them, and the
// check that a set written by the host holds together.
struct ChannelParams {
  int32_t flags = 0;      // bits 0-1 channel type, bit 2 tare sampling
  int32_t degree = -3;    // weights travel as counts of 10^degree kg
  double maxWeight = 15.0;
  double minWeight = 0.04;
  double maxTare = 6.0;
  std::array<double, 3> ranges{6.0, 15.0, 0.0};            // 0: range unused
  std::array<double, 4> discreteness{0.002, 0.005, 0.0, 0.0};  // per range
  int32_t pointsCount = 2;  // calibration points, the zero point included
};

constexpr int32_t kMaxCalibrationPoints = 16;

// Positive capacity, minimum below it, tare within it, ranges ascending within
// the capacity, a first interval above zero, none negative, a degree and flags
// the frame can carry, 2 to kMaxCalibrationPoints points.
bool isValid(const ChannelParams& params);

// The scale interval of the range that holds the weight kg.
double intervalAt(const ChannelParams& params, double kg);

// What lies on a platform, measurement by measurement, when the operator
// chooses it instead of the scene's random loads.
struct LoadProfile {
  enum class Kind {
    Scene,  // the scene puts random loads on and takes them off
    None,   // the platform stays empty
    Fixed,  // weights[0] stays on the platform
    Steps,  // each weight in turn for `length` measurements, then again
    Ramp,   // straight from each weight to the next over `length` measurements, then again
  };
  Kind kind = Kind::Scene;
  std::vector<double> weights;  // kg
  int32_t length = 20;          // measurements per step or per slope, at least 1

  // The load at the measurement counted from 0 since the profile was set
  // (0 for Scene, where the scene decides).
  double at(int64_t measurement) const;

  friend bool operator==(const LoadProfile& a, const LoadProfile& b) {
    return a.kind == b.kind && a.weights == b.weights && a.length == b.length;
  }
};

namespace status {
constexpr int32_t kFixed = 0x01;
constexpr int32_t kAutoZero = 0x02;
constexpr int32_t kChannelOn = 0x04;
constexpr int32_t kTareSet = 0x08;
constexpr int32_t kSettled = 0x10;
constexpr int32_t kOverload = 0x40;
}  // namespace status

class Scale {
 public:
  Scale(uint64_t seed, const ChannelParams& params);

  const ChannelParams& params() const { return params_; }
  // Takes new characteristics; a tare they no longer allow is dropped.
  void setParams(const ChannelParams& params);

  // One measurement: the scene may change the load, the reading moves towards
  // it. Does nothing while the channel is off.
  void step();
  // Puts a load of kg on the platform at once (0 empties it) and restarts the
  // scene's countdown to its next change.
  void placeLoad(double kg);
  double load() const { return load_; }
  // From the next measurement on, the profile decides the load instead of
  // the scene (Scene gives the platform back to the scene).
  void setProfile(const LoadProfile& profile);

  bool on() const { return on_; }
  void setOn(bool on) { on_ = on; }
  // As at power-up: zero as calibrated, no tare, the reading settling anew.
  void restart();

  int32_t statusWord() const;
  // Gross minus tare, rounded to the interval of its range; 0 while off.
  double weight() const;
  // The zero-corrected reading, not rounded.
  double gross() const { return reading_ - zero_; }
  double tare() const { return tareSet_ ? tare_ : 0.0; }
  bool settled() const;
  bool overloaded() const;
  // The raw converter count, which follows the load without zero or tare.
  int32_t adcValue() const;

  // Allowed when on, settled and within the zero range (4 % of the capacity).
  Result setZero();
  // Takes the gross as tare; with a tare set and the platform emptied, clears it.
  Result setTare();
  // A tare of kg (0 clears it), within 0 and the channel's maximum tare.
  Result setTareValue(double kg);

  static constexpr int32_t kAdcZero = 84000;
  static constexpr int32_t kAdcPerKg = 50000;

 private:
  double interval() const { return intervalAt(params_, gross()); }
  void scheduleNextChange();

  Random rng_;
  ChannelParams params_;
  bool on_ = true;
  double load_ = 0;       // what lies on the platform, kg
  double settling_ = 0;   // the mechanics' response to it, kg
  double reading_ = 0;    // settling_ plus noise: what the converter measures
  double zero_ = 0;
  double tare_ = 0;
  bool tareSet_ = false;
  int32_t stableSteps_ = 4;  // the module starts up at rest
  int32_t stepsToChange_ = 0;
  LoadProfile profile_;
  int64_t profileStep_ = 0;
};

// kg rounded to the nearest multiple of interval.
double roundToInterval(double kg, double interval);

}  // namespace lk40::sim
