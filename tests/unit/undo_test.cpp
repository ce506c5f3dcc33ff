// The undo of an arrangement: what is remembered, what goes back, and what
// is left where the user put it.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "default_settings.h"
#include "engine/arrange.h"
#include "engine/undo_memory.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

constexpr DisplayMethod kStacked = DisplayMethod::kStacked,
                        kSideBySide = DisplayMethod::kSideBySide,
                        kMinimizeAll = DisplayMethod::kMinimizeAll, kUndo = DisplayMethod::kUndo;
const Rect kBefore[] = {
    {10, 20, 300, 200}, {-8, -8, 1040, 754}, {700, 5, 200, 90}, {-8, -8, 1040, 754}};
// Where each goes back: the maximised ones' restored rectangles.
const Rect kBack[] = {kBefore[0], {101, 130, 480, 360}, kBefore[2], {103, 130, 480, 360}};

// Four windows of four processes, topmost first; the second and the fourth
// are maximised.
struct Desk {
  Desk() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    settings.OptUndo = "1";
    for (int i = 0; i < 4; ++i) {
      FakeWindow w;
      w.rect = kBefore[i];
      if (i % 2) {
        w.show_command = kShowMaximized;
        w.placement = {0, 0, 0, 0, 0, 0, 100 + i, 130, 580 + i, 490};
      }
      h.push_back(fake.desktop.Add(w));
      fake.processes.window_owners[h.back()] = 100 + i;
    }
  }
  void Arrange(DisplayMethod method) { ArrangeWindows(method, fake.platform, settings); }
  FakeWindow& W(int i) { return fake.desktop.Window(h[i]); }
  bool ShellUndone() { return !fake.shell.calls.empty() && fake.shell.calls.back()[0] == 'U'; }

  FakePlatform fake;
  Settings settings;
  std::vector<WindowHandle> h;
};

TEST(UndoTest, OnlyTheLastArrangementIsKeptAndAFailedWriteLeavesNone) {
  Desk d;
  d.Arrange(kStacked);
  const Rect stacked = d.W(0).rect;
  d.Arrange(kSideBySide);
  d.Arrange(kUndo);
  EXPECT_EQ(d.W(0).rect, stacked);
  d.Arrange(kStacked);
  d.fake.volatile_store.failing = true;
  d.Arrange(kSideBySide);
  EXPECT_TRUE(d.fake.volatile_store.values.empty());
}

// Each window goes back but the one the user acted on since; with no
// arrangement last, 元に戻す is the minimise-all's undo and moves nothing.
TEST(UndoTest, GoesBackExceptWhereTheUserActedSince) {
  constexpr int kNone = -1, kAll = 4;
  const struct {
    const char* what;
    std::function<void(Desk&)> between;
    int left;  // the window that stays where it is
  } cases[] = {
      {"nothing", [](Desk&) {}, kNone},
      {"moved", [](Desk& d) { d.W(1).rect.left += 5; }, 1},
      {"sized", [](Desk& d) { d.W(2).rect.height -= 1; }, 2},
      {"minimised", [](Desk& d) { d.W(0).show_command = kShowMinimized; }, 0},
      {"maximised", [](Desk& d) { d.W(3).show_command = kShowMaximized; }, 3},
      {"closed", [](Desk& d) { d.W(1).exists = false; }, 1},
      {"reused by another process", [](Desk& d) { d.fake.processes.window_owners[d.h[0]] = 9; }, 0},
      {"reused with another class", [](Desk& d) { d.W(2).class_name = "Other"; }, 2},
      {"minimise all after it", [](Desk& d) { d.fake.shell.works = true, d.Arrange(kMinimizeAll); },
       kAll},
      {"choice off", [](Desk& d) { d.settings.OptUndo = "0"; }, kAll},
      {"arranged with the choice off",
       [](Desk& d) {
         d.settings.OptUndo = "0";
         d.Arrange(kSideBySide);
         d.settings.OptUndo = "1";
       },
       kAll},
      {"memory damaged",
       [](Desk& d) { d.fake.volatile_store.values.begin()->second.replace(0, 1, "b"); }, kAll},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Desk d;
    d.Arrange(kStacked);
    c.between(d);
    const std::vector<FakeWindow> now = d.fake.desktop.windows;  // in the order of h
    d.Arrange(kUndo);
    for (int i = 0; i < 4; ++i) {
      const FakeWindow& w = d.W(i);
      const bool left = i == c.left || c.left == kAll;
      const int show = left ? now[i].show_command : i % 2 ? kShowMaximized : kShowNormal;
      EXPECT_TRUE(w.rect == (left ? now[i].rect : kBack[i]) && w.show_command == show) << i;
      EXPECT_TRUE(left || i % 2 == 0 || w.placement.normal_right == 580 + i) << i;
    }
    // The maximised windows, brought to the top, went back under the others.
    std::vector<WindowHandle> order;
    for (const auto& w : d.fake.desktop.windows)
      order.push_back(w.handle);
    EXPECT_TRUE(c.left != kNone || order == d.h);
    EXPECT_TRUE(d.fake.message_boxes.shown.empty());
    EXPECT_EQ(d.ShellUndone(), c.left == kAll);
    // Forgotten; with the choice off, left alone.
    EXPECT_EQ(d.fake.volatile_store.values.empty(), d.settings.OptUndo == "1");
    d.Arrange(kUndo);  // the minimise-all's, from now on
    EXPECT_TRUE(d.ShellUndone());
  }
}

TEST(UndoMemoryText, ReadsBackWhatItWroteAndSkipsDamage) {
  const RememberedWindow one{-5,   4294967295u,  "Class With Blanks",
                             true, {1, 2, 3, 4}, {-6, 7, 8, 9}};
  const auto back = ParseArrangement(FormatArrangement({one, {16, 1, "A\nB", false, {}, {}}}));
  ASSERT_EQ(back.size(), 1u);  // a class with a line break is left out
  EXPECT_TRUE(back[0].handle == one.handle && back[0].process == one.process &&
              back[0].class_name == one.class_name && back[0].maximized &&
              back[0].restored == one.restored && back[0].given == one.given);
  const std::string head = "BANCHIRO arrangement 1\n";
  const std::pair<const char*, bool> lines[] = {
      {"16 1 0 -2147483648 2147483647 1 2147483647 0 0 1 1 C", true},
      {"16 1 1 0 0 1 1 0 0 1 1 C D", true},
      {"0 1 0 0 0 1 1 0 0 1 1 C", false},            // no handle
      {"16 0 0 0 0 1 1 0 0 1 1 C", false},           // no process
      {"16 4294967296 0 0 0 1 1 0 0 1 1 C", false},  // beyond a process id
      {"16 1 2 0 0 1 1 0 0 1 1 C", false},           // neither state
      {"16 1 0 0 0 0 1 0 0 1 1 C", false},           // no width, no height
      {"16 1 0 0 0 1 1 0 0 1 0 C", false},
      {"16 1 0 -2147483649 0 1 1 0 0 1 1 C", false},
      {"16 1 0 0 0 1 1 0 0 1 1x C", false},
      {"16 1 0 0 0 1 1 0 0 1 1 ", false},  // no class
      {"16 1 0 0 0  1 1 0 0 1 1 C", false},
  };
  for (const auto& [line, read] : lines)
    EXPECT_EQ(ParseArrangement(head + line).size(), read ? 1u : 0u) << line;
  // A damaged line costs only itself; no more than twenty are read; another
  // version is not read at all.
  std::string many = head + "x";
  for (int i = 0; i < 25; ++i)
    many += "\n16 1 0 0 0 1 1 0 0 1 1 C";
  EXPECT_EQ(ParseArrangement(many).size(), 20u);
  EXPECT_TRUE(ParseArrangement("BANCHIRO arrangement 10\n16 1 0 0 0 1 1 0 0 1 1 C").empty());
}

}  // namespace
}  // namespace banchiro
