#include "sim_test_log.h"

namespace lk40::sim {

void TestLog::add(int32_t value, bool overload) {
  if (values_.size() == kCapacity) values_.pop_front();
  values_.push_back(value);
  overload_ = overload_ || overload;
}

void TestLog::clear() {
  values_.clear();
  overload_ = false;
  nextType_ = kTypeCode;
}

namespace {

// The reading's low-order bytes, as many as the type holds: the narrow types
// then show the converter's fine movement, and the signed ones go negative.
void putValue(Bytes& record, uint8_t type, int32_t reading) {
  const size_t size = size_t{1} << (type / 2);
  const auto bits = static_cast<uint32_t>(reading);
  for (size_t k = 0; k < size; ++k) record.push_back(static_cast<uint8_t>(bits >> (8 * k)));
}

}  // namespace

Bytes TestLog::takeRecord() {
  const uint8_t type = nextType_;
  nextType_ = static_cast<uint8_t>((type + 1) % kTypeCount);
  Bytes record;
  record.reserve(3 + values_.size() * 4);
  putU8(record, type);
  putU8(record, overload_ ? 0xFF : 0x00);
  putU8(record, static_cast<uint32_t>(values_.size()));
  for (const int32_t value : values_) putValue(record, type, value);
  values_.clear();
  overload_ = false;
  return record;
}

}  // namespace lk40::sim
