// The logical devices: the driver's own table, no module exchange.
#include "sim_driver.h"

namespace lk40::sim {

Result Driver::storeDevices(Result change) {
  if (change != Result::Ok || env_.settingsFile.empty()) return change;
  // The change holds for this object; the result says it did not reach the file.
  return devices_.save(logicalDevicesFile(env_.settingsFile)) ? Result::Ok : Result::SettingsNotSaved;
}

int32_t Driver::addLd() {
  const LogicalDevice device{0, props_.getText(Prop::LDName), props_.getInt(Prop::LDComNumber),
                             props_.getInt(Prop::LDBaudrate), props_.getInt(Prop::LDTimeout)};
  int32_t number = 0;
  const Result r = devices_.add(device, number);
  if (r == Result::Ok) props_.setInt(Prop::LDNumber, number);
  return finish(storeDevices(r));
}

int32_t Driver::deleteLd() { return finish(storeDevices(devices_.remove(props_.getInt(Prop::LDNumber)))); }

int32_t Driver::enumLd() {
  const LogicalDevice* device = devices_.at(props_.getInt(Prop::LDIndex));
  if (device == nullptr) return finish(Result::NoSuchDevice);
  props_.setInt(Prop::LDNumber, device->number);
  props_.setText(Prop::LDName, device->name);
  return finish(Result::Ok);
}

int32_t Driver::getCountLd() {
  props_.setInt(Prop::LDCount, devices_.count());
  return finish(Result::Ok);
}

int32_t Driver::getActiveLd() {
  const auto index = devices_.activeIndex();
  if (!index) return finish(Result::NoActiveDevice);
  props_.setInt(Prop::LDIndex, *index);
  props_.setInt(Prop::LDNumber, devices_.at(*index)->number);
  return finish(Result::Ok);
}

// The active device becomes the driver's connection: the next Connect uses
// its settings, and so does the first one after a restart, as they are stored
// as the driver's own settings too.
int32_t Driver::setActiveLd() {
  const int32_t number = props_.getInt(Prop::LDNumber);
  const Result activated = devices_.activate(number);
  if (activated != Result::Ok) return finish(activated);
  const LogicalDevice* device = devices_.find(number);
  props_.setInt(Prop::ComNumber, device->comNumber);
  props_.setInt(Prop::BaudRate, device->baudRate);
  props_.setInt(Prop::Timeout, device->timeout);
  Result stored = storeDevices(activated);
  if (stored == Result::Ok && !env_.settingsFile.empty()) {
    StoredSettings settings = loadSettings(env_.settingsFile);
    settings.comNumber = device->comNumber;
    settings.baudRate = device->baudRate;
    settings.timeout = device->timeout;
    if (!saveSettings(env_.settingsFile, settings)) stored = Result::SettingsNotSaved;
  }
  return finish(stored);
}

int32_t Driver::getParamLd() {
  const LogicalDevice* device = devices_.find(props_.getInt(Prop::LDNumber));
  if (device == nullptr) return finish(Result::NoSuchDevice);
  props_.setText(Prop::LDName, device->name);
  props_.setInt(Prop::LDComNumber, device->comNumber);
  props_.setInt(Prop::LDBaudrate, device->baudRate);
  props_.setInt(Prop::LDTimeout, device->timeout);
  return finish(Result::Ok);
}

int32_t Driver::setParamLd() {
  const LogicalDevice device{props_.getInt(Prop::LDNumber), props_.getText(Prop::LDName),
                             props_.getInt(Prop::LDComNumber), props_.getInt(Prop::LDBaudrate),
                             props_.getInt(Prop::LDTimeout)};
  return finish(storeDevices(devices_.update(device)));
}

}  // namespace lk40::sim
