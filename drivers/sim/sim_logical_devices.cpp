#include "sim_logical_devices.h"

#include <algorithm>

#include "sim_text.h"

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
         isValidUtf8(d.name);
}

Result LogicalDevices::add(const LogicalDevice& device, int32_t& number) {
  if (!isValid(device) || devices_.size() >= kMaxDevices) return Result::BadParameter;
  int32_t highest = 0;
  for (const LogicalDevice& d : devices_) highest = std::max(highest, d.number);
  LogicalDevice added = device;
  added.number = highest + 1;
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

}  // namespace lk40::sim
