// What the bench takes from its command line, and where the main window goes
// on a screen: rules that need no window.
#pragma once

#include <string>
#include <vector>

namespace lk40::core {

struct CommandLine {
  std::string loggingFile;
  int loggingPeriod = 0;  // milliseconds; at least 50 when given
  int loggingStep = 0;
  bool testPage = false;  // "-t": the soak test page is shown
};

// The arguments after the program name (and after the toolkit took its own):
// FILE PERIOD STEP [-t] with three or more, or "-t" alone; anything else
// gives nothing. PERIOD and STEP are decimal integers (an optional sign and
// digits, nothing else); anything else reads as -1. A period below 50 is
// raised to 50; a step of 0 or -1 clears the file. "-t" matches exactly. A positive
// period (given exactly with three or more arguments) is also the main
// timer's interval.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

struct Point {
  int x = 0, y = 0;
  friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
};

// The top-left corner of a window centred on the screen, or in the left
// 1024 x 768 area of a screen of exactly 2048 x 768 (two monitors side by side).
Point centredPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace lk40::core
