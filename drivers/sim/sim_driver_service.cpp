// Keyboard, password, supply and the test buffer.
#include "contract/command_codes.h"
#include "sim_driver.h"

namespace lk40::sim {

int32_t Driver::keyEmulation() {
  const int32_t key = props_.getInt(Prop::Key);
  const bool fits = fitsByte(key);
  Bytes request;
  putU8(request, static_cast<uint32_t>(key));
  return exchange(command::kKeyEmulation, Auth::Password, fits ? Result::Ok : Result::BadParameter,
                  request, [this, key](Bytes&) { return module_.emulateKey(key); });
}

int32_t Driver::lockKeyboard() {
  const bool locked = props_.getBool(Prop::LockKeyboardON);
  Bytes request;
  putU8(request, locked ? 1 : 0);
  return exchange(command::kLockKeyboard, Auth::Password, Result::Ok, request,
                  [this, locked](Bytes&) {
                    module_.lockKeyboard(locked);
                    return Result::Ok;
                  });
}

int32_t Driver::setPassword() {
  const int32_t newPassword = props_.getInt(Prop::NewPassword);
  const bool fits = newPassword >= 0 && newPassword <= kMaxPassword;
  Bytes request;
  putU16(request, static_cast<uint32_t>(newPassword));
  return exchange(command::kSetPassword, Auth::Password, fits ? Result::Ok : Result::BadParameter,
                  request, [this, newPassword](Bytes&) { return module_.setPassword(newPassword); });
}

int32_t Driver::getVoltage() {
  return exchange(command::kGetVoltage, Auth::Password, Result::Ok, {}, [this](Bytes& reply) {
    const SupplyReading s = module_.readSupply();
    for (const int32_t v : {s.voltage5, s.voltage12, s.voltageX, s.flags, s.voltageX1}) {
      putU16(reply, static_cast<uint32_t>(v));
    }
    props_.setInt(Prop::Voltage5, s.voltage5);
    props_.setInt(Prop::Voltage12, s.voltage12);
    props_.setInt(Prop::VoltageX, s.voltageX);
    props_.setInt(Prop::VoltageFlags, s.flags);
    props_.setInt(Prop::VoltageX1, s.voltageX1);
    return Result::Ok;
  });
}

int32_t Driver::testClr() {
  return exchange(command::kTestClr, Auth::None, Result::Ok, {}, [this](Bytes&) {
    module_.clearTestLog();
    return Result::Ok;
  });
}

int32_t Driver::testGet() {
  return exchange(command::kTestGet, Auth::None, Result::Ok, {}, [this](Bytes& reply) {
    const Bytes record = module_.takeTestRecord();
    reply.insert(reply.end(), record.begin(), record.end());
    props_.setText(Prop::TestData, ansiToUtf8(record));
    return Result::Ok;
  });
}

}  // namespace lk40::sim
