// Connection, exchange settings, mode, identity and the settings dialog.
#include "contract/command_codes.h"
#include "sim_driver.h"

namespace lk40::sim {
namespace {

constexpr int32_t kMaxComNumber = 255;

bool validBaudRate(int32_t index) { return index >= 0 && index <= 6; }

}  // namespace

void Driver::fillIdentity(Bytes& reply) {
  const Identity& id = module_.identity();
  putU8(reply, static_cast<uint32_t>(id.majorType));
  putU8(reply, static_cast<uint32_t>(id.minorType));
  putU8(reply, static_cast<uint32_t>(id.majorProtocolVersion));
  putU8(reply, static_cast<uint32_t>(id.minorProtocolVersion));
  putU8(reply, static_cast<uint32_t>(id.model));
  putU16(reply, static_cast<uint32_t>(id.codePage));
  const Bytes description = moduleText(id.description);
  reply.insert(reply.end(), description.begin(), description.end());

  props_.setInt(Prop::UMajorType, id.majorType);
  props_.setInt(Prop::UMinorType, id.minorType);
  props_.setInt(Prop::UMajorProtocolVersion, id.majorProtocolVersion);
  props_.setInt(Prop::UMinorProtocolVersion, id.minorProtocolVersion);
  props_.setInt(Prop::UModel, id.model);
  props_.setInt(Prop::UCodePage, id.codePage);
  props_.setText(Prop::UDescription, id.description);
}

int32_t Driver::connect() {
  setConnected(false);
  const int32_t com = props_.getInt(Prop::ComNumber);
  const int32_t baud = props_.getInt(Prop::BaudRate);
  if (!validBaudRate(baud) || props_.getInt(Prop::Timeout) <= 0) return finish(Result::BadParameter);
  if (com < 1 || com > kMaxComNumber) return finish(Result::NoConnection);
  // The driver opens the port and asks for the device type; on the wrong port
  // or at the wrong speed nothing answers.
  const bool heard = com == env_.simPort && baud == module_.exchangeParams().baudRate;
  const int32_t result = transact(command::kGetDeviceMetrics, makeFrame(command::kGetDeviceMetrics, {}),
                                  [this](Bytes& reply) {
                                    fillIdentity(reply);
                                    return Result::Ok;
                                  },
                                  heard);
  setConnected(result == code(Result::Ok));
  return result;
}

int32_t Driver::disconnect() {
  setConnected(false);
  return finish(Result::Ok);
}

int32_t Driver::getExchangeParam() {
  return exchange(command::kGetExchangeParam, Auth::Password, Result::Ok, {}, [this](Bytes& reply) {
    const ExchangeParams& p = module_.exchangeParams();
    putU8(reply, static_cast<uint32_t>(p.baudRate));
    putU16(reply, static_cast<uint32_t>(p.timeout));
    putU8(reply, static_cast<uint32_t>(p.portNumber));
    props_.setInt(Prop::BaudRate, p.baudRate);
    props_.setInt(Prop::Timeout, p.timeout);
    props_.setInt(Prop::PortNumber, p.portNumber);
    return Result::Ok;
  });
}

int32_t Driver::setExchangeParam() {
  const ExchangeParams p{props_.getInt(Prop::BaudRate), props_.getInt(Prop::Timeout),
                         props_.getInt(Prop::PortNumber)};
  const bool valid = validBaudRate(p.baudRate) && p.timeout >= 1 && p.timeout <= 0xFFFF &&
                     fitsByte(p.portNumber);
  Bytes request;
  putU8(request, static_cast<uint32_t>(p.baudRate));
  putU16(request, static_cast<uint32_t>(p.timeout));
  putU8(request, static_cast<uint32_t>(p.portNumber));
  // The reply still comes at the old speed; both sides then switch, so the
  // connection, made at the speed now written to BaudRate, goes on.
  return exchange(command::kSetExchangeParam, Auth::Password,
                  valid ? Result::Ok : Result::BadParameter, request,
                  [this, p](Bytes&) { return module_.setExchangeParams(p); });
}

int32_t Driver::getDeviceMetrics() {
  return exchange(command::kGetDeviceMetrics, Auth::None, Result::Ok, {}, [this](Bytes& reply) {
    fillIdentity(reply);
    return Result::Ok;
  });
}

int32_t Driver::getMode() {
  return exchange(command::kGetMode, Auth::None, Result::Ok, {}, [this](Bytes& reply) {
    putU8(reply, static_cast<uint32_t>(module_.mode()));
    props_.setInt(Prop::Mode, module_.mode());
    return Result::Ok;
  });
}

int32_t Driver::setMode() {
  const int32_t requested = props_.getInt(Prop::Mode);
  const bool fits = fitsByte(requested);
  Bytes request;
  putU8(request, static_cast<uint32_t>(requested));
  // The module itself refuses the modes it does not have.
  return exchange(command::kSetMode, Auth::Password, fits ? Result::Ok : Result::BadParameter,
                  request, [this, requested](Bytes&) { return module_.setMode(requested); });
}

int32_t Driver::reset() {
  return exchange(command::kReset, Auth::Password, Result::Ok, {}, [this](Bytes&) {
    module_.reset();
    return Result::Ok;
  });
}

int32_t Driver::getDeviceCrc() {
  return exchange(command::kGetDeviceCRC, Auth::None, Result::Ok, {}, [this](Bytes& reply) {
    const uint16_t crc = module_.deviceCrc();
    putU16(reply, crc);
    props_.setInt(Prop::DeviceCRC, crc);
    return Result::Ok;
  });
}

int32_t Driver::showProperties() {
  StoredSettings settings{props_.getInt(Prop::ComNumber), props_.getInt(Prop::BaudRate),
                          props_.getInt(Prop::Timeout), props_.getInt(Prop::Password),
                          props_.getInt(Prop::PortNumber), plan_};
  const DialogOutcome outcome = editor_ ? editor_(settings) : DialogOutcome::NotAvailable;
  if (outcome == DialogOutcome::NotAvailable) return finish(Result::DialogNotAvailable);
  if (outcome == DialogOutcome::Cancelled) return finish(Result::Ok);

  props_.setInt(Prop::ComNumber, settings.comNumber);
  props_.setInt(Prop::BaudRate, settings.baudRate);
  props_.setInt(Prop::Timeout, settings.timeout);
  props_.setInt(Prop::Password, settings.password);
  applyPlan(settings.faults);
  // The stored file only takes values it can hold; loadSettings would drop others.
  const StoredSettings defaults;
  StoredSettings stored = settings;
  if (stored.portNumber < 0 || stored.portNumber > 0xFF) stored.portNumber = defaults.portNumber;
  return finish(saveSettings(env_.settingsFile, stored) ? Result::Ok : Result::SettingsNotSaved);
}

}  // namespace lk40::sim
