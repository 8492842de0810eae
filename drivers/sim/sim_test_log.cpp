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
}

Bytes TestLog::takeRecord() {
  Bytes record;
  record.reserve(3 + values_.size() * 4);
  putU8(record, kTypeCode);
  putU8(record, overload_ ? 0xFF : 0x00);
  putU8(record, static_cast<uint32_t>(values_.size()));
  for (const int32_t value : values_) putI32(record, value);
  clear();
  return record;
}

}  // namespace lk40::sim
