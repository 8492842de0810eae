// Which of the two installed twins runs: the bench of the driver's bitness.
#pragma once

#include <optional>
#include <string>

// Called before anything of the run is made (its window, a scripted run's
// report and time limits): when the driver's class is registered only for
// programs of the other bitness and the twin of that bitness is installed,
// runs the twin with this run's arguments and returns its exit code, for
// this process to end with. Nothing when this bench is to run; twinError
// then tells why a twin that should have run could not be started, for the
// box the window shows (TfrmMainOptions::twinError).
std::optional<int> runTwinIfDriverIsTheirs(std::string& twinError);
