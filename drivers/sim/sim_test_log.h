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
  // The records take the type codes in turn, 5 (signed 32-bit) first after
  // a clear, then 0 to 5 again; each value is the reading's low-order bytes,
  // one for UCHAR and CHAR, two for UINT and INT, four for ULONG and LONG.
  static constexpr uint8_t kTypeCode = 5;
  static constexpr uint8_t kTypeCount = 6;

  // Keeps the newest kCapacity readings.
  void add(int32_t value, bool overload);
  void clear();
  // type code, overload flag (0xFF or 0), count N, then N little-endian
  // values of the type's size; empties the buffer.
  Bytes takeRecord();
  size_t size() const { return values_.size(); }

 private:
  std::deque<int32_t> values_;
  bool overload_ = false;
  uint8_t nextType_ = kTypeCode;
};

}  // namespace lk40::sim
