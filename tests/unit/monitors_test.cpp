// Which monitor a window belongs to, and what each monitor choice arranges.
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "default_settings.h"
#include "engine/arrange.h"
#include "engine/monitors.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

using Rects = std::vector<Rect>;

// The primary monitor with a taskbar, one left of it (lower, with a
// taskbar of its own) and one above it, with negative coordinates.
const Monitor kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true};
const Monitor kLeft{{-800, 100, 800, 600}, {-800, 100, 800, 560}, false};
const Monitor kAbove{{0, -600, 800, 600}, {0, -600, 800, 600}, false};

TEST(MonitorsTest, AWindowBelongsWhereMostOfItIsOrToTheNearest) {
  const std::vector<Monitor> monitors = {kPrimary, kLeft, kAbove};
  const Rect primary_work{20, 40, 1004, 728};  // taskbars at the left and the top
  Placement placement;                         // where it comes back to
  placement.normal_left = -700, placement.normal_top = 110;
  placement.normal_right = -300, placement.normal_bottom = 410;
  const std::tuple<Rect, int, std::size_t> cases[] = {
      {{100, 100, 400, 300}, kShowNormal, 0},     {{-300, 200, 400, 300}, kShowNormal, 1},
      {{-100, 200, 400, 300}, kShowMaximized, 0}, {{-200, 200, 400, 300}, kShowNormal, 0},
      {{100, -500, 400, 600}, kShowNormal, 2},    {{2000, 300, 100, 100}, kShowNormal, 0},
      {{-1500, -900, 100, 100}, kShowNormal, 1},  {{-5, 150, 0, 0}, kShowNormal, 1},
      {{100, 100, 400, 300}, kShowMinimized, 1},  {{0, 0, 0, 0}, kShowMinimized, 1},
      {{-1, 150, 1, 1}, kShowNormal, 1},          {{500, -1, 1, 1}, kShowNormal, 2},
      {{100, 2000, 100, 100}, kShowNormal, 0},
  };
  for (const auto& [rect, show_command, monitor] : cases) {
    const WindowInfo window{"C", "T", true, show_command, rect};
    EXPECT_EQ(MonitorHolding(monitors, DecidingPlace(window, placement, primary_work)), monitor)
        << rect.left << "," << rect.top;
  }
  // From the work area: 60 of 150 rows above the primary, not 100; 200 of 400 columns left, not
  // 220.
  for (const Placement& p : {Placement{0, 0, 0, 0, 0, 0, 100, -100, 500, 50},
                             Placement{0, 0, 0, 0, 0, 0, -220, 200, 180, 500},
                             Placement{0, 0, 0, 0, 0, 0, -170, 200, 230, 500}}) {
    const WindowInfo minimised{"C", "T", true, kShowMinimized, {}};
    EXPECT_EQ(MonitorHolding(monitors, DecidingPlace(minimised, p, primary_work)), 0u);
  }
}

// Rows 1 to 4: on the primary, the left, above, the left again.
const Rects kPlaces = {
    {100, 100, 400, 300}, {-700, 150, 400, 300}, {100, -500, 400, 300}, {-600, 200, 400, 300}};
const ScreenPoint kAtLeft{-400, 300}, kAtPrimary{500, 300};

class MonitorArrangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.monitors.monitors = {kPrimary, kLeft, kAbove}, fake.shell.works = true;
    for (const Rect& r : kPlaces)
      fake.desktop.Add({}), fake.desktop.windows.back().rect = r;
  }
  void Arrange(const char* choice, DisplayMethod method, ScreenPoint pointer,
               std::optional<Rect> from = std::nullopt) {
    settings.OptMon = choice, fake.monitors.pointer = pointer;
    ArrangeWindows(method, fake.platform, settings, from);
  }
  Rects Places() {
    Rects places;
    for (const FakeWindow& w : fake.desktop.windows)
      places.push_back(w.rect);
    return places;
  }
  std::string Minimized() {
    std::string out;
    for (const FakeWindow& w : fake.desktop.windows)
      out += w.show_command == kShowMinimized ? "m" : "-";
    return out;
  }
  FakePlatform fake;
  Settings settings;
};

// The pointer on the left (L), on the primary (P), or the request from the bar above (B).
TEST_F(MonitorArrangeTest, EachChoiceLaysOutTheWindowsOfItsMonitorsInTheirOwnWorkAreas) {
  const Rect P = kPlaces[0], L1 = kPlaces[1], A = kPlaces[2], L2 = kPlaces[3];
  const Rect tiled_p{70, 70, 884, 598}, tiled_a{70, -530, 660, 460};
  const std::tuple<const char*, char, char, Rects> cases[] = {
      {"1", 'G', 'L', {P, {-730, 170, 660, 252}, A, {-730, 422, 660, 168}}},
      {"1", 'S', 'B', {P, L1, {70, -530, 333, 250}, L2}},
      {"1", 'O', 'P', {tiled_p, L1, A, L2}},
      {"2", 'O', 'P', {tiled_p, {-730, 170, 264, 420}, tiled_a, {-466, 170, 396, 420}}},
      {"2", 'H', 'P', {P, L1, A, L2}},  // no monitor has three
      // Anything else: every window on the primary, as without the choice.
      {"7",
       'O',
       'L',
       {{70, 70, 221, 598}, {291, 70, 221, 598}, {512, 70, 221, 598}, {733, 70, 221, 598}}},
  };
  for (const auto& [choice, method, where, places] : cases) {
    for (std::size_t i = 0; i < kPlaces.size(); ++i)
      fake.desktop.windows[i].rect = kPlaces[i];
    const auto from = where == 'B' ? std::optional<Rect>({300, -300, 200, 40}) : std::nullopt;
    Arrange(choice, *MethodForLetter(method), where == 'P' ? kAtPrimary : kAtLeft, from);
    EXPECT_EQ(Places(), places) << choice << method;
  }
}

TEST_F(MonitorArrangeTest, MinimiseUndoCloseAllAndTheLimitTakeThePointersMonitorOnly) {
  Arrange("1", DisplayMethod::kMinimizeAll, kAtLeft),
      Arrange("1", DisplayMethod::kMinimizeAll, {300, -300});
  EXPECT_EQ(Minimized(), "-mmm");
  EXPECT_TRUE(fake.shell.calls.empty()) << "the shell's own would take every window";
  Arrange("1", DisplayMethod::kUndo, kAtLeft);
  EXPECT_EQ(Minimized(), "--m-");
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "M_Count"), "1");
  Arrange("1", DisplayMethod::kUndo, kAtPrimary);
  EXPECT_EQ(Minimized(), "--m-") << "nothing of the primary was minimised";
  Arrange("1", DisplayMethod::kUndo, {300, -300});
  EXPECT_EQ(Minimized(), "----");
  EXPECT_EQ(Places(), kPlaces);

  fake.desktop.calls.clear(), Arrange("1", DisplayMethod::kCloseAll, kAtLeft);
  const auto& w = fake.desktop.windows;
  EXPECT_EQ(fake.desktop.calls, (std::vector<std::string>{"close " + std::to_string(w[1].handle),
                                                          "close " + std::to_string(w[3].handle)}));
  // Every monitor's windows are every window: the shell's own, as before.
  Arrange("2", DisplayMethod::kMinimizeAll, kAtLeft);
  EXPECT_EQ(fake.shell.calls, std::vector<std::string>{"MinimizeAll"});
  // The limit's message counts the command's windows alone.
  for (int i = 0; i < 19; ++i)
    fake.desktop.Add({}), fake.desktop.windows.back().rect = kPlaces[1];
  const std::tuple<const char*, ScreenPoint, std::size_t> cases[] = {
      {"1", kAtPrimary, 0}, {"1", kAtLeft, 1}, {"2", kAtPrimary, 3}};
  for (const auto& [choice, pointer, messages] : cases) {
    fake.message_boxes.shown.clear();
    Arrange(choice, DisplayMethod::kStacked, pointer);
    EXPECT_EQ(fake.message_boxes.shown.size(), messages) << choice;
  }
}

}  // namespace
}  // namespace banchiro
