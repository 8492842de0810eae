#include "sim_load_profile.h"

#include <algorithm>

namespace lk40::sim {

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
