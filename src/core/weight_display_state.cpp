#include "core/weight_display_state.h"

namespace lk40::core {

namespace {
constexpr int32_t kFixed = 0x01;
constexpr int32_t kAutoZero = 0x02;
constexpr int32_t kTare = 0x08;
constexpr int32_t kSettled = 0x10;
}  // namespace

WeightDisplayState weightDisplayState(int32_t mode) {
  WeightDisplayState state;
  state.zeroLamp = (mode & kAutoZero) != 0;
  state.tareLamp = (mode & kTare) != 0;
  state.settledLamp = (mode & kSettled) != 0;
  state.fixedLamp = (mode & kFixed) != 0;
  state.tareButtonEnabled = !state.tareLamp;
  return state;
}

}  // namespace lk40::core
