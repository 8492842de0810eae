// The driver's stored connection settings, in its own small file
// sim-driver.ini in the bench's per-user folder (platform/config_folder.h):
// $XDG_CONFIG_HOME/lk40-drvtest (~/.config when unset), on Windows
// %APPDATA%\lk40-drvtest.
#pragma once

#include <cstdint>
#include <string>

#include "sim_faults.h"

namespace lk40::sim {

struct StoredSettings {
  int32_t comNumber = 1;  // Com1
  int32_t baudRate = 2;   // 9600
  int32_t timeout = 150;
  int32_t password = 30;
  int32_t portNumber = 0;
  FaultPlan faults = {};  // the sections after [Connection], in the scenario format

  friend bool operator==(const StoredSettings& a, const StoredSettings& b) {
    return a.comNumber == b.comNumber && a.baudRate == b.baudRate && a.timeout == b.timeout &&
           a.password == b.password && a.portNumber == b.portNumber && a.faults == b.faults;
  }
};

// Empty when the platform names no per-user folder.
std::string defaultSettingsFile();

// A missing file gives the defaults; a value that is missing, not a number
// or out of its range (port 1-32, speed 0-6, time-out 1-65535, password
// 0-9999, port number 0-255) gives that value's default. Fault sections that
// do not parse give no faults at all.
StoredSettings loadSettings(const std::string& file);

// Writes beside the file and renames into place, so a crash leaves the old
// file or the new one, never half of one. Creates the folder. False on failure.
bool saveSettings(const std::string& file, const StoredSettings& settings);

// Replaces the file whole (platform/whole_file.h), creating the folder.
bool writeFileAtomically(const std::string& file, const std::string& text);

// The logical devices' file beside the settings file; empty with it.
std::string logicalDevicesFile(const std::string& settingsFile);

// How the driver's settings dialog ended.
enum class DialogOutcome { Accepted, Cancelled, NotAvailable };

}  // namespace lk40::sim
