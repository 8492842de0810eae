#include "sim_supply.h"

#include <algorithm>

namespace lk40::sim {

SupplyReading Supply::read() {
  voltage5_ = std::clamp(voltage5_ + rng_.uniformInt(-1, 1), 478, 522);
  voltage12_ = std::clamp(voltage12_ + rng_.uniformInt(-2, 2), 1150, 1250);
  if (charging_) {
    charge_ = std::min(1000, charge_ + 20);
    charging_ = charge_ < 1000;
  } else {
    charge_ = std::max(0, charge_ - 5);
    charging_ = charge_ <= 50;
  }

  SupplyReading r;
  r.voltage5 = voltage5_;
  r.voltage12 = voltage12_;
  r.voltageX = 330 + charge_ * 90 / 1000;
  if (charging_) r.flags |= supply_flags::kCharging;
  if (charge_ <= 300) r.flags |= supply_flags::kDischarged70;
  if (charge_ <= 100) r.flags |= supply_flags::kDischarged90;
  if (voltage5_ < 480 || voltage5_ > 520 || voltage12_ < 1160 || voltage12_ > 1240) {
    r.flags |= supply_flags::kOutOfRange;
  }
  if (forced_) {
    r.flags = *forced_;
    if (r.flags & supply_flags::kDischarged90) {
      r.voltageX = 338;
    } else if (r.flags & supply_flags::kDischarged70) {
      r.voltageX = 355;
    }
    if (r.flags & supply_flags::kOutOfRange) {
      r.voltage5 = 455;
    } else {
      r.voltage5 = std::clamp(r.voltage5, 480, 520);
      r.voltage12 = std::clamp(r.voltage12, 1160, 1240);
    }
  }
  return r;
}

}  // namespace lk40::sim
