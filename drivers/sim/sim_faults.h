// The fault plan: which misbehaviour the simulated module and its link show,
// and when. Faults are switched on for a window of exchanges, counted from 1
// since the plan took effect (the driver object was created, or the settings
// dialog was confirmed). The plan only answers questions; the link, the
// module and the driver act on the answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim_commands.h"
#include "sim_link.h"
#include "sim_scale.h"

namespace lk40::sim {

struct ChannelReading;

// Exchanges from..to, both included; to 0 means for good.
struct Window {
  int64_t from = 1;
  int64_t to = 0;
  bool contains(int64_t exchange) const { return exchange >= from && (to == 0 || exchange <= to); }
  friend bool operator==(const Window& a, const Window& b) { return a.from == b.from && a.to == b.to; }
};

// The bits of WeightChannelMode that a forced weighing state sets.
namespace weighing_state {
constexpr int32_t kZeroError = 0x20;
constexpr int32_t kOverload = 0x40;
constexpr int32_t kAdcError = 0x80;
constexpr int32_t kUnderload = 0x100;
constexpr int32_t kAll = kZeroError | kOverload | kAdcError | kUnderload;
}  // namespace weighing_state

struct FaultPlan {
  struct Slow {
    Window when;
    int32_t delayMs = 0;
  };
  struct Flaky {
    Window when;
    double lossPercent = 0;
    double badCheckPercent = 0;
  };
  struct ModuleError {
    Window when;
    uint8_t command = 0;
    int32_t code = 0;  // 1 to 255, the module's error byte
  };
  struct Weighing {
    Window when;
    int32_t bits = 0;  // weighing_state
  };
  struct Supply {
    Window when;
    int32_t flags = 0;  // supply_flags; 90 % discharged includes 70 %
  };
  struct DriverError {
    Window when;
    std::string member;  // as the member list spells it
    std::string text;    // UTF-8
  };

  std::optional<uint64_t> seed;  // the link's randomness; the driver's seed when absent
  std::vector<Window> unplugged;
  std::vector<Slow> slow;
  std::vector<Flaky> flaky;
  std::vector<ModuleError> moduleErrors;
  std::vector<Weighing> weighing;
  std::vector<Supply> supply;
  std::vector<DriverError> driverErrors;
  LoadProfile load;

  // Several entries in force at once add up: latencies (capped at
  // kMaxExtraLatencyMs) and percentages (capped at 100), weighing bits and
  // supply flags.
  LinkConditions linkAt(int64_t exchange) const;
  std::optional<int32_t> moduleErrorAt(int64_t exchange, uint8_t command) const;
  int32_t weighingBitsAt(int64_t exchange) const;
  std::optional<int32_t> supplyFlagsAt(int64_t exchange) const;
  // The text of the error the member raises, if one is planned; the member
  // name is compared without regard to ASCII case.
  std::optional<std::string> driverErrorAt(int64_t exchange, std::string_view member) const;
};

bool operator==(const FaultPlan& a, const FaultPlan& b);
inline bool operator!=(const FaultPlan& a, const FaultPlan& b) { return !(a == b); }

// A forced weighing state on one reading: the bits join the status word. A
// measurement error or an underloaded converter leaves no valid weight: the
// weight reads 0 and the weight is neither settled, fixed nor at zero.
void applyWeighingState(ChannelReading& reading, int32_t bits);

}  // namespace lk40::sim
