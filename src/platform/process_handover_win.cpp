#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/process_handover.h"
#include "platform/wide_text_win.h"

namespace lk40::platform {
namespace {

[[noreturn]] void raise(const std::string& program, DWORD error) {
  std::string text = systemMessage(error);
  if (text.empty()) text = "error " + std::to_string(error);
  throw std::runtime_error(program + ": " + text);
}

// A handle closed however the scope ends.
struct OwnedHandle {
  HANDLE handle = nullptr;
  ~OwnedHandle() {
    if (handle != nullptr) CloseHandle(handle);
  }
};

}  // namespace

int runHandingOver(const std::string& program) {
  const std::wstring path = widen(program);
  // The arguments go on exactly as they came, quotes and all; only the
  // program's name is the other's.
  std::wstring line = L"\"" + path + L"\"";
  line += argumentsAfterProgram(std::wstring_view(GetCommandLineW()));
  // The mark goes to the child through the environment it inherits; this
  // process does nothing more but wait.
  const std::wstring mark = widen(kHandedOverVariable);
  if (!SetEnvironmentVariableW(mark.c_str(), L"1")) raise(program, GetLastError());

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
    raise(program, GetLastError());
  const OwnedHandle process{started.hProcess};
  const OwnedHandle thread{started.hThread};
  if (WaitForSingleObject(process.handle, INFINITE) != WAIT_OBJECT_0) raise(program, GetLastError());
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.handle, &exitCode)) raise(program, GetLastError());
  return static_cast<int>(exitCode);
}

}  // namespace lk40::platform
