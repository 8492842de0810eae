// The driver's table of logical devices: named connection settings, each with
// a number, one of them the active one. Kept per user in a small file of its
// own (sim-logical-devices.ini beside sim-driver.ini), so it survives restarts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim_frame.h"

namespace lk40::sim {

struct LogicalDevice {
  int32_t number = 0;
  std::string name;  // UTF-8
  int32_t comNumber = 1;
  int32_t baudRate = 2;  // speed index, as BaudRate
  int32_t timeout = 150;
};

class LogicalDevices {
 public:
  static constexpr size_t kMaxNameBytes = 64;
  static constexpr size_t kMaxDevices = 255;

  // Two devices, "Весы 1" on Com1 (active) and "Весы 2" on Com2, both 9600.
  LogicalDevices();

  int32_t count() const { return static_cast<int32_t>(devices_.size()); }
  // nullptr when index is not 0 .. count() - 1.
  const LogicalDevice* at(int32_t index) const;
  const LogicalDevice* find(int32_t number) const;

  // Gives the device the number one above the highest; when the highest is
  // the largest int32_t, the lowest number not in use.
  Result add(const LogicalDevice& device, int32_t& number);
  Result remove(int32_t number);
  // Replaces the settings of the device with device.number.
  Result update(const LogicalDevice& device);
  Result activate(int32_t number);
  std::optional<int32_t> activeIndex() const;

  // Port 1 to 32, speed index 0 to 6, time-out 1 to 65535, a UTF-8 name of
  // at most kMaxNameBytes bytes on one line.
  static bool isValid(const LogicalDevice& device);

  // A missing or unreadable file gives the two default devices; lines that do
  // not describe a valid device are skipped, and an active number that names
  // no device leaves none active.
  static LogicalDevices load(const std::string& file);
  // Atomically, as the settings; false when it could not be written.
  bool save(const std::string& file) const;

 private:
  std::vector<LogicalDevice> devices_;
  int32_t activeNumber_ = 0;  // 0: none
};

}  // namespace lk40::sim
