// The module's test buffer: the converter readings taken since it was last
// read out, handed over as one test log record.
#pragma once

#include <cstdint>
#include <deque>

#include "sim_frame.h"

namespace lk40::sim {

class TestLog {
 public:
  // As many 4-byte values as one reply frame carries beside the record header.
  static constexpr size_t kCapacity = 62;
  // The readings are signed 32-bit values.
  static constexpr uint8_t kTypeCode = 5;

  // Keeps the newest kCapacity readings.
  void add(int32_t value, bool overload);
  void clear();
  // type code, overload flag (0xFF or 0), count N, then N little-endian
  // values; empties the buffer.
  Bytes takeRecord();
  size_t size() const { return values_.size(); }

 private:
  std::deque<int32_t> values_;
  bool overload_ = false;
};

}  // namespace lk40::sim
