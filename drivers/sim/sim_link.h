// The serial link between the driver and the simulated module: how long an
// exchange takes on the wire, and whether it arrives at all. It knows bytes
// and speeds, nothing of commands or properties.
//
// An exchange costs 10 bits per byte (start, 8 data, stop) of the request and
// of the reply at the port's speed, plus the module's processing time and any
// extra latency. A module that does not answer costs the request and the
// driver's whole time-out; so does a reply that starts later than the time-out.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "sim_random.h"

namespace lk40::sim {

using Micros = std::chrono::microseconds;

constexpr int32_t kBaudRates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int32_t kBaudRateCount = 7;
// What the module takes between the last byte of a request and the first of
// its reply.
constexpr Micros kProcessingTime{2000};

// Bits per second of a speed index; the slowest speed for an index out of range.
int32_t baudOf(int32_t index);

// The time bytes take on the wire at the speed index, rounded up to a microsecond.
Micros wireTime(size_t bytes, int32_t baudIndex);

// The most extra latency an exchange takes, however many delays add up: more
// than any time-out the driver accepts (1 to 65535 ms) plus the processing
// time, so a delay cut to it misses every time-out as the whole one would.
constexpr int32_t kMaxExtraLatencyMs = 0x10000;

// What the link does to one exchange at the moment.
struct LinkConditions {
  bool unplugged = false;
  int32_t extraLatencyMs = 0;  // added to the processing time; at most kMaxExtraLatencyMs
  double lossPercent = 0;      // share of requests that never reach the module
  double badCheckPercent = 0;  // share of replies whose check byte arrives broken
};

enum class Fate {
  Answered,  // the reply arrives intact
  Lost,      // nothing comes back (unplugged, or the request was lost)
  Late,      // the module answers, but after the driver gave up waiting
  BadCheck,  // the reply arrives with a broken check byte
};

class Link {
 public:
  explicit Link(uint64_t seed) : rng_(seed) {}

  // Decides the fate of the next exchange. Draws the same amount of
  // randomness for every exchange, so a seed replays the same fates whatever
  // the conditions were.
  Fate decide(const LinkConditions& now, int32_t timeoutMs);

  // The time an exchange of the given fate costs the driver.
  static Micros cost(Fate fate, size_t requestBytes, size_t replyBytes, int32_t baudIndex, int32_t timeoutMs,
                     int32_t extraLatencyMs);

 private:
  Random rng_;
};

}  // namespace lk40::sim
