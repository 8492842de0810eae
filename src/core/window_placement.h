// Where the main window goes on a screen.
#pragma once

namespace lk40::core {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
};

// The top-left corner of a window centred on the screen, or in the left
// 1024 x 768 area of a screen of exactly 2048 x 768 (two monitors side by side).
Point centredPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace lk40::core
