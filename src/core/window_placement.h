// Where the main window goes on a screen, and how a window of its own fits
// the screen it opens on.
#pragma once

namespace lk40::core {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
};

// The top-left corner of a window centred on the screen, or in the left
// 1024 x 768 area of a screen of exactly 2048 x 768 (two monitors side by side).
Point centredPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(Rect a, Rect b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  }
};

// A window of the wanted size, no larger than the room (the screen's free
// area less the window's frame), centred on a point and moved into the room
// where that would put a part of it outside.
Rect fittedPlacement(Rect room, int wantedWidth, int wantedHeight, Point centre);

}  // namespace lk40::core
