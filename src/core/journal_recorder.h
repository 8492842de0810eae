// Turns the driver calls the bench makes into exchange journal rows. It sees
// the driver through the Driver's observer: the properties written since the
// call before, the call, how it ended and the value it returned where the
// bench takes one, and the result code, its text and the frames as the bench
// reads them after the call. It reads nothing itself, so the driver sees the
// bench's uses and no others.
//
// A row is added when the next call starts or when the operation it belongs
// to ends; the bench names that operation (the button's caption, or a poll)
// for as long as an Operation lasts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "automation/driver.h"
#include "core/exchange_journal.h"

namespace lk40::core {

class JournalRecorder : public automation::DriverObserver {
 public:
  struct Clock {
    uint32_t (*ticks)();        // milliseconds, wrapping
    int32_t (*timeOfDayMs)();   // local time of day
  };
  // The system's tick counter and local time.
  static Clock systemClock();

  explicit JournalRecorder(Clock clock = systemClock(), std::size_t capacity = ExchangeJournal::kDefaultCapacity);

  ExchangeJournal& journal() { return journal_; }
  const ExchangeJournal& journal() const { return journal_; }

  // While it lasts, calls belong to the operation of that caption; operations
  // nest (a poll of a window opened by a button). Its end adds the row of
  // its last call, and the end of the outermost one forgets what was written
  // without a call after it.
  class Operation {
   public:
    Operation() = default;  // belongs to no recorder
    Operation(Operation&& other) noexcept : recorder_(other.recorder_) { other.recorder_ = nullptr; }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
    Operation& operator=(Operation&&) = delete;
    ~Operation();

   private:
    friend class JournalRecorder;
    explicit Operation(JournalRecorder* recorder) : recorder_(recorder) {}
    JournalRecorder* recorder_ = nullptr;
  };
  [[nodiscard]] Operation operation(std::string_view caption, bool poll);
  // The operation on the recorder observing this driver, if one does.
  [[nodiscard]] static Operation operation(const automation::Driver& driver, std::string_view caption, bool poll);

  void written(std::string_view name, const automation::Variant& value) override;
  void calling(std::string_view method) override;
  void returned(const automation::Variant* value) override;
  void failed(std::string_view message) override;
  void read(std::string_view name, const automation::Variant& value) override;

 private:
  void endOperation();
  void finishCall();  // adds the open call's row, if there is one

  struct Level {
    std::string caption;
    bool poll = false;
  };
  Clock clock_;
  ExchangeJournal journal_;
  std::vector<Level> levels_;  // kept, with their strings, as operations end
  std::size_t depth_ = 0;
  std::vector<PropertyText> written_;  // since the last call

  // The call whose row is still open: it takes what the bench reads after it.
  bool open_ = false;
  bool failed_ = false;
  uint32_t startTick_ = 0;
  JournalCall call_;
  std::string operation_, method_, description_, sent_, received_;
  std::vector<PropertyText> properties_;
};

}  // namespace lk40::core
