// A small deterministic random source for the simulated module, so that a seed
// always replays the same sequence of loads, noise and supply readings.
#pragma once

#include <cstdint>

namespace lk40::sim {

// splitmix64: tiny state, good enough statistics for noise, identical on every
// platform (the standard distributions give different numbers on different
// standard libraries).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [0, 1).
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

  double uniform(double low, double high) { return low + (high - low) * unit(); }

  // Uniform in [low, high], both included; low <= high.
  int32_t uniformInt(int32_t low, int32_t high) {
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
    return static_cast<int32_t>(low + static_cast<int64_t>(next() % span));
  }

  bool chance(double probability) { return unit() < probability; }

 private:
  uint64_t state_;
};

// Derives independent streams from one seed, so that one part of the model
// (a channel, the supply) replays the same way whatever the other parts did.
inline uint64_t streamSeed(uint64_t seed, uint64_t stream) {
  Random mixer(seed ^ (stream * 0xD1B54A32D192ED03ull));
  return mixer.next();
}

}  // namespace lk40::sim
