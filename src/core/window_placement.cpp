#include "core/window_placement.h"

namespace lk40::core {

Point centredPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  if (screenWidth == 2048 && screenHeight == 768) return {(1024 - windowWidth) / 2, (768 - windowHeight) / 2};
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

}  // namespace lk40::core
