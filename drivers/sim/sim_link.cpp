#include "sim_link.h"

namespace lk40::sim {

int32_t baudOf(int32_t index) {
  return index >= 0 && index < kBaudRateCount ? kBaudRates[index] : kBaudRates[0];
}

Micros wireTime(size_t bytes, int32_t baudIndex) {
  const int64_t bits = static_cast<int64_t>(bytes) * 10;
  const int64_t baud = baudOf(baudIndex);
  return Micros((bits * 1000000 + baud - 1) / baud);
}

Fate Link::decide(const LinkConditions& now, int32_t timeoutMs) {
  const double lossDraw = rng_.unit() * 100.0;
  const double checkDraw = rng_.unit() * 100.0;
  if (now.unplugged || lossDraw < now.lossPercent) return Fate::Lost;
  if (kProcessingTime + std::chrono::milliseconds(now.extraLatencyMs) >
      std::chrono::milliseconds(timeoutMs)) {
    return Fate::Late;
  }
  if (checkDraw < now.badCheckPercent) return Fate::BadCheck;
  return Fate::Answered;
}

Micros Link::cost(Fate fate, size_t requestBytes, size_t replyBytes, int32_t baudIndex, int32_t timeoutMs,
                  int32_t extraLatencyMs) {
  const Micros request = wireTime(requestBytes, baudIndex);
  if (fate == Fate::Lost || fate == Fate::Late) {
    return request + std::chrono::milliseconds(timeoutMs);
  }
  return request + kProcessingTime + std::chrono::milliseconds(extraLatencyMs) +
         wireTime(replyBytes, baudIndex);
}

}  // namespace lk40::sim
