// `lk40-drvtest --run SCRIPT [--report FILE]`: the main window over the
// installed driver, the script carried out on it, the report written.
#pragma once

#include "core/run_options.h"
#include "main_window/tfrm_main.h"

// Reads and checks the script, makes the window (without the operator's
// saved inputs), runs the steps and writes the report to FILE or to standard
// output. Returns the exit code: 0 every expectation held, 1 one failed,
// 2 a bad script or no driver (the reasons on standard error, and no
// driver's in the report too). A bench that handed the run to its twin of
// the other bitness returns the twin's code.
int runScripted(const lk40::core::RunOptions& run, TfrmMainOptions options);
