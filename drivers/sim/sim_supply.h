// The simulated module's power supply: two line voltages that wander slowly
// and a battery that runs down and is charged again, read once per request.
#pragma once

#include <cstdint>
#include <optional>

#include "sim_random.h"

namespace lk40::sim {

namespace supply_flags {
constexpr int32_t kCharging = 0x01;
constexpr int32_t kDischarged70 = 0x02;
constexpr int32_t kDischarged90 = 0x04;
constexpr int32_t kOutOfRange = 0x08;
}  // namespace supply_flags

struct SupplyReading {
  int32_t voltage5 = 0;   // hundredths of a volt
  int32_t voltage12 = 0;  // hundredths of a volt
  int32_t voltageX = 0;   // the battery, hundredths of a volt
  int32_t flags = 0;
  int32_t voltageX1 = 0;  // reserved, always 0
};

class Supply {
 public:
  explicit Supply(uint64_t seed) : rng_(seed) {}
  // Advances the supply by one step and reports it.
  SupplyReading read();
  // From the next reading on, the flags are exactly these, with the battery
  // and the 5 V line moved to match them; nullopt lets the supply run free.
  void force(std::optional<int32_t> flags) { forced_ = flags; }

 private:
  Random rng_;
  int32_t voltage5_ = 500;
  int32_t voltage12_ = 1200;
  int32_t charge_ = 1000;  // per mille
  bool charging_ = false;
  std::optional<int32_t> forced_;
};

}  // namespace lk40::sim
