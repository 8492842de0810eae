#include "core/journal_recorder.h"

#include <exception>
#include <memory>

#include "platform/ascii_text.h"
#include "platform/tick_count.h"
#include "platform/time_of_day.h"

namespace lk40::core {

using automation::Variant;

namespace {

void assignText(std::string& into, const Variant& value) {
  if (value.type() == Variant::Type::Text)
    into.assign(value.rawText());
  else
    into = value.toText();
}

}  // namespace

JournalRecorder::Clock JournalRecorder::systemClock() { return {platform::tickCount, platform::localTimeOfDayMs}; }

JournalRecorder::JournalRecorder(Clock clock, std::size_t capacity) : clock_(clock), journal_(capacity) {}

JournalRecorder::Operation::~Operation() {
  if (recorder_) recorder_->endOperation();
}

JournalRecorder::Operation JournalRecorder::operation(std::string_view caption, bool poll) {
  if (depth_ == levels_.size()) levels_.emplace_back();
  levels_[depth_].caption.assign(caption);
  levels_[depth_].poll = poll;
  ++depth_;
  return Operation(this);
}

JournalRecorder::Operation JournalRecorder::operation(const automation::Driver& driver, std::string_view caption,
                                                      bool poll) {
  if (auto* recorder = dynamic_cast<JournalRecorder*>(driver.observer().get()))
    return recorder->operation(caption, poll);
  return Operation();
}

void JournalRecorder::endOperation() {
  finishCall();
  if (depth_ > 0) --depth_;
  if (depth_ == 0) written_.clear();
}

void JournalRecorder::written(std::string_view name, const Variant& value) {
  written_.push_back({std::string(name), value.toText()});
}

void JournalRecorder::calling(std::string_view method) {
  finishCall();
  open_ = true;
  failed_ = false;
  method_.assign(method);
  if (depth_ > 0) {
    operation_.assign(levels_[depth_ - 1].caption);
    call_.poll = levels_[depth_ - 1].poll;
  } else {
    operation_.clear();
    call_.poll = false;
  }
  description_.clear();
  sent_.clear();
  received_.clear();
  properties_.swap(written_);
  written_.clear();
  call_.code = 0;
  call_.hasCode = false;
  call_.returned = 0;
  call_.hasReturned = false;
  call_.elapsedMs = 0;
  call_.timeOfDayMs = clock_.timeOfDayMs();
  startTick_ = clock_.ticks();
}

void JournalRecorder::returned(const Variant* value) {
  if (!open_) return;
  call_.elapsedMs = platform::ticksBetween(startTick_, clock_.ticks());
  if (!value) return;
  try {
    // The method's own value, which is no ResultCode: its column is its own.
    call_.returned = value->toInt();
    call_.hasReturned = true;
  } catch (const std::exception&) {
    // A value that is no number is none; the bench's own use fails alike.
  }
}

void JournalRecorder::failed(std::string_view message) {
  if (!open_) return;
  call_.elapsedMs = platform::ticksBetween(startTick_, clock_.ticks());
  failed_ = true;
  call_.hasCode = false;
  call_.hasReturned = false;
  description_.assign(message);
}

void JournalRecorder::read(std::string_view name, const Variant& value) {
  // After a failure the status properties still tell of the call before.
  if (!open_ || failed_) return;
  using platform::equalsIgnoringAsciiCase;
  if (equalsIgnoringAsciiCase(name, "ResultCode")) {
    try {
      call_.code = value.toInt();
      call_.hasCode = true;
    } catch (const std::exception&) {
      // As in returned.
    }
  } else if (equalsIgnoringAsciiCase(name, "ResultCodeDescription")) {
    assignText(description_, value);
  } else if (equalsIgnoringAsciiCase(name, "Input")) {
    assignText(sent_, value);
  } else if (equalsIgnoringAsciiCase(name, "Output")) {
    assignText(received_, value);
  }
}

void JournalRecorder::finishCall() {
  if (!open_) return;
  open_ = false;
  call_.operation = operation_;
  call_.method = method_;
  call_.description = description_;
  call_.sent = sent_;
  call_.received = received_;
  journal_.add(call_, properties_);
}

}  // namespace lk40::core
