// The soak test's counts and the value lines of its test log, from the
// decoded records it polls.
#pragma once

#include <cstdint>
#include <string>

#include "core/test_record.h"

namespace lk40::core {

class SoakTally {
 public:
  struct Added {
    bool counted = false;   // its values went into the measurements
    bool overload = false;  // and into the overflows
    bool logged = false;    // its block is in the log bytes
  };

  // One record the driver handed over. A record that did not decode, or one
  // of a known type too short for its values, is neither counted nor logged;
  // one of a type this bench does not know is counted but has no values to
  // log. A logged block appends its value lines to logBytes (single-byte,
  // "\r\n" ends), after the block start while no earlier block logged values.
  Added add(const DecodedTestRecord& record, std::string& logBytes);

  // 64 bits: at a thousand 255-value blocks a second 32 bits last under three hours.
  int64_t measurements() const { return measurements_; }
  int64_t overflows() const { return overflows_; }

 private:
  int64_t measurements_ = 0;
  int64_t overflows_ = 0;
  bool valuesLogged_ = false;
};

}  // namespace lk40::core
