// Zero, tare, the channel status requests and the goods data.
#include <cmath>

#include "contract/command_codes.h"
#include "sim_driver.h"

namespace lk40::sim {

int32_t Driver::setZero() {
  return exchange(command::kSetZero, Auth::Password, Result::Ok, {},
                  [this](Bytes&) { return module_.setZero(); });
}

int32_t Driver::setTare() {
  return exchange(command::kSetTare, Auth::Password, Result::Ok, {},
                  [this](Bytes&) { return module_.setTare(); });
}

int32_t Driver::setTareValue() {
  const double tare = props_.getDouble(Prop::Tare);
  Bytes request;
  putI32(request, weightUnits(tare, channelDegree()));
  return exchange(command::kSetTareValue, Auth::Password,
                  std::isfinite(tare) ? Result::Ok : Result::TareOutOfRange, request,
                  [this, tare](Bytes&) { return module_.setTareValue(tare); });
}

int32_t Driver::getChannelStatus(bool extended) {
  const uint8_t cmd = extended ? command::kGetChannelStatusEx : command::kGetChannelStatus;
  return exchange(cmd, Auth::Password, Result::Ok, {}, [this, extended](Bytes& reply) {
    const int32_t degree = channelDegree();
    ChannelReading r = module_.readChannel();
    applyWeighingState(r, plan_.weighingBitsAt(exchanges_));
    putU16(reply, static_cast<uint32_t>(r.status));
    putI32(reply, weightUnits(r.weight, degree));
    putI32(reply, weightUnits(r.tare, degree));
    props_.setInt(Prop::WeightChannelMode, r.status);
    props_.setDouble(Prop::Weight, r.weight);
    props_.setDouble(Prop::Tare, r.tare);
    props_.setBool(Prop::ChannelON, r.on);
    if (extended) {
      const GoodsData& goods = module_.goods();
      const int64_t cost = module_.costFor(r.weight);
      putU8(reply, static_cast<uint32_t>(goods.goodType));
      putU16(reply, static_cast<uint32_t>(goods.quantity));
      putI64(reply, goods.price);
      putI64(reply, cost);
      putU8(reply, static_cast<uint32_t>(module_.lastKey()));
      props_.setInt(Prop::GoodType, goods.goodType);
      props_.setInt(Prop::Quantity, goods.quantity);
      props_.setCurrency(Prop::Price, goods.price);
      props_.setCurrency(Prop::Cost, cost);
      props_.setInt(Prop::LastKey, module_.lastKey());
    }
    putU8(reply, r.on ? 1 : 0);
    return Result::Ok;
  });
}

int32_t Driver::setGoodData() {
  const GoodsData goods{props_.getCurrency(Prop::Price), props_.getInt(Prop::Quantity),
                        props_.getInt(Prop::GoodType)};
  const bool fits = goods.price >= 0 && goods.price <= Module::kMaxPrice && goods.quantity >= 0 &&
                    goods.quantity <= 0xFFFF && fitsByte(goods.goodType);
  Bytes request;
  putI64(request, goods.price);
  putU16(request, static_cast<uint32_t>(goods.quantity));
  putU8(request, static_cast<uint32_t>(goods.goodType));
  return exchange(command::kSetGoodData, Auth::Password, fits ? Result::Ok : Result::BadParameter,
                  request, [this, goods](Bytes&) { return module_.setGoods(goods); });
}

}  // namespace lk40::sim
