#include "core/journal_recorder.h"

#include <gtest/gtest.h>

#include <functional>

#include "fake_dispatch.h"

namespace lk40::core {
namespace {

using automation::Variant;

// Every reading of the fake clock moves it on by 4 ms; the time of day is the
// tick count, so a row's time tells which reading stamped it.
uint32_t fakeTicks = 0;
uint32_t ticks() { return fakeTicks += 4; }
int32_t timeOfDay() { return static_cast<int32_t>(fakeTicks); }

// A row as one line: operation, method, return value, code, description,
// sent, received, ms, "poll" or "-", then name=value of each property written
// before the call.
std::string rowLine(const JournalRow& row) {
  std::string line;
  for (const JournalColumn c : {JournalColumn::Operation, JournalColumn::Method, JournalColumn::Returned,
                                JournalColumn::Code, JournalColumn::Description, JournalColumn::Sent,
                                JournalColumn::Received, JournalColumn::Ms})
    line += cellText(row, c) + "|";
  line += row.poll() ? "poll" : "-";
  for (const PropertyText& p : row.properties()) line += "|" + p.name + "=" + p.value;
  return line;
}

struct Case {
  const char* what;
  std::function<void(automation::Driver&, JournalRecorder&)> uses;
  std::vector<std::string> rows;
};

TEST(JournalRecorder, OneRowPerCallWithWhatTheBenchWroteAndRead) {
  const Case cases[] = {
      {"a framed call: the writes before it, the status read after it",
       [](automation::Driver& d, JournalRecorder& r) {
         const auto op = r.operation("Установить режим", false);
         d.put("Password", Variant(30));
         d.put("Mode", Variant(1));
         d.call("SetMode");
         (void)d.getInt("resultcode");
         (void)d.getText("ResultCodeDescription");
         (void)d.getText("Input");
         (void)d.getText("Output");
         (void)d.getDouble("Weight");
       },
       {"Установить режим|SetMode||3|Занято|02 07|02 08|4|-|Password=30|Mode=1"}},
      {"a poll: the call's value in its own column, no code since none was read",
       [](automation::Driver& d, JournalRecorder& r) {
         const auto op = r.operation(kPollOperation, true);
         (void)d.callInt("GetChannelStatus");
       },
       {"Опрос|GetChannelStatus|-2|||||4|poll"}},
      {"a method's value and the code read after it, each in its column",
       [](automation::Driver& d, JournalRecorder& r) {
         const auto op = r.operation("Активное ЛУ", false);
         (void)d.callInt("GetActiveLD");
         (void)d.getInt("ResultCode");
       },
       {"Активное ЛУ|GetActiveLD|7|3||||4|-"}},
      {"a call whose code is never read has none; writes with no call after them are forgotten",
       [](automation::Driver& d, JournalRecorder& r) {
         {
           const auto op = r.operation("Тара", false);
           d.call("SetTare");
           d.put("Password", Variant(1));
         }
         const auto op = r.operation("Сброс", false);
         d.call("Reset");
       },
       {"Тара|SetTare||||||4|-", "Сброс|Reset||||||4|-"}},
      {"two calls of one operation: each its own writes and reads",
       [](automation::Driver& d, JournalRecorder& r) {
         const auto op = r.operation("ЛУ", false);
         d.put("LDIndex", Variant(2));
         (void)d.callInt("GetParamLD");
         d.put("LDName", Variant("Весы; 2"));
         d.call("SetParamLD");
         (void)d.getText("Output");
       },
       {"ЛУ|GetParamLD|-2|||||4|-|LDIndex=2", "ЛУ|SetParamLD|||||02 08|4|-|LDName=Весы; 2"}},
      {"failures: a driver error and a missing member, with their messages and no code",
       [](automation::Driver& d, JournalRecorder& r) {
         const auto op = r.operation("Подключиться", false);
         EXPECT_THROW(d.call("Connect"), automation::Error);
         (void)d.getInt("ResultCode");
         EXPECT_THROW(d.call("Nothing"), automation::Error);
       },
       {"Подключиться|Connect|||нет порта|||4|-",
        "Подключиться|Nothing|||" + automation::unknownNameMessage("Nothing") + "|||4|-"}},
      {"a poll inside a button's operation, and the button's again after it",
       [](automation::Driver& d, JournalRecorder& r) {
         const auto outer = r.operation("Дисплей", false);
         {
           const auto poll = JournalRecorder::operation(d, kPollOperation, true);
           (void)d.callInt("GetChannelStatus");
         }
         d.call("SetTare");
       },
       {"Опрос|GetChannelStatus|-2|||||4|poll", "Дисплей|SetTare||||||4|-"}},
  };
  for (const Case& c : cases) {
    testing::FakeDriver f;
    f.fake->set("Password", Variant(0)).set("Mode", Variant(0)).set("SetMode", Variant(0)).set("SetTare", Variant(0));
    f.fake->set("Reset", Variant(0)).set("LDIndex", Variant(0)).set("LDName", Variant("")).set("SetParamLD", Variant(0));
    f.fake->set("GetChannelStatus", Variant(-2)).set("GetParamLD", Variant(-2)).set("Weight", Variant(1.5));
    f.fake->set("GetActiveLD", Variant(7));
    f.fake->set("ResultCode", Variant(3)).set("ResultCodeDescription", Variant("Занято"));
    f.fake->set("Input", Variant("02 07")).set("Output", Variant("02 08"));
    f.fake->fail("Connect", "нет порта");
    auto recorder = std::make_shared<JournalRecorder>(JournalRecorder::Clock{ticks, timeOfDay});
    f.driver.setObserver(recorder);
    automation::Driver copy = f.driver;  // the display's copy is journalled too
    c.uses(copy, *recorder);

    std::vector<std::string> rows;
    for (std::size_t i = 0; i < recorder->journal().size(); ++i) rows.push_back(rowLine(recorder->journal()[i]));
    EXPECT_EQ(rows, c.rows) << c.what;
  }
}

TEST(JournalRecorder, StampsTheCallsStartAndAddsOnlyOnceTheCallIsDone) {
  testing::FakeDriver f;
  f.fake->set("TestGet", Variant(0)).set("ResultCode", Variant(0));
  auto recorder = std::make_shared<JournalRecorder>(JournalRecorder::Clock{ticks, timeOfDay});
  f.driver.setObserver(recorder);
  {
    const auto op = recorder->operation(kPollOperation, true);
    const auto stamped = static_cast<int32_t>(fakeTicks);
    (void)f.driver.callInt("TestGet");
    (void)f.driver.getInt("ResultCode");
    EXPECT_TRUE(recorder->journal().empty());  // the bench may still read the call's status
    fakeTicks += 100;
    (void)f.driver.callInt("TestGet");  // the first call's row is done now
    ASSERT_EQ(recorder->journal().size(), 1u);
    EXPECT_EQ(recorder->journal()[0].timeOfDayMs(), stamped);
  }
  EXPECT_EQ(recorder->journal().size(), 2u);
  // No recorder behind a driver: the operation is none, and nothing breaks.
  const testing::FakeDriver plain;
  { const auto none = JournalRecorder::operation(plain.driver, "x", false); }
  EXPECT_EQ(recorder->journal().size(), 2u);
}

}  // namespace
}  // namespace lk40::core
