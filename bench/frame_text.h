// A frame as the driver dumps it: two hex digits and a blank per byte.
#pragma once

#include <cstddef>
#include <string>

inline std::string frame(std::size_t bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes; ++i) text += i == 0 ? "02" : " A5";
  return text;
}
