// The rules the windows apply without a widget: where the main window and the
// journal's window go, the caption with the port, the display's lamps and
// buttons, and the logging step.
#include <gtest/gtest.h>

#include "core/every_nth_tick.h"
#include "core/weight_display_state.h"
#include "core/window_caption.h"
#include "core/window_placement.h"
#include "fake_dispatch.h"

namespace lk40::core {
namespace {

TEST(Placement, CentredOrInTheLeftHalfOfADoubleScreen) {
  EXPECT_EQ(centredPlacement(2048, 768, 991, 553), (Point{16, 107}));
  EXPECT_EQ(centredPlacement(1280, 1024, 991, 553), (Point{144, 235}));
  EXPECT_EQ(centredPlacement(2048, 1024, 991, 553), (Point{528, 235}));
  // Integer division truncates toward zero, also for a window larger than the screen.
  EXPECT_EQ(centredPlacement(800, 600, 1001, 603), (Point{-100, -1}));
}

TEST(Placement, AWindowOfItsOwnFitsTheRoomItOpensIn) {
  const struct {
    Rect room;
    int width, height;
    Point centre;
    Rect placed;
  } cases[] = {
      {{0, 0, 1024, 740}, 1198, 480, {512, 384}, {0, 144, 1024, 480}},        // too wide: cut to the room
      {{0, 0, 1280, 1000}, 1198, 480, {200, 500}, {0, 260, 1198, 480}},       // moved in from the left
      {{1280, 0, 1024, 740}, 900, 480, {2250, 700}, {1404, 260, 900, 480}},   // a second screen, from below right
      {{0, 24, 800, 400}, 1198, 480, {400, 300}, {0, 24, 800, 400}},          // too tall as well
      {{0, 0, 0, 0}, 300, 200, {10, 10}, {0, 0, 1, 1}},                       // no room at all: nothing undefined
  };
  for (const auto& c : cases) EXPECT_EQ(fittedPlacement(c.room, c.width, c.height, c.centre), c.placed) << c.width;
}

TEST(Caption, ThePortOnlyWhileConnectedAndReadOnlyThen) {
  const struct {
    bool connected;
    const char* caption;
    std::vector<std::string> reads;
  } rows[] = {
      {true, "Тест драйвера (COM7)", {"Connected", "ComNumber"}},
      {false, "Тест драйвера", {"Connected"}},
  };
  for (const auto& row : rows) {
    testing::FakeDriver fd;
    fd.fake->set("Connected", automation::Variant(row.connected)).set("ComNumber", 7);
    EXPECT_EQ(captionWithPort(fd.driver, "Тест драйвера"), row.caption);
    EXPECT_EQ(fd.fake->reads(), row.reads);
  }
}

TEST(WeightDisplayState, LampsAndTheTareButtonFollowTheirBits) {
  const struct {
    int32_t mode;
    bool zero, tare, settled, fixed, tareButton;
  } rows[] = {
      {0x00, false, false, false, false, true}, {0x01, false, false, false, true, true},
      {0x02, true, false, false, false, true},  {0x08, false, true, false, false, false},
      {0x10, false, false, true, false, true},  {0x1B, true, true, true, true, false},
      // Bits that light no lamp: channel on, the error bits, ADC underload.
      {0x1E4, false, false, false, false, true},
  };
  for (const auto& row : rows) {
    const WeightDisplayState s = weightDisplayState(row.mode);
    EXPECT_EQ((std::vector<bool>{s.zeroLamp, s.tareLamp, s.settledLamp, s.fixedLamp, s.tareButtonEnabled}),
              (std::vector<bool>{row.zero, row.tare, row.settled, row.fixed, row.tareButton}))
        << row.mode;
  }
}

TEST(EveryNthTick, TheFirstTickAndEveryStepThAfterIt) {
  const struct {
    int step;
    const char* due;  // one character per tick
  } rows[] = {{1, "xxxxx"}, {3, "x..x..x"}, {0, "....."}, {-1, "....."}};
  for (const auto& row : rows) {
    EveryNthTick ticks;
    std::string due;
    for (size_t i = 0; row.due[i] != '\0'; ++i) due += ticks.due(row.step) ? 'x' : '.';
    EXPECT_EQ(due, row.due) << row.step;
  }
  // Restarted, it counts from the first tick again.
  EveryNthTick ticks;
  ticks.due(3);
  ticks.restart();
  EXPECT_TRUE(ticks.due(3));
}

}  // namespace
}  // namespace lk40::core
