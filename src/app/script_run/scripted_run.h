// `lk40-drvtest --run SCRIPT [--report FILE]`: the main window over the
// installed driver, the script carried out on it, the report written.
#pragma once

#include "core/run_options.h"
#include "main_window/tfrm_main.h"

// Reads and checks the script, makes the report file, makes the window
// (without the operator's saved inputs), runs the steps and writes the
// report step by step to FILE or to standard output. Returns the exit code:
// 0 every expectation held, 1 one failed, 2 a bad script, a report that
// cannot be written or no driver (the reasons on standard error, and in a
// report file); a time limit passed ends the process with 3.
int runScripted(const lk40::core::RunOptions& run, TfrmMainOptions options);
