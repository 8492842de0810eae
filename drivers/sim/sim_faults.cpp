#include "sim_faults.h"

#include <algorithm>

#include "contract/command_codes.h"
#include "platform/ascii_text.h"
#include "sim_module.h"

namespace lk40::sim {
namespace {

template <typename Entry, typename Visit>
void forEachIn(const std::vector<Entry>& entries, int64_t exchange, Visit visit) {
  for (const Entry& entry : entries)
    if (entry.when.contains(exchange)) visit(entry);
}

}  // namespace

LinkConditions FaultPlan::linkAt(int64_t exchange) const {
  LinkConditions now;
  for (const Window& w : unplugged) now.unplugged = now.unplugged || w.contains(exchange);
  int64_t latency = 0;
  forEachIn(slow, exchange, [&](const Slow& s) {
    latency = std::min<int64_t>(kMaxExtraLatencyMs, latency + s.delayMs);
  });
  now.extraLatencyMs = static_cast<int32_t>(latency);
  forEachIn(flaky, exchange, [&](const Flaky& f) {
    now.lossPercent = std::min(100.0, now.lossPercent + f.lossPercent);
    now.badCheckPercent = std::min(100.0, now.badCheckPercent + f.badCheckPercent);
  });
  return now;
}

std::optional<int32_t> FaultPlan::moduleErrorAt(int64_t exchange, uint8_t command) const {
  for (const ModuleError& e : moduleErrors)
    if (e.command == command && e.when.contains(exchange)) return e.code;
  return std::nullopt;
}

int32_t FaultPlan::weighingBitsAt(int64_t exchange) const {
  int32_t bits = 0;
  forEachIn(weighing, exchange, [&](const Weighing& w) { bits |= w.bits; });
  return bits;
}

std::optional<int32_t> FaultPlan::supplyFlagsAt(int64_t exchange) const {
  std::optional<int32_t> flags;
  forEachIn(supply, exchange, [&](const Supply& s) { flags = flags.value_or(0) | s.flags; });
  return flags;
}

std::optional<std::string> FaultPlan::driverErrorAt(int64_t exchange, std::string_view member) const {
  for (const DriverError& e : driverErrors)
    if (e.when.contains(exchange) && platform::equalsIgnoringAsciiCase(e.member, member)) return e.text;
  return std::nullopt;
}

bool operator==(const FaultPlan& a, const FaultPlan& b) {
  const auto sameSlow = [](const FaultPlan::Slow& x, const FaultPlan::Slow& y) {
    return x.when == y.when && x.delayMs == y.delayMs;
  };
  const auto sameFlaky = [](const FaultPlan::Flaky& x, const FaultPlan::Flaky& y) {
    return x.when == y.when && x.lossPercent == y.lossPercent && x.badCheckPercent == y.badCheckPercent;
  };
  const auto sameError = [](const FaultPlan::ModuleError& x, const FaultPlan::ModuleError& y) {
    return x.when == y.when && x.command == y.command && x.code == y.code;
  };
  const auto sameWeighing = [](const FaultPlan::Weighing& x, const FaultPlan::Weighing& y) {
    return x.when == y.when && x.bits == y.bits;
  };
  const auto sameSupply = [](const FaultPlan::Supply& x, const FaultPlan::Supply& y) {
    return x.when == y.when && x.flags == y.flags;
  };
  const auto sameDriverError = [](const FaultPlan::DriverError& x, const FaultPlan::DriverError& y) {
    return x.when == y.when && x.member == y.member && x.text == y.text;
  };
  const auto same = [](const auto& x, const auto& y, auto equal) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), equal);
  };
  return a.seed == b.seed && a.unplugged == b.unplugged && same(a.slow, b.slow, sameSlow) &&
         same(a.flaky, b.flaky, sameFlaky) && same(a.moduleErrors, b.moduleErrors, sameError) &&
         same(a.weighing, b.weighing, sameWeighing) && same(a.supply, b.supply, sameSupply) &&
         same(a.driverErrors, b.driverErrors, sameDriverError) && a.load == b.load;
}

void applyWeighingState(ChannelReading& reading, int32_t bits) {
  bits &= weighing_state::kAll;
  reading.status |= bits;
  if (bits & (weighing_state::kAdcError | weighing_state::kUnderload)) {
    reading.status &= ~(status::kFixed | status::kSettled | status::kAutoZero);
    reading.weight = 0.0;
  }
}

}  // namespace lk40::sim
