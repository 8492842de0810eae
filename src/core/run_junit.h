// The JUnit XML file of a scripted run, as CI servers read it: one
// testsuite for the script, one testcase per expectation (a failure when it
// does not hold) and per step that went wrong (an error), the steps between
// expectations in the testcase's system-out, the statistics as properties.
//
// The file is written as the run goes and is a whole document after every
// write: each write goes over the closing tags and puts them back after the
// new part, and the counters in the opening tags have room of their own that
// is overwritten in place. Only the finished file has the properties, which
// the document's layout wants before the testcases.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_cursor.h"
#include "core/run_report.h"
#include "core/run_statistics.h"

namespace lk40::core {

// Bytes to write at an offset of the file.
struct FilePatch {
  uint64_t offset = 0;
  std::string bytes;
};

// A text made fit for XML: markup characters as references, a control
// character as "\xNN", bytes that are no UTF-8 as U+FFFD; in an attribute
// line breaks and tabs as references too.
std::string xmlEscaped(std::string_view utf8, bool attribute);

class JunitReport {
 public:
  // suite: the script as named on the command line; timestamp: the start,
  // "2026-12-01T09:30:00".
  JunitReport(std::string suite, std::string timestamp);

  // The file as it starts: no testcase yet.
  std::string begin() const;
  // A step done, with its lines of the text report: the writes that put it
  // into the file, in order.
  std::vector<FilePatch> step(const RunStep& at, const StepResult& result, const std::string& reportText,
                              uint32_t runMs);
  // What went wrong outside a step's own outcome: the start-up's boxes that
  // no expectation took ("запуск", type "box"), a time limit passed (the
  // step's place, type "timeout"). An error testcase.
  std::vector<FilePatch> error(const std::string& name, std::string_view type, const std::string& message,
                               const std::string& reportText, uint32_t runMs);

  // The finished file: `head`, then the bytes [bodyBegin, bodyEnd) of the file
  // as written so far (the testcases), then `tail`.
  struct Finished {
    std::string head;
    uint64_t bodyBegin = 0;
    uint64_t bodyEnd = 0;
    std::string tail;
  };
  Finished finish(const RunProperties& properties, uint32_t runMs) const;

  uint64_t tests() const { return tests_; }
  uint64_t failures() const { return failures_; }
  uint64_t errors() const { return errors_; }

 private:
  std::string head(uint32_t runMs, const RunProperties* properties) const;
  std::string pendingOut() const;  // the steps since the last testcase as the suite's system-out
  std::vector<FilePatch> testcase(const std::string& name, const std::string& problem, uint32_t ms, uint32_t runMs);

  std::string suite_;
  std::string className_;
  std::string timestamp_;
  uint64_t tests_ = 0;
  uint64_t failures_ = 0;
  uint64_t errors_ = 0;
  uint64_t headSize_ = 0;
  uint64_t casesEnd_ = 0;    // where the testcases end: the pending steps or the tail begin
  std::string pending_;      // the steps since the last testcase, escaped
  uint32_t pendingMs_ = 0;
};

}  // namespace lk40::core
