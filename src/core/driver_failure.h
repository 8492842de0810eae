// The driver's bitness and the bench's: which of the two installed twins
// runs, and why no driver could be had beneath "Драйвер не установлен".
// Windows keeps the classes of 32-bit and 64-bit programs in two views of
// the registry, and an in-process server serves only its own bitness.
#pragma once

#include <string>

namespace lk40::core {

struct DriverFailureFacts {
  std::string progId;
  std::string failure;        // the system's words for what creating the driver raised
  std::string clsid;          // the class the ProgID names; empty when it names none
  bool registered32 = false;  // its in-process server in the registry's 32-bit view
  bool registered64 = false;  // and in the 64-bit view
  int ownBits = 64;           // this bench's bitness, 32 or 64
  bool handedOver = false;    // this bench was handed the run by its twin
  std::string twin;           // the installed twin of the other bitness; empty when none
  std::string twinError;      // why that twin could not be started; empty when it was not tried
};

// True when the run goes to the twin: the class's server is registered only
// for the other bitness, the twin is installed and was not tried in vain, and
// this bench was not handed the run itself (a twin never hands it back).
bool handsOver(const DriverFailureFacts& facts);

// The reason beneath "Драйвер не установлен", one fact a line: what was
// looked up, the system's words, and the bitness the driver is registered for.
std::string driverFailureDetails(const DriverFailureFacts& facts);

}  // namespace lk40::core
