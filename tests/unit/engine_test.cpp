// The arrangement: which windows are taken, where the layouts put them, and
// what is done to them, on the fake desktop.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/own_windows.h"
#include "default_settings.h"
#include "engine/arrange.h"
#include "engine/collect.h"
#include "engine/layouts.h"
#include "engine/place_rows.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

using M = DisplayMethod;

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::LoadDefaultSettings(fake, settings)); }
  // The default inputs on a 1024 x 768 screen with a 30-pixel taskbar.
  LayoutInputs Inputs(bool xp = false, Rect work_area = {0, 0, 1024, 738}) {
    return MakeLayoutInputs(settings, work_area, xp);
  }
  std::vector<Rect> Layout(DisplayMethod method, int n, const LayoutInputs& in) {
    return ComputeLayout(method, n, in).value_or(std::vector<Rect>{});
  }
  std::vector<WindowHandle> AddWindows(int n) {
    std::vector<WindowHandle> handles;
    for (int i = 0; i < n; ++i)
      handles.push_back(fake.desktop.Add({}));
    return handles;
  }
  void Arrange(DisplayMethod method) { ArrangeWindows(method, fake.platform, settings); }
  static std::string Call(const char* what, WindowHandle h) { return what + std::to_string(h); }

  FakePlatform fake;
  Settings settings;
};

TEST_F(EngineTest, LayoutFigures) {
  // Three windows (four for the grid, two split by the ratio, not evenly)
  // with the default gaps, ratio and K. 738 / 2.4 would be 307.5; K in
  // single precision is a little above 2.4.
  const struct {
    DisplayMethod method;
    bool xp;
    std::vector<Rect> rows;
  } cases[] = {
      {M::kCascadeFromTopLeft,
       false,
       {{114, 114, 427, 307}, {92, 92, 427, 307}, {70, 70, 427, 307}}},
      {M::kCascadeFromTopLeft,
       true,
       {{114, 128, 427, 307}, {92, 99, 427, 307}, {70, 70, 427, 307}}},
      {M::kCascadeFromTopRight,
       false,
       {{483, 114, 427, 307}, {505, 92, 427, 307}, {527, 70, 427, 307}}},
      {M::kCascadeFromBottomRight,
       false,
       {{527, 361, 427, 307}, {505, 339, 427, 307}, {483, 317, 427, 307}}},
      {M::kCascadeFromBottomLeft,
       false,
       {{70, 361, 427, 307}, {92, 339, 427, 307}, {114, 317, 427, 307}}},
      {M::kStacked, false, {{70, 70, 884, 199}, {70, 269, 884, 199}, {70, 469, 884, 199}}},
      {M::kStacked, false, {{70, 70, 884, 359}, {70, 429, 884, 239}}},
      {M::kSideBySide, false, {{70, 70, 354, 598}, {424, 70, 530, 598}}},
      {M::kSideBySide, false, {{70, 70, 295, 598}, {365, 70, 295, 598}, {660, 70, 295, 598}}},
      {M::kLeftAndStacked, false, {{70, 70, 354, 598}, {424, 70, 530, 359}, {424, 429, 530, 239}}},
      {M::kRightAndStacked, false, {{70, 70, 354, 359}, {70, 429, 354, 239}, {424, 70, 530, 598}}},
      {M::kTopAndSideBySide,
       false,
       {{70, 70, 884, 359}, {70, 429, 354, 239}, {424, 429, 530, 239}}},
      {M::kBottomAndSideBySide,
       false,
       {{70, 70, 354, 359}, {424, 70, 530, 359}, {70, 429, 884, 239}}},
      {M::kGrid,
       false,
       {{70, 70, 354, 359}, {424, 70, 530, 359}, {70, 429, 354, 239}, {424, 429, 530, 239}}},
  };
  for (const auto& c : cases) {
    const int n = static_cast<int>(c.rows.size());
    EXPECT_EQ(Layout(c.method, n, Inputs(c.xp)), c.rows) << MethodIndex(c.method) << " xp " << c.xp;
  }
}

TEST_F(EngineTest, LayoutsKeepEachGapFromItsOwnEdge) {
  // Taskbar left and top; gaps left, right, top, bottom; step; K; ratios.
  const LayoutInputs in{{100, 20, 900, 700}, 10, 20, 30, 40, 22, 22, 4, 5, 15};
  // Cascades start from the work area's corner; tilings measure their gaps
  // from the screen's origin.
  EXPECT_EQ(Layout(M::kCascadeFromTopLeft, 1, in)[0], (Rect{110, 50, 250, 180}));
  EXPECT_EQ(Layout(M::kCascadeFromBottomRight, 1, in)[0], (Rect{730, 500, 250, 180}));
  EXPECT_EQ(
      Layout(M::kGrid, 4, in),
      (std::vector<Rect>{
          {10, 30, 728, 162}, {738, 30, 242, 162}, {10, 192, 728, 488}, {738, 192, 242, 488}}));
}

TEST_F(EngineTest, LayoutsApplyOnlyToTheirCountsAndCoverTheArea) {
  // Method by method, the counts 0..5 a layout is given for.
  std::string counts;
  for (const auto& entry : DisplayMethods()) {
    for (int n : {-1, 0, 1, 2, 3, 4, 5})
      counts += ComputeLayout(entry.method, n, Inputs()) ? std::to_string(n) : "";
    counts += " ";
  }
  EXPECT_EQ(counts, "012345 012345 012345 012345 012345 012345 3 3 3 3 4    ");
  for (int n = 1; n <= 20; ++n) {
    const auto stacked = Layout(M::kStacked, n, Inputs());
    const auto side = Layout(M::kSideBySide, n, Inputs());
    ASSERT_EQ(stacked.size(), static_cast<std::size_t>(n));
    for (int i = 1; i < n; ++i) {
      // Neighbours may overlap or part by one pixel, never more.
      EXPECT_LE(std::abs(stacked[i].top - stacked[i - 1].bottom()), 1) << n << " " << i;
      EXPECT_EQ(side[i].left, side[i - 1].right()) << n << " " << i;
    }
    EXPECT_LE(std::abs(stacked.back().bottom() - 668), 1) << n;
    EXPECT_LE(std::abs(side.back().right() - 954), (n + 1) / 2) << n;
  }
  // A divisor near zero gives huge rectangles; a window takes them no larger
  // than the work area and no further out than its own size.
  settings.OptCas = "-1.1999999";
  EXPECT_EQ(Layout(M::kCascadeFromTopRight, 20, Inputs()).size(), 20u);
  const Rect area{0, 0, 1024, 738};
  const std::pair<Rect, Rect> fits[] = {{{70, 70, 884, 199}, {70, 70, 884, 199}},
                                        {{-70, -70, 500, 300}, {-70, -70, 500, 300}},
                                        {{5, 5, 0, -3}, {5, 5, 1, 1}},
                                        {{-900000, 2, 99999, 9}, {-1024, 2, 1024, 9}},
                                        {{2000, 900, 10, 10}, {1024, 738, 10, 10}}};
  for (const auto& [target, fitted] : fits)
    EXPECT_EQ(FitToArea(target, area), fitted);
  AddWindows(1);
  Arrange(M::kCascadeFromTopRight);
  EXPECT_EQ(fake.desktop.windows[0].rect.width, 1024);
}

TEST_F(EngineTest, CollectionFilters) {
  settings.OptJog[0] = "1";  // lower than 100 and narrower than 200 pixels: left out
  settings.OptJog[3] = "1";  // each rule has its own sizes
  settings.OptHgt[3] = "50";
  settings.OptWth[3] = "300";
  settings.JogaiWid[50] = "メモ帳";  // after gaps, still the user's
  const Rect big{0, 0, 400, 300};
  const struct {
    WindowInfo window;  // class, title, visible, show command, rectangle
    bool kept;
  } cases[] = {
      {{"Notepad", "無題", true, kShowNormal, big}, true},
      {{"Notepad", "無題", false, kShowNormal, big}, false},
      {{"Notepad", "無題", true, kShowMinimized, big}, false},
      {{"Notepad", "無題", true, kShowNormal, big, true}, false},  // cloaked
      {{"IME", "無題", true, kShowNormal, big}, false},
      {{"Shell_SecondaryTrayWnd", "無題", true, kShowNormal, big}, false},
      {{"static", "無題", true, kShowNormal, big}, true},
      {{"", "無題", true, kShowNormal, big}, false},
      {{"ThunderRT6Main", "無題", true, kShowNormal, big}, false},
      {{"ThunderRT6FormDC", "無題", true, kShowNormal, big}, true},
      {{"ThunderMain", "無題", true, kShowNormal, big}, true},
      {{"ThunderRT5MainX", "無題", true, kShowNormal, big}, false},
      {{"Notepad", "", true, kShowNormal, big}, false},
      {{"Notepad", "x ファンクションキー y", true, kShowNormal, big}, false},
      {{"Notepad", "ばんちろ君 FOR WIN", true, kShowNormal, big}, true},
      {{"Notepad", "無題 - メモ帳", true, kShowNormal, big}, false},
      {{"Notepad", "無題", true, kShowNormal, {0, 0, 199, 99}}, false},
      {{"Notepad", "無題", true, kShowNormal, {0, 0, 150, 100}}, true},
      {{"Notepad", "無題", true, kShowNormal, {0, 0, 200, 50}}, true},
      {{"Notepad", "無題", true, kShowNormal, {0, 0, 250, 49}}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!IsExcludedWindow(c.window, settings), c.kept)
        << c.window.class_name << " " << c.window.title << " " << c.window.rect.width;
  }
  // This program's own windows, whoever arranges and whatever their titles.
  for (const std::string_view own : kOwnWindowClasses)
    EXPECT_TRUE(IsExcludedWindow({std::string(own), "無題", true, kShowNormal, big}, settings));
}

// At most twenty windows, topmost first, each recorded. A window left out
// (overlay, tool window, process above this one's integrity level or with
// an unreadable token) takes no row and counts for no limit.
TEST_F(EngineTest, TwentyWindowsTopmostFirstEachRecorded) {
  const auto h = AddWindows(25);
  fake.desktop.Window(h[1]).integrity = kIntegrityHigh;
  fake.desktop.Window(h[2]).integrity = std::nullopt;
  fake.desktop.Window(h[3]).ex_style = kExToolWindow;
  fake.desktop.Window(h[4]).ex_style = kExNoActivate | kExAppWindow;
  fake.desktop.Window(h[5]).ex_style = kExToolWindow | kExAppWindow;  // kept, as a lower level
  fake.desktop.Window(h[5]).integrity = kIntegrityLow;
  const auto first_rows = [&](std::optional<std::uint32_t> own) {
    fake.desktop.own_integrity = own;
    const WindowTable t = CollectWindows(fake.desktop, fake.store, fake.message_boxes, settings);
    return std::vector<WindowHandle>{t.at(0).handle, t.at(1).handle, t.at(2).handle,
                                     t.at(3).handle};
  };
  EXPECT_EQ(first_rows(kIntegrityMedium), (std::vector<WindowHandle>{h[0], h[5], h[6], h[7]}));
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(1)"), HandleText(h[0]));
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(20)"), HandleText(h[23]));
  EXPECT_FALSE(fake.store.Has(kSectionHWnd, "N_Wnd(21)"));
  ASSERT_EQ(fake.message_boxes.shown.size(), 1u) << "one message per window beyond twenty";
  EXPECT_EQ(fake.message_boxes.shown[0].text, kTooManyWindowsMessage);
  EXPECT_EQ(first_rows(kIntegrityHigh), (std::vector<WindowHandle>{h[0], h[1], h[5], h[6]}));
  EXPECT_EQ(first_rows(std::nullopt), (std::vector<WindowHandle>{h[0], h[1], h[2], h[5]}));
}

// A maximised or snapped window is made normal, not activated, before its
// move to the tile (70, 70, 884, 598) with its invisible border outside; a
// maximised window's top border is its caption hanging off the screen.
TEST_F(EngineTest, MovesLeaveNormalWindowsAtTheirTiles) {
  const struct {
    std::uint32_t flags;
    int show;
    bool snapped;
    FrameMargins border;
    const char* written;
    Rect rect;
  } cases[] = {
      {2, kShowMaximized, false, {8, 8, 8, 8}, " flags 4 show 4", {62, 70, 900, 606}},
      {0, kShowMaximized, false, {}, " flags 4 show 4", {70, 70, 884, 598}},
      {0, kShowNormal, true, {}, " flags 4 show 4", {70, 70, 884, 598}},
      {4, kShowNormal, false, {7, 3, 7, 7}, "", {63, 67, 898, 608}},
  };
  for (const auto& c : cases) {
    FakePlatform f;
    FakeWindow w;
    w.placement.flags = c.flags;
    w.show_command = c.show;
    w.snapped = c.snapped;
    w.border = c.border;
    const WindowHandle h = f.desktop.Add(w);
    ArrangeWindows(M::kSideBySide, f.platform, settings);
    std::vector<std::string> expected = {Call("move ", h)};
    if (*c.written) expected.insert(expected.begin(), Call("placement ", h) + c.written);
    EXPECT_EQ(f.desktop.calls, expected);
    const FakeWindow& now = f.desktop.Window(h);
    EXPECT_EQ(now.rect, c.rect);
    EXPECT_TRUE(now.show_command == kShowNormal && !now.snapped) << c.show << c.snapped;
  }
}

// A primary monitor at 96 dpi with one at 144 dpi on its right: windows
// coming from the right (or mostly from it) change scale, and a per-monitor
// aware one resizes itself (and its frame) on the way; those are moved once
// more, after their programs were given the time, and all end at their
// tiles, framed at the scale they have then.
TEST_F(EngineTest, WindowsChangingMonitorScaleAreMovedAgainToTheirTiles) {
  fake.desktop.scaled_monitors = {{{0, 0, 1024, 768}, 96}, {{1024, 0, 1024, 768}, 144}};
  const struct {
    int left;
    bool follows_dpi;
    bool moved_again;
  } cases[] = {{1100, true, true},
               {100, true, false},
               {1600, false, true},
               {700, true, false},
               {900, true, true}};
  std::vector<WindowHandle> handles;
  std::string awaited = "await";
  for (const auto& c : cases) {
    FakeWindow w;
    w.rect = {c.left, 10, 400, 300};
    w.follows_dpi = c.follows_dpi;
    w.border = c.moved_again ? FrameMargins{12, 0, 12, 12} : FrameMargins{8, 0, 8, 8};
    handles.push_back(fake.desktop.Add(w));
    if (c.moved_again) awaited += " " + std::to_string(handles.back());
  }
  Arrange(M::kSideBySide);
  std::vector<std::string> expected;
  for (const WindowHandle h : handles)
    expected.push_back(Call("move ", h));
  expected.push_back(awaited + " within " + std::to_string(kDpiChangeWaitMs));
  for (std::size_t i = 0; i < handles.size(); ++i) {
    if (cases[i].moved_again) expected.push_back(Call("move ", handles[i]));
    const Rect tile = FitToArea(Layout(M::kSideBySide, 5, Inputs())[i], Inputs().work_area);
    const int b = cases[i].follows_dpi ? 8 : 12;
    EXPECT_EQ(fake.desktop.windows[i].rect,
              (Rect{tile.left - b, tile.top, tile.width + 2 * b, tile.height + b}))
        << i;
  }
  EXPECT_EQ(fake.desktop.calls, expected);
  EXPECT_EQ(fake.desktop.moves_outside_monitor_pixels, 0);
  EXPECT_EQ(fake.desktop.monitor_pixels_depth, 0);
}

// Close-all asks each taken window to close: see the toolbar's button 11.
TEST_F(EngineTest, MethodsThatDoNotApplyDoNothing) {
  AddWindows(3);
  for (M method : {static_cast<M>(-1), M::kGrid, static_cast<M>(kMethodCount)})
    Arrange(method);
  EXPECT_TRUE(fake.desktop.calls.empty());
  EXPECT_TRUE(fake.shell.calls.empty());
  // The Windows name decides the cascade's step down: 5.1 is Windows XP.
  for (const auto& [minor, top] : {std::pair{0, 114}, std::pair{1, 128}}) {
    fake.system.version = {2, 5, minor};
    Arrange(M::kCascadeFromTopLeft);
    EXPECT_EQ(fake.desktop.windows[0].rect, (Rect{114, top, 427, 307}));
  }
}

TEST_F(EngineTest, MinimiseAllFallsBackAndItsUndoRestoresOnlyItsOwn) {
  const auto h = AddWindows(4);
  const WindowHandle was_minimised = fake.desktop.Add({});
  fake.desktop.Window(was_minimised).show_command = kShowMinimized;
  Arrange(M::kMinimizeAll);
  EXPECT_EQ(fake.shell.calls, std::vector<std::string>{"MinimizeAll"});
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "M_Count"), "4");
  // A second press after the user brought one back and opened another adds
  // to the list, each window once.
  fake.desktop.Window(h[1]).show_command = kShowNormal;
  const WindowHandle added = fake.desktop.Add({});
  Arrange(M::kMinimizeAll);
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "M_Count"), "5");
  // Meanwhile the user brings one back and closes another.
  fake.desktop.Window(h[1]).show_command = kShowNormal;
  fake.desktop.Window(h[2]).exists = false;
  fake.desktop.calls.clear();
  Arrange(M::kUndo);
  EXPECT_EQ(fake.desktop.calls,
            (std::vector<std::string>{Call("restore ", h[0]), Call("restore ", h[3]),
                                      Call("restore ", added)}));
  EXPECT_TRUE(fake.desktop.IsMinimized(was_minimised));
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "M_Count"), "0");
  // A count below one restores nothing, not even a window the user
  // minimised; a working shell needs no list.
  fake.store.Set(kSectionHWnd, "M_Count", "-1");
  fake.store.Set(kSectionHWnd, "M_Wnd(1)", HandleText(was_minimised));
  fake.desktop.calls.clear();
  fake.shell.works = true;
  Arrange(M::kMinimizeAll);
  Arrange(M::kUndo);
  fake.shell.works = false;
  Arrange(M::kUndo);
  EXPECT_TRUE(fake.desktop.calls.empty());
}

}  // namespace
}  // namespace banchiro
