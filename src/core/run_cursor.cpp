#include "core/run_cursor.h"

namespace lk40::core {

RunStep RunStep::of(const Step& step) {
  return {&step, (step.file.empty() ? std::string() : step.file + ", ") + "строка " + std::to_string(step.line), 0};
}

StepCursor::StepCursor(const std::vector<Step>& steps) : steps_(&steps) { settle(); }

void StepCursor::next() {
  if (index_ >= steps_->size()) return;
  ++index_;
  settle();
}

void StepCursor::settle() {
  // The parser gives every loop a step, so this passes each marker once
  // before it reaches one.
  while (index_ < steps_->size()) {
    const Step& at = (*steps_)[index_];
    if (at.kind == StepKind::Repeat) {
      loops_.push_back({index_, 1});
      ++repeats_;
      ++index_;
    } else if (at.kind == StepKind::End) {
      Loop& loop = loops_.back();
      if (loop.pass < (*steps_)[loop.begin].count) {
        ++loop.pass;
        ++repeats_;
        index_ = loop.begin + 1;
      } else {
        loops_.pop_back();
        ++index_;
      }
    } else {
      return;
    }
  }
}

std::string StepCursor::place() const {
  const Step* current = step();
  if (!current) return {};
  std::string out = RunStep::of(*current).place;
  for (const Loop& loop : loops_)
    out += ", повтор " + std::to_string(loop.pass) + " из " + std::to_string((*steps_)[loop.begin].count);
  return out;
}

bool StepCursor::boxExpectedNext() const {
  StepCursor ahead = *this;
  // Past as many steps as the script holds, only expectations seen again
  // would follow: a loop of nothing but expectations.
  for (std::size_t seen = 0; seen <= steps_->size(); ++seen) {
    ahead.next();
    const Step* step = ahead.step();
    if (!step || step->acts()) return false;
    if (step->kind == StepKind::ExpectBox) return true;
  }
  return false;
}

bool StepCursor::boxExpectedHere() const {
  const Step* current = step();
  if (!current || current->acts()) return false;
  return current->kind == StepKind::ExpectBox || boxExpectedNext();
}

}  // namespace lk40::core
