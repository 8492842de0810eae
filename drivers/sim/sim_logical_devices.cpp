#include "sim_logical_devices.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>
#include <string_view>

#include "platform/utf8.h"
#include "platform/whole_file.h"
#include "sim_settings.h"

namespace lk40::sim {

LogicalDevices::LogicalDevices()
    : devices_{{1, "Весы 1", 1, 2, 150}, {2, "Весы 2", 2, 2, 150}}, activeNumber_(1) {}

const LogicalDevice* LogicalDevices::at(int32_t index) const {
  if (index < 0 || index >= count()) return nullptr;
  return &devices_[static_cast<size_t>(index)];
}

const LogicalDevice* LogicalDevices::find(int32_t number) const {
  const auto it = std::find_if(devices_.begin(), devices_.end(),
                               [number](const LogicalDevice& d) { return d.number == number; });
  return it == devices_.end() ? nullptr : &*it;
}

bool LogicalDevices::isValid(const LogicalDevice& d) {
  return d.comNumber >= 1 && d.comNumber <= 32 && d.baudRate >= 0 && d.baudRate <= 6 &&
         d.timeout >= 1 && d.timeout <= 0xFFFF && d.name.size() <= kMaxNameBytes &&
         d.name.find_first_of("\r\n") == std::string::npos && platform::isValidUtf8(d.name);
}

Result LogicalDevices::add(const LogicalDevice& device, int32_t& number) {
  if (!isValid(device) || devices_.size() >= kMaxDevices) return Result::BadParameter;
  int32_t highest = 0;
  for (const LogicalDevice& d : devices_) highest = std::max(highest, d.number);
  LogicalDevice added = device;
  // Past the largest number the lowest one not in use serves: the table is
  // short, so one is always free, and refusing would leave the caller a table
  // with room that no call of the driver can make usable again.
  if (highest < std::numeric_limits<int32_t>::max()) {
    added.number = highest + 1;
  } else {
    added.number = 1;
    while (find(added.number) != nullptr) ++added.number;
  }
  devices_.push_back(added);
  number = added.number;
  return Result::Ok;
}

Result LogicalDevices::remove(int32_t number) {
  const auto it = std::find_if(devices_.begin(), devices_.end(),
                               [number](const LogicalDevice& d) { return d.number == number; });
  if (it == devices_.end()) return Result::NoSuchDevice;
  devices_.erase(it);
  if (activeNumber_ == number) activeNumber_ = 0;
  return Result::Ok;
}

Result LogicalDevices::update(const LogicalDevice& device) {
  const auto it = std::find_if(devices_.begin(), devices_.end(),
                               [&](const LogicalDevice& d) { return d.number == device.number; });
  if (it == devices_.end()) return Result::NoSuchDevice;
  if (!isValid(device)) return Result::BadParameter;
  *it = device;
  return Result::Ok;
}

Result LogicalDevices::activate(int32_t number) {
  if (find(number) == nullptr) return Result::NoSuchDevice;
  activeNumber_ = number;
  return Result::Ok;
}

std::optional<int32_t> LogicalDevices::activeIndex() const {
  for (size_t i = 0; i < devices_.size(); ++i) {
    if (devices_[i].number == activeNumber_) return static_cast<int32_t>(i);
  }
  return std::nullopt;
}

namespace {

constexpr std::string_view kSection = "[LogicalDevices]";

bool readInt(std::string_view& text, int32_t& value) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + comma, value);
  if (error != std::errc() || end != text.data() + comma) return false;
  text.remove_prefix(comma + 1);
  return true;
}

}  // namespace

// Active=<number>, then one Device=<number>,<port>,<speed>,<time-out>,<name>
// per device in enumeration order; the name is the rest of the line.
LogicalDevices LogicalDevices::load(const std::string& file) {
  LogicalDevices table;
  if (file.empty()) return table;
  std::string bytes;
  if (platform::readWholeFile(file, bytes)) return table;
  std::istringstream in(bytes);
  table.devices_.clear();
  table.activeNumber_ = 0;
  std::string line;
  int32_t active = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string_view text = line;
    if (text.rfind("Active=", 0) == 0) {
      std::from_chars(text.data() + 7, text.data() + text.size(), active);
    } else if (text.rfind("Device=", 0) == 0) {
      text.remove_prefix(7);
      LogicalDevice d;
      if (!readInt(text, d.number) || !readInt(text, d.comNumber) || !readInt(text, d.baudRate) ||
          !readInt(text, d.timeout)) {
        continue;
      }
      d.name = std::string(text);
      if (d.number > 0 && isValid(d) && table.find(d.number) == nullptr && table.devices_.size() < kMaxDevices)
        table.devices_.push_back(d);
    }
  }
  if (table.find(active) != nullptr) table.activeNumber_ = active;
  return table;
}

bool LogicalDevices::save(const std::string& file) const {
  std::ostringstream text;
  text << kSection << '\n' << "Active=" << activeNumber_ << '\n';
  for (const LogicalDevice& d : devices_) {
    text << "Device=" << d.number << ',' << d.comNumber << ',' << d.baudRate << ',' << d.timeout << ',' << d.name
         << '\n';
  }
  return writeFileAtomically(file, text.str());
}

}  // namespace lk40::sim
