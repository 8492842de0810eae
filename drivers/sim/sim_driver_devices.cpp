// The logical devices: the driver's own table, no module exchange.
#include "sim_driver.h"

namespace lk40::sim {

int32_t Driver::addLd() {
  const LogicalDevice device{0, props_.getText(Prop::LDName), props_.getInt(Prop::LDComNumber),
                             props_.getInt(Prop::LDBaudrate), props_.getInt(Prop::LDTimeout)};
  int32_t number = 0;
  const Result r = devices_.add(device, number);
  if (r == Result::Ok) props_.setInt(Prop::LDNumber, number);
  return finish(r);
}

int32_t Driver::deleteLd() { return finish(devices_.remove(props_.getInt(Prop::LDNumber))); }

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

int32_t Driver::setActiveLd() {
  const int32_t number = props_.getInt(Prop::LDNumber);
  const Result r = devices_.activate(number);
  if (r != Result::Ok) return finish(r);
  // The next Connect uses the device's settings.
  const LogicalDevice* device = devices_.find(number);
  props_.setInt(Prop::ComNumber, device->comNumber);
  props_.setInt(Prop::BaudRate, device->baudRate);
  props_.setInt(Prop::Timeout, device->timeout);
  return finish(Result::Ok);
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
  return finish(devices_.update(device));
}

}  // namespace lk40::sim
