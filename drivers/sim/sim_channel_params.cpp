#include "sim_channel_params.h"

#include <cmath>

namespace lk40::sim {

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

}  // namespace lk40::sim
