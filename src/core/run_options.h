// The command-line options of a scripted run, "--run SCRIPT [--report FILE]
// [--timeout SECONDS] [--step-timeout SECONDS]", taken out of the bench's
// arguments before the ordinary ones are read.
#pragma once

#include <string>
#include <vector>

#include "core/run_reporter.h"

namespace lk40::core {

struct RunOptions {
  std::string script;  // empty: no scripted run
  std::string report;  // empty: the report goes to standard output
  RunLimits limits;
  // The other arguments in their order, for parseCommandLine.
  std::vector<std::string> rest;
  // Why the options cannot be used; a scripted run then ends with kRunBad.
  std::string error;

  bool scripted() const { return !script.empty(); }
};

// Each option takes the next argument as its value, or the text after "="
// ("--run=a.txt"), and may be given once; a value must not be empty or begin
// with "--". The others need "--run"; "--report" must not name the script's
// file by any name; the limits are whole seconds, 1 to 30 days. Every other
// argument goes to `rest` untouched.
RunOptions parseRunOptions(const std::vector<std::string>& arguments);

}  // namespace lk40::core
