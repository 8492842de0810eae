// The program handover_test starts in its place: it writes the arguments it
// was given to LK40_CHILD_OUT and tells by its exit code whether it carries
// the mark of a hand-over (7) or not (3).
#include <windows.h>

#include <fstream>
#include <string>

#include "platform/process_handover.h"
#include "platform/wide_text_win.h"

int main() {
  wchar_t out[MAX_PATH];
  if (GetEnvironmentVariableW(L"LK40_CHILD_OUT", out, MAX_PATH) == 0) return 1;
  std::ofstream(lk40::platform::narrow(out), std::ios::binary)
      << lk40::platform::narrow(lk40::platform::argumentsAfterProgram(std::wstring_view(GetCommandLineW())));
  return lk40::platform::handedOver() ? 7 : 3;
}
