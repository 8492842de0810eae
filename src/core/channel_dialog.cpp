#include "core/channel_dialog.h"

#include <cmath>

namespace lk40::core {

namespace {
constexpr double kLowestCapacity = 0.001;
constexpr double kBandLow = 6554;
constexpr double kBandHigh = 65535;
constexpr int kLastTypeItem = 2;
constexpr char32_t kBackspace = 8;
}  // namespace

std::optional<int> channelDegreeFor(double maxWeight) {
  if (!std::isfinite(maxWeight) || maxWeight < kLowestCapacity) return std::nullopt;
  double x = maxWeight;
  int degree = 0;
  // Stepping by tens as the operator would; each direction stops once it has
  // crossed the band, so the gap above 65535 x 10^k ends the loop as well.
  if (x >= kBandLow) {
    while (x > kBandHigh) {
      x /= 10;
      ++degree;
    }
  } else {
    while (x < kBandLow) {
      x *= 10;
      --degree;
    }
    if (x > kBandHigh) ++degree;  // stepped over the band: one step back fits 16 bits
  }
  return degree;
}

ChannelFlagChoice splitChannelFlags(int32_t flags) {
  const int type = flags & 3;
  return {type > kLastTypeItem ? kLastTypeItem : type, (flags >> 2) & 1};
}

int32_t joinChannelFlags(int typeItem, int tareSamplingItem) { return typeItem + 4 * tareSamplingItem; }

bool acceptSignedIntegerKey(std::u32string_view currentText, char32_t ch) {
  if (ch == kBackspace || (ch >= U'0' && ch <= U'9')) return true;
  return ch == U'-' && currentText.find(U'-') == std::u32string_view::npos;
}

}  // namespace lk40::core
