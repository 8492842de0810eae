// The characteristics of one weight channel as the module keeps them, and the
// check that a set written by the host holds together.
#pragma once

#include <array>
#include <cstdint>

namespace lk40::sim {

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

}  // namespace lk40::sim
