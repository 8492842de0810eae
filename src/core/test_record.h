// Decoding of the driver's test log record (TestData) into the cells of the
// grid that shows it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lk40::core {

// One grid cell written for a test log record.
struct TestRecordCell {
  int row;
  int column;
  std::string text;  // UTF-8
};

// A test log record as grid writes. When valid is false the grid is left
// alone. Otherwise the grid gets rowCount rows and then the cells, in order:
// every cell below the header row. A type code above 5 is named by its code
// in decimal and leaves its value cells empty.
struct DecodedTestRecord {
  bool valid = false;
  // The type code is 0 to 5.
  bool typeKnown = false;
  // Every value row gets a value of a known type: no value was cut off by the
  // record's end and the type code is 0 to 5.
  bool complete = false;
  int rowCount = 0;
  std::vector<TestRecordCell> cells;
  // What the soak test counts and logs: the values of rows
  // kFirstValueRow on are the cells of column 1 there.
  static constexpr int kFirstValueRow = 4;
  std::string typeName;  // as the grid names the type
  int valueCount = 0;
  bool overload = false;
};

// bytes: the record, one byte per character (Variant::toAnsiBytes() of
// TestData). Values cut off by the end of a short record get an empty value
// cell rather than bytes read past the end.
DecodedTestRecord decodeTestRecord(std::string_view bytes);

}  // namespace lk40::core
