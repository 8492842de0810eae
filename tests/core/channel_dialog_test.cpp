// The degree calculation and the channel flag split.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/channel_dialog.h"

using namespace lk40::core;

TEST(ChannelDegree, BringsTheCapacityIntoTheBandOrLeavesTheFieldAlone) {
  const struct {
    double capacity;
    std::optional<int> degree;
  } rows[] = {
      {15, -3},        {100, -2},       {6554, 0},     {65535, 0},      {150000, 1},     {0.001, -7},
      {0, std::nullopt}, {0.0009, std::nullopt}, {-5, std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
      {std::numeric_limits<double>::infinity(), std::nullopt},
      // No power of ten brings these into the band: the smallest degree at
      // which the capacity still fits 65535 counts.
      {65536, 1},      {6553.6, 0},     {655360, 2},   {0.65536, -4},   {1e300, 296},
  };
  for (const auto& row : rows) EXPECT_EQ(channelDegreeFor(row.capacity), row.degree) << row.capacity;
}

TEST(ChannelFlags, SplitClampsTheTypeAndJoinDropsOtherBits) {
  const struct {
    int32_t flags;
    int type, tare;
    int32_t written;
  } rows[] = {{0, 0, 0, 0}, {5, 1, 1, 5}, {7, 2, 1, 6}, {3, 2, 0, 2}, {0x1FC, 0, 1, 4}, {-1, 2, 1, 6}};
  for (const auto& row : rows) {
    const ChannelFlagChoice choice = splitChannelFlags(row.flags);
    EXPECT_EQ(choice.type, row.type) << row.flags;
    EXPECT_EQ(choice.tareSampling, row.tare) << row.flags;
    EXPECT_EQ(joinChannelFlags(choice.type, choice.tareSampling), row.written) << row.flags;
  }
}
