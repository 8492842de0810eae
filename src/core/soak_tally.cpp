#include "core/soak_tally.h"

#include "core/test_log.h"

namespace lk40::core {

SoakTally::Added SoakTally::add(const DecodedTestRecord& record, std::string& logBytes) {
  Added added;
  added.counted = record.valid && (record.complete || !record.typeKnown);
  if (!added.counted) return added;
  added.logged = record.complete;
  if (added.logged) {
    if (!valuesLogged_) logBytes += testLogBlockStart(record.typeName);
    // The values are decimal numbers: their UTF-8 is their single-byte text.
    for (const TestRecordCell& cell : record.cells) {
      if (cell.row < DecodedTestRecord::kFirstValueRow || cell.column != 1) continue;
      logBytes += cell.text;
      logBytes += "\r\n";
    }
    valuesLogged_ = valuesLogged_ || record.valueCount > 0;
  }
  measurements_ += record.valueCount;
  added.overload = record.overload;
  if (added.overload) ++overflows_;
  return added;
}

}  // namespace lk40::core
