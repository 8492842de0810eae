#include "core/window_placement.h"

#include <algorithm>

namespace lk40::core {

Point centredPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  if (screenWidth == 2048 && screenHeight == 768) return {(1024 - windowWidth) / 2, (768 - windowHeight) / 2};
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

Rect fittedPlacement(Rect room, int wantedWidth, int wantedHeight, Point centre) {
  Rect window;
  window.width = std::max(1, std::min(wantedWidth, room.width));
  window.height = std::max(1, std::min(wantedHeight, room.height));
  window.x = std::clamp(centre.x - window.width / 2, room.x, std::max(room.x, room.x + room.width - window.width));
  window.y = std::clamp(centre.y - window.height / 2, room.y, std::max(room.y, room.y + room.height - window.height));
  return window;
}

}  // namespace lk40::core
