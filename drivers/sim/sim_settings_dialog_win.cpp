// The COM server's side of the settings dialog: the dialog DLL beside the
// server, loaded the first time the dialog is asked for and kept (Qt is not
// unloaded cleanly). Without the DLL, or in a host with no widgets, there is
// no dialog.
#include <windows.h>

#include <string>

#include "platform/module_file_win.h"
#include "sim_scenario.h"
#include "sim_settings_dialog.h"
#include "sim_settings_dialog_dll.h"

namespace lk40::sim {
namespace {

// The folder of this module, the server, with a trailing backslash.
std::wstring serverFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&serverFolder), &self)) {
    return {};
  }
  const std::wstring path = lk40::platform::moduleFileName(self);
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

lk40_sim_edit_settings_fn dialogEntry() {
  static const lk40_sim_edit_settings_fn entry = []() -> lk40_sim_edit_settings_fn {
    const std::wstring folder = serverFolder();
    if (folder.empty()) return nullptr;
    // The altered search path finds the Qt DLLs beside the dialog DLL first.
    HMODULE dll = LoadLibraryExW((folder + kDialogDll).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (dll == nullptr) return nullptr;
    return reinterpret_cast<lk40_sim_edit_settings_fn>(
        reinterpret_cast<void*>(GetProcAddress(dll, kDialogEntry)));
  }();
  return entry;
}

}  // namespace

DialogOutcome editSettingsInDialog(StoredSettings& settings) {
  const lk40_sim_edit_settings_fn edit = dialogEntry();
  if (edit == nullptr) return DialogOutcome::NotAvailable;
  lk40_sim_connection connection{settings.comNumber, settings.baudRate, settings.timeout, settings.password,
                                 settings.portNumber};
  const std::string faults = scenarioText(settings.faults);
  std::string chosen;
  const auto sink = [](void* context, const char* text, size_t size) {
    static_cast<std::string*>(context)->assign(text, size);
  };
  const int outcome = edit(&connection, faults.data(), faults.size(), sink, &chosen);
  if (outcome == static_cast<int>(DialogOutcome::Cancelled)) return DialogOutcome::Cancelled;
  if (outcome != static_cast<int>(DialogOutcome::Accepted)) return DialogOutcome::NotAvailable;
  try {
    settings.faults = parseScenario(chosen);
  } catch (const ScenarioError&) {
    return DialogOutcome::NotAvailable;  // the dialog writes only text that parses
  }
  settings.comNumber = connection.comNumber;
  settings.baudRate = connection.baudRate;
  settings.timeout = connection.timeout;
  settings.password = connection.password;
  settings.portNumber = connection.portNumber;
  return DialogOutcome::Accepted;
}

}  // namespace lk40::sim
