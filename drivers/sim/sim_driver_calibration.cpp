// Calibration points, the calibration process and the converter reading.
#include <cmath>

#include "contract/command_codes.h"
#include "sim_driver.h"

namespace lk40::sim {

int32_t Driver::setFixedPoint() {
  const int32_t point = props_.getInt(Prop::PointNumber);
  const double kg = props_.getDouble(Prop::CalibrationWeight);
  Bytes request;
  putU8(request, static_cast<uint32_t>(point));
  putI32(request, weightUnits(kg, channelDegree()));
  const bool fits = fitsByte(point) && std::isfinite(kg);
  return exchange(command::kSetFixedPoint, Auth::Password, fits ? Result::Ok : Result::BadParameter,
                  request, [this, point, kg](Bytes&) { return module_.setFixedPoint(point, kg); });
}

int32_t Driver::getFixedPoint() {
  const int32_t point = props_.getInt(Prop::PointNumber);
  Bytes request;
  putU8(request, static_cast<uint32_t>(point));
  return exchange(command::kGetFixedPoint, Auth::Password,
                  fitsByte(point) ? Result::Ok : Result::BadParameter, request,
                  [this, point](Bytes& reply) {
                    double kg = 0;
                    const Result r = module_.fixedPoint(point, kg);
                    if (r != Result::Ok) return r;
                    putI32(reply, weightUnits(kg, channelDegree()));
                    props_.setDouble(Prop::CalibrationWeight, kg);
                    return Result::Ok;
                  });
}

int32_t Driver::startCalibration() {
  const int32_t point = props_.getInt(Prop::PointNumber);
  Bytes request;
  putU8(request, static_cast<uint32_t>(point));
  return exchange(command::kStartCalibration, Auth::Password,
                  fitsByte(point) ? Result::Ok : Result::BadParameter, request,
                  [this, point](Bytes&) { return module_.startCalibration(point); });
}

int32_t Driver::getCalibrationStatus() {
  return exchange(command::kGetCalibrationStatus, Auth::Password, Result::Ok, {},
                  [this](Bytes& reply) {
                    CalibrationState state;
                    const Result r = module_.calibrationStatus(state);
                    if (r != Result::Ok) return r;
                    putU8(reply, static_cast<uint32_t>(state.point));
                    putU8(reply, static_cast<uint32_t>(state.status));
                    putI32(reply, weightUnits(state.weight, channelDegree()));
                    props_.setInt(Prop::FixedPointStatus, state.status);
                    props_.setDouble(Prop::CalibrationWeight, state.weight);
                    return Result::Ok;
                  });
}

int32_t Driver::breakCalibration() {
  return exchange(command::kBreakCalibration, Auth::Password, Result::Ok, {},
                  [this](Bytes&) { return module_.breakCalibration(); });
}

int32_t Driver::getAdcValue() {
  return exchange(command::kGetADCValue, Auth::Password, Result::Ok, {}, [this](Bytes& reply) {
    int32_t value = 0;
    const Result r = module_.readAdc(value);
    if (r != Result::Ok) return r;
    putI32(reply, value);
    props_.setInt(Prop::ADCValue, value);
    return Result::Ok;
  });
}

}  // namespace lk40::sim
