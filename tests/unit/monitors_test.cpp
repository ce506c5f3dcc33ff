// Arranging on several monitors: which monitor a window belongs to, and what
// each monitor choice does to the windows of each monitor.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "default_settings.h"
#include "engine/arrange.h"
#include "engine/monitors.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

// The primary monitor with a taskbar, one left of it (lower, with a
// taskbar of its own) and one above it, with negative coordinates.
const Monitor kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true};
const Monitor kLeft{{-800, 100, 800, 600}, {-800, 100, 800, 560}, false};
const Monitor kAbove{{0, -600, 800, 600}, {0, -600, 800, 600}, false};

TEST(MonitorsTest, AWindowBelongsWhereMostOfItIsOrToTheNearest) {
  const std::vector<Monitor> monitors = {kPrimary, kLeft, kAbove};
  const Rect primary_work{0, 40, 1024, 728};  // a taskbar at the top
  const struct {
    Rect rect;
    int show_command;
    std::size_t monitor;
  } cases[] = {
      {{100, 100, 400, 300}, kShowNormal, 0},
      {{-300, 200, 400, 300}, kShowNormal, 1},     // straddling, more on the left
      {{-100, 200, 400, 300}, kShowMaximized, 0},  // straddling, more on the primary
      {{-200, 200, 400, 300}, kShowNormal, 0},     // half and half: the first
      {{100, -500, 400, 600}, kShowNormal, 2},
      {{2000, 300, 100, 100}, kShowNormal, 0},  // on none: the nearest
      {{-1500, -900, 100, 100}, kShowNormal, 1},
      {{-5, 150, 0, 0}, kShowNormal, 1},          // no size: its corner
      {{100, 100, 400, 300}, kShowMinimized, 1},  // minimised: where it comes back
  };
  Placement placement;
  placement.normal_left = -700, placement.normal_top = 110;
  placement.normal_right = -300, placement.normal_bottom = 410;
  for (const auto& c : cases) {
    const WindowInfo window{"C", "T", true, c.show_command, c.rect};
    EXPECT_EQ(MonitorHolding(monitors, DecidingPlace(window, placement, primary_work)), c.monitor)
        << c.rect.left << "," << c.rect.top;
  }
  EXPECT_EQ(DecidingPlace({"C", "T", true, kShowMinimized, {}}, placement, primary_work),
            (Rect{-700, 150, 400, 300}));
}

class MonitorArrangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.monitors.monitors = {kPrimary, kLeft, kAbove};
    fake.shell.works = true;
  }
  // Windows at these places, topmost first.
  void Open(const std::vector<Rect>& places) {
    for (const Rect& r : places) {
      FakeWindow window;
      window.rect = r;
      handles.push_back(fake.desktop.Add(window));
    }
  }
  std::vector<Rect> Places() {
    std::vector<Rect> places;
    for (const FakeWindow& w : fake.desktop.windows)
      places.push_back(w.rect);
    return places;
  }
  FakePlatform fake;
  Settings settings;
  std::vector<WindowHandle> handles;
};

const Rect kOnPrimary{100, 100, 400, 300}, kOnLeft1{-700, 150, 400, 300},
    kOnAbove{100, -500, 400, 300}, kOnLeft2{-600, 200, 400, 300};

TEST_F(MonitorArrangeTest, EachChoiceLaysOutTheWindowsOfItsMonitorsInTheirOwnWorkAreas) {
  const std::optional<Rect> on_above = Rect{300, -300, 200, 40};  // the bar
  const struct {
    const char* choice;
    char method;
    ScreenPoint pointer;
    std::optional<Rect> from;
    std::vector<Rect> places;  // rows 1 to 4: primary, left, above, left
  } cases[] = {
      {"1",
       'G',
       {-400, 300},
       {},
       {kOnPrimary, {-730, 170, 660, 252}, kOnAbove, {-730, 422, 660, 168}}},
      {"1", 'G', {-400, 300}, on_above, {kOnPrimary, kOnLeft1, {70, -530, 660, 460}, kOnLeft2}},
      {"1", 'O', {500, 300}, {}, {{70, 70, 884, 598}, kOnLeft1, kOnAbove, kOnLeft2}},
      {"2",
       'O',
       {500, 300},
       {},
       {{70, 70, 884, 598}, {-730, 170, 264, 420}, {70, -530, 660, 460}, {-466, 170, 396, 420}}},
      {"2",
       'S',
       {500, 300},
       {},
       {{70, 70, 427, 307}, {-708, 192, 333, 233}, {70, -530, 333, 250}, {-730, 170, 333, 233}}},
      {"2", 'H', {500, 300}, {}, {kOnPrimary, kOnLeft1, kOnAbove, kOnLeft2}},  // no monitor has 3
      {"7",  // anything else: every window on the primary, as without the choice
       'O',
       {-400, 300},
       {},
       {{70, 70, 221, 598}, {291, 70, 221, 598}, {512, 70, 221, 598}, {733, 70, 221, 598}}},
  };
  for (const auto& c : cases) {
    fake.desktop.windows.clear(), handles.clear();
    Open({kOnPrimary, kOnLeft1, kOnAbove, kOnLeft2});
    settings.OptMon = c.choice;
    fake.monitors.pointer = c.pointer;
    ArrangeWindows(*MethodForLetter(c.method), fake.platform, settings, c.from);
    EXPECT_EQ(Places(), c.places) << c.choice << c.method;
  }
}

TEST_F(MonitorArrangeTest, TheLimitCountsTheCommandsWindows) {
  std::vector<Rect> places(21, kOnLeft1);
  places.push_back(kOnPrimary);
  Open(places);
  const struct {
    const char* choice;
    ScreenPoint pointer;
    std::size_t messages;
  } cases[] = {{"1", {500, 300}, 0}, {"1", {-400, 300}, 1}, {"2", {500, 300}, 2}};
  for (const auto& c : cases) {
    fake.message_boxes.shown.clear();
    settings.OptMon = c.choice, fake.monitors.pointer = c.pointer;
    ArrangeWindows(4, fake.platform, settings);
    EXPECT_EQ(fake.message_boxes.shown.size(), c.messages) << c.choice;
  }
}

TEST_F(MonitorArrangeTest, MinimiseUndoAndCloseAllTakeThePointersMonitorOnly) {
  Open({kOnPrimary, kOnLeft1, kOnAbove, kOnLeft2});
  settings.OptMon = "1";
  const auto minimized = [&] {
    std::string out;
    for (const FakeWindow& w : fake.desktop.windows)
      out += w.show_command == kShowMinimized ? "m" : "-";
    return out;
  };
  fake.monitors.pointer = {-400, 300};
  ArrangeWindows(11, fake.platform, settings);
  fake.monitors.pointer = {300, -300};
  ArrangeWindows(11, fake.platform, settings);
  EXPECT_EQ(minimized(), "-mmm");
  EXPECT_TRUE(fake.shell.calls.empty()) << "the shell's own would take every window";
  ArrangeWindows(12, fake.platform, settings);
  EXPECT_EQ(minimized(), "-m-m");
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "M_Count"), "2");
  fake.monitors.pointer = {500, 300};
  ArrangeWindows(12, fake.platform, settings);
  EXPECT_EQ(minimized(), "-m-m") << "nothing of the primary was minimised";
  fake.monitors.pointer = {-400, 300};
  ArrangeWindows(12, fake.platform, settings);
  EXPECT_EQ(minimized(), "----");
  EXPECT_EQ(Places(), (std::vector<Rect>{kOnPrimary, kOnLeft1, kOnAbove, kOnLeft2}));

  fake.desktop.calls.clear();
  ArrangeWindows(13, fake.platform, settings);
  EXPECT_EQ(fake.desktop.calls, (std::vector<std::string>{"close " + std::to_string(handles[1]),
                                                          "close " + std::to_string(handles[3])}));
  // Every monitor's windows are every window: the shell's own, as before.
  settings.OptMon = "2";
  ArrangeWindows(11, fake.platform, settings);
  EXPECT_EQ(fake.shell.calls, std::vector<std::string>{"MinimizeAll"});
}

}  // namespace
}  // namespace banchiro
