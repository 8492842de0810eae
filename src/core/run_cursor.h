// Walks a script's steps in the order a run carries them out: each repeat's
// steps as many times as it says, loops within loops, and tells where a step
// stands ("строка 7, повтор 2 из 10") for the report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/run_script.h"

namespace lk40::core {

// A step as a run meets it: where it stands and the loop passes begun by then.
struct RunStep {
  const Step* step = nullptr;
  std::string place;  // StepCursor::place
  uint64_t repeats = 0;

  // A step outside any loop: "строка N".
  static RunStep of(const Step& step);
};

class StepCursor {
 public:
  // At the first step to carry out; the steps must be a parsed script's
  // without errors, and outlive the cursor.
  explicit StepCursor(const std::vector<Step>& steps);

  // The step to carry out now, never a repeat or an end; null past the last.
  const Step* step() const { return index_ < steps_->size() ? &(*steps_)[index_] : nullptr; }
  RunStep current() const { return {step(), place(), repeats_}; }
  void next();

  // "строка 7", "вставка.txt, строка 3", each loop it is in as ", повтор 2 из
  // 10", outermost first.
  std::string place() const;
  // The passes of loops begun so far, the first of each loop included.
  uint64_t repeats() const { return repeats_; }

  // Whether an `expect box` stands among the expectations that come right
  // after the current step, before the next step that acts on the window:
  // there a box raised by the current step is expected.
  bool boxExpectedNext() const;
  // The same from the current step on: for the boxes of the start-up.
  bool boxExpectedHere() const;

 private:
  void settle();  // onto a step: into loops, back to their start, past their end

  struct Loop {
    std::size_t begin;  // the repeat's index
    uint32_t pass;      // 1-based
  };
  const std::vector<Step>* steps_;
  std::size_t index_ = 0;
  std::vector<Loop> loops_;
  uint64_t repeats_ = 0;
};

}  // namespace lk40::core
