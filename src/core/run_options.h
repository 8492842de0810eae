// The command-line options of a scripted run, "--run SCRIPT [--report FILE]",
// taken out of the bench's arguments before the ordinary ones are read.
#pragma once

#include <string>
#include <vector>

namespace lk40::core {

struct RunOptions {
  std::string script;  // empty: no scripted run
  std::string report;  // empty: the report goes to standard output
  // The other arguments in their order, for parseCommandLine.
  std::vector<std::string> rest;
  // Why the options cannot be used; a scripted run then ends with kRunBad.
  std::string error;

  bool scripted() const { return !script.empty(); }
};

// "--run" and "--report" take the next argument as their value, or the text
// after "=" ("--run=a.txt"). Each may be given once; a value must not be empty
// or begin with "--"; "--report" needs "--run", and must not name the script.
// Every other argument goes to `rest` untouched.
RunOptions parseRunOptions(const std::vector<std::string>& arguments);

}  // namespace lk40::core
