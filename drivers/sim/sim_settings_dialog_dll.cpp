// The dialog DLL's one entry point: the settings in, the Qt dialog, the
// settings out. Catches everything; nothing C++ leaves the DLL.
#include <string>
#include <string_view>

#include "sim_scenario.h"
#include "sim_settings_dialog.h"
#include "sim_settings_dialog_dll.h"

extern "C" __declspec(dllexport) int lk40_sim_edit_settings(lk40_sim_connection* connection,
                                                           const char* faults, size_t size,
                                                           lk40_sim_faults_sink sink, void* context) {
  using namespace lk40::sim;
  try {
    StoredSettings settings{connection->comNumber, connection->baudRate, connection->timeout,
                            connection->password,  connection->portNumber, parseScenario(std::string_view(faults, size))};
    const DialogOutcome outcome = editSettingsInDialog(settings);
    if (outcome == DialogOutcome::Accepted) {
      *connection = {settings.comNumber, settings.baudRate, settings.timeout, settings.password,
                     settings.portNumber};
      const std::string chosen = scenarioText(settings.faults);
      sink(context, chosen.data(), chosen.size());
    }
    return static_cast<int>(outcome);
  } catch (...) {
    return static_cast<int>(DialogOutcome::NotAvailable);
  }
}
