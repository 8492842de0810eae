// `lk40-drvtest --run SCRIPT [--report FILE] [--junit FILE]`: the main window
// over the installed driver, the script carried out on it, the report and
// the JUnit file written.
#pragma once

#include "core/run_options.h"
#include "main_window/tfrm_main.h"

// Reads and checks the script and its includes, makes the report and JUnit
// files, makes the window (without the operator's saved inputs), runs the
// steps and writes the report step by step to FILE or to standard output,
// and the JUnit file beside it. Returns the exit code: 0 every expectation
// held, 1 one failed, 2 a bad script, a report or JUnit file that cannot be
// written or no driver (the reasons on standard error, and in the report
// file); a time limit passed ends the process with 3.
int runScripted(const lk40::core::RunOptions& run, TfrmMainOptions options);
