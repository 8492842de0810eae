// On Windows the settings dialog lives in a DLL of its own beside the COM
// server, AddIn.DrvTarvo.Dialog.dll: only the dialog imports Qt, so the
// server itself registers and loads with no Qt beside it. The two halves
// meet at one C function; the connection values cross as plain integers and
// the faults as their scenario text, so no C++ object passes between them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lk40::sim {

inline constexpr wchar_t kDialogDll[] = L"AddIn.DrvTarvo.Dialog.dll";
inline constexpr char kDialogEntry[] = "lk40_sim_edit_settings";

}  // namespace lk40::sim

extern "C" {
struct lk40_sim_connection {
  int32_t comNumber;
  int32_t baudRate;
  int32_t timeout;
  int32_t password;
  int32_t portNumber;
};
// Receives the faults the operator accepted, as scenario text.
typedef void (*lk40_sim_faults_sink)(void* context, const char* text, size_t size);
// Shows the dialog over connection and the faults in text and returns a
// DialogOutcome as int; on Accepted, connection holds the chosen values and
// sink has had the chosen faults before the function returns.
typedef int (*lk40_sim_edit_settings_fn)(lk40_sim_connection* connection, const char* faults, size_t size,
                                        lk40_sim_faults_sink sink, void* context);
}
