// What the bench takes from its command line.
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

}  // namespace lk40::core
