// The driver's own settings dialog: port, speed, time-out, password and faults.
// Available only in the Qt build and only when the host runs a QApplication.
#pragma once

#include "sim_settings.h"

namespace lk40::sim {

// Shows the dialog modally over the host's active window, starting from
// settings; on Accepted, settings hold what the operator chose.
DialogOutcome editSettingsInDialog(StoredSettings& settings);

}  // namespace lk40::sim
