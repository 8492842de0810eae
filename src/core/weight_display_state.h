// What the weight display's lamps and buttons show for the mode word of a
// successful poll.
#pragma once

#include <cstdint>

namespace lk40::core {

struct WeightDisplayState {
  bool zeroLamp = false;     // "Нуль": the automatic zero is working
  bool tareLamp = false;     // "Тара": a tare is taken
  bool settledLamp = false;  // "Успокоение": the weight has settled
  bool fixedLamp = false;    // "Фиксация": the weight is fixed
  // ">T<" takes a tare only while none is taken; ">0<" is always enabled.
  bool tareButtonEnabled = true;
};

// A failed poll puts out every lamp and leaves the buttons as they were.
WeightDisplayState weightDisplayState(int32_t mode);

}  // namespace lk40::core
