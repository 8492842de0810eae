// When the driver cannot be created: the bench hands the run over to its
// twin of the other bitness when the driver's class is registered only for
// programs of that bitness, or else says why beneath "Драйвер не установлен".
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
};

struct DriverFailure {
  bool handOver = false;  // start `twin` with this run's arguments and end with its exit code
  std::string details;    // the reason, one fact a line: the box's details, the report's lines
};

// A bench handed the run never hands it back, whatever it finds.
DriverFailure judgeDriverFailure(const DriverFailureFacts& facts);

// The line added to the details when the twin could not be started.
std::string twinNotStarted(int twinBits, const std::string& why);

}  // namespace lk40::core
