// Builds without Qt have no settings dialog.
#include "sim_settings_dialog.h"

namespace lk40::sim {

DialogOutcome editSettingsInDialog(StoredSettings&) { return DialogOutcome::NotAvailable; }

}  // namespace lk40::sim
