// A scripted in-process driver for window tests: it knows every member of the
// driver contract, records each put, get and call in order, answers scripted
// values, and can be told to raise an error or to take time in a member.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace lk40::testing {

class RecordingDriver : public automation::Dispatch {
 public:
  enum class Kind { Get, Put, Call };
  struct Event {
    Kind kind;
    std::string name;        // as the contract spells it
    automation::Variant value;  // the value put, or the value returned
  };

  RecordingDriver();

  // Registers a factory for "AddIn.DrvTarvo" that hands out this driver.
  static std::shared_ptr<RecordingDriver> install();
  static void uninstall();

  void set(const std::string& name, const automation::Variant& value);
  automation::Variant value(const std::string& name) const;
  void setResult(const std::string& method, int32_t result);
  // Runs when the method is called, before it returns its result.
  void onCall(const std::string& method, std::function<void(RecordingDriver&)> action);
  // Any use of the member raises an automation error with this text.
  void failOn(const std::string& name, const std::string& message);
  void delayIn(const std::string& method, int milliseconds);
  // The member disappears: its name no longer resolves.
  void remove(const std::string& name);

  const std::vector<Event>& events() const { return events_; }
  void clearEvents() { events_.clear(); }
  // "put Name=value" and "call Name" in order, gets left out.
  std::vector<std::string> writesAndCalls() const;
  // Every event as text, gets included ("get Name").
  std::vector<std::string> trace() const;
  int callCount(const std::string& method) const;

  std::optional<automation::DispId> idOfName(std::string_view name) override;
  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             const automation::Variant* arg) override;

 private:
  struct Member {
    std::string name;
    bool method = false;
    automation::Variant value;
    int32_t result = 0;
    std::function<void(RecordingDriver&)> action;
    std::string failure;
    int delayMs = 0;
    bool removed = false;
  };
  Member& member(const std::string& name);
  const Member& member(const std::string& name) const;

  std::vector<Member> members_;
  std::map<std::string, size_t> byFoldedName_;
  std::vector<Event> events_;
};

std::string valueText(const automation::Variant& value);

// Answers like the recording driver but keeps no record of the events, so a
// benchmark measures the bench's own work and memory, not the record's growth.
class AnsweringDriver : public RecordingDriver {
 public:
  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             const automation::Variant* arg) override {
    auto value = RecordingDriver::invoke(id, kind, arg);
    clearEvents();
    return value;
  }
};

}  // namespace lk40::testing
