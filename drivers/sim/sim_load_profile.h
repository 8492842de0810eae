// What lies on a platform, measurement by measurement, when the operator
// chooses it instead of the scene's random loads.
#pragma once

#include <cstdint>
#include <vector>

namespace lk40::sim {

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

}  // namespace lk40::sim
