// The command-line options of a scripted run, "--run SCRIPT [--report FILE]
// [--junit FILE] [--timeout SECONDS] [--step-timeout SECONDS]", of a check of
// a script, "--check SCRIPT", and of a recording, "--record FILE", taken out
// of the bench's arguments before the ordinary ones are read.
#pragma once

#include <string>
#include <vector>

#include "core/run_reporter.h"

namespace lk40::core {

struct RunOptions {
  std::string script;  // empty: no scripted run
  std::string report;  // empty: the report goes to standard output
  std::string junit;   // empty: no JUnit file
  std::string check;   // --check: the script to parse, nothing else done
  std::string record;  // --record: the file the operator's steps are written to
  RunLimits limits;
  // The other arguments in their order, for parseCommandLine.
  std::vector<std::string> rest;
  // Why the options cannot be used; a scripted run then ends with kRunBad.
  std::string error;

  bool scripted() const { return !script.empty(); }
};

// Each option takes the next argument as its value, or the text after "="
// ("--run=a.txt"), and may be given once; a value must not be empty or begin
// with "--". "--report", "--junit" and the limits need "--run"; "--check"
// and "--record" stand alone. Neither "--report" nor "--junit" may name the
// script's file, or each other's, by any name; the limits are whole seconds,
// 1 to 30 days. Every other argument goes to `rest` untouched.
RunOptions parseRunOptions(const std::vector<std::string>& arguments);

// Whether two names are the same file: a link, a hard link, "./", an
// absolute path; a name not there yet is the other only when it is the
// same name made absolute.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace lk40::core
