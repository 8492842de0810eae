// The scenario format: a fault plan as INI-like text, read from the file that
// LK40_SIM_SCENARIO names and kept in the driver's settings file beside the
// connection settings. README.md describes it with an example per fault.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim_faults.h"

namespace lk40::sim {

class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises ScenarioError naming the line and what is wrong with it. A
// [Connection] section (the stored settings' own) is passed over.
FaultPlan parseScenario(std::string_view text);

// Reads and parses a file; the error names the file too.
FaultPlan loadScenario(const std::string& file);

// The plan in the same format, sections in a fixed order; an empty plan gives "".
std::string scenarioText(const FaultPlan& plan);

// "0, 1.5, 3" or "0; 1,5; 3": items split at ';' when there is one (then a
// comma inside an item is a decimal comma), otherwise at ','. Every weight
// within ±1000 kg; nullopt for anything else or for an empty list.
std::optional<std::vector<double>> parseWeights(std::string_view text);
// "0; 1.5; 3", the form the dialog shows.
std::string weightsText(const std::vector<double>& weights);

}  // namespace lk40::sim
