// The undo of an arrangement: what is remembered, what goes back, and what
// is left where the user put it.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "default_settings.h"
#include "app/startup.h"
#include "engine/arrange.h"
#include "engine/undo_memory.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

constexpr int kStacked = 4, kSideBySide = 5, kMinimizeAll = 11, kUndo = 12;
const Rect kBefore[] = {
    {10, 20, 300, 200}, {50, 60, 500, 400}, {-8, -8, 1040, 754}, {700, 5, 200, 90}};
const Rect kMaximizedRestored{120, 130, 480, 360};  // the third window's normal place

// Four windows of four processes, topmost first; the third is maximised.
struct Desk {
  Desk() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    settings.OptUndo = "1";
    for (int i = 0; i < 4; ++i) {
      FakeWindow w;
      w.rect = kBefore[i];
      if (i == 2) {
        w.show_command = kShowMaximized;
        w.placement.normal_left = kMaximizedRestored.left;
        w.placement.normal_top = kMaximizedRestored.top;
        w.placement.normal_right = kMaximizedRestored.right();
        w.placement.normal_bottom = kMaximizedRestored.bottom();
      }
      h.push_back(fake.desktop.Add(w));
      fake.processes.window_owners[h.back()] = 100 + i;
    }
  }
  void Arrange(int method) { ArrangeWindows(method, fake.platform, settings); }
  FakeWindow& W(int i) { return fake.desktop.Window(h[i]); }
  std::string& Memory() {
    return fake.volatile_store
        .values[{std::string(kSectionArrangement), std::string(kLastArrangementValue)}];
  }
  bool ShellUndoCalled() {
    const auto& calls = fake.shell.calls;
    return std::find(calls.begin(), calls.end(), "UndoMinimizeAll") != calls.end();
  }
  // The four handles in their present Z-order.
  std::vector<WindowHandle> Order() {
    std::vector<WindowHandle> order;
    for (const auto& w : fake.desktop.windows)
      order.push_back(w.handle);
    return order;
  }

  FakePlatform fake;
  Settings settings;
  std::vector<WindowHandle> h;
};

TEST(UndoTest, GoesBackExceptWhereTheUserActedSince) {
  const struct {
    const char* what;
    std::function<void(Desk&)> between;
    std::vector<int> left;  // windows that stay where they are
  } cases[] = {
      {"nothing", [](Desk&) {}, {}},
      {"moved", [](Desk& d) { d.W(1).rect.left += 5; }, {1}},
      {"sized", [](Desk& d) { d.W(3).rect.height -= 1; }, {3}},
      {"minimised", [](Desk& d) { d.W(0).show_command = kShowMinimized; }, {0}},
      {"maximised", [](Desk& d) { d.W(2).show_command = kShowMaximized; }, {2}},
      {"closed", [](Desk& d) { d.W(1).exists = false; }, {1}},
      {"reused by another process",
       [](Desk& d) { d.fake.processes.window_owners[d.h[0]] = 9; },
       {0}},
      {"reused with another class", [](Desk& d) { d.W(3).class_name = "Other"; }, {3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Desk d;
    d.Arrange(kStacked);
    c.between(d);
    std::vector<Rect> after;
    for (int i = 0; i < 4; ++i)
      after.push_back(d.W(i).rect);
    d.Arrange(kUndo);
    const auto left = [&](int i) { return std::count(c.left.begin(), c.left.end(), i) > 0; };
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(d.W(i).rect, left(i) ? after[i] : i == 2 ? kMaximizedRestored : kBefore[i]) << i;
    if (!left(2)) {
      EXPECT_EQ(d.W(2).show_command, kShowMaximized);
      EXPECT_EQ(d.W(2).placement.normal_right, kMaximizedRestored.right());
      EXPECT_EQ(d.W(2).placement.normal_bottom, kMaximizedRestored.bottom());
    }
    // The maximised window, brought to the top, went back under the others.
    if (c.left.empty()) {
      EXPECT_EQ(d.Order(), d.h);
    }
    EXPECT_TRUE(d.fake.message_boxes.shown.empty());
    EXPECT_FALSE(d.ShellUndoCalled());
    // Forgotten: the next undo is the minimise-all's.
    d.Arrange(kUndo);
    EXPECT_TRUE(d.ShellUndoCalled());
  }
}

TEST(UndoTest, OnlyTheLastArrangementIsKept) {
  Desk d;
  d.Arrange(kStacked);
  std::vector<Rect> stacked;
  for (int i = 0; i < 4; ++i)
    stacked.push_back(d.W(i).rect);
  d.Arrange(kSideBySide);
  d.Arrange(kUndo);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(d.W(i).rect, stacked[i]) << i;
}

TEST(UndoTest, WithoutAnArrangementLastItIsTheMinimiseAllsUndo) {
  const struct {
    const char* what;
    std::function<void(Desk&)> before_undo;
    bool undoes_arrangement;
  } cases[] = {
      {"minimise all after it", [](Desk& d) { d.Arrange(kMinimizeAll); }, false},
      {"choice off", [](Desk& d) { d.settings.OptUndo = "0"; }, false},
      {"choice neither 1 nor 0", [](Desk& d) { d.settings.OptUndo = "yes"; }, false},
      {"arranged with the choice off",
       [](Desk& d) {
         d.settings.OptUndo = "0";
         d.Arrange(kSideBySide);
         d.settings.OptUndo = "1";
       },
       false},
      {"memory of another version",
       [](Desk& d) { d.Memory().replace(d.Memory().find(" 1\n"), 2, " 2"); }, false},
      {"memory damaged", [](Desk& d) { d.Memory() = "x"; }, false},
      {"memory written", [](Desk&) {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Desk d;
    d.Arrange(kStacked);
    ASSERT_NE(d.W(0).rect, kBefore[0]);
    c.before_undo(d);
    const Rect before_undo = d.W(0).rect;
    d.Arrange(kUndo);
    EXPECT_EQ(d.ShellUndoCalled(), !c.undoes_arrangement);
    EXPECT_EQ(d.W(0).rect, c.undoes_arrangement ? kBefore[0] : before_undo);
    // With the choice off, the undo leaves the memory alone too.
    EXPECT_EQ(d.fake.volatile_store.values.empty(), d.settings.OptUndo == "1");
  }
}

TEST(UndoTest, AFailedWriteLeavesNoOlderArrangementBehind) {
  Desk d;
  d.Arrange(kStacked);
  d.fake.volatile_store.failing = true;
  d.Arrange(kSideBySide);
  EXPECT_TRUE(d.fake.volatile_store.values.empty());
  d.settings.OptUndo = "0";
  d.fake.volatile_store.failing = false;
  d.Arrange(kStacked);
  EXPECT_EQ(d.fake.volatile_store.writes, 2);  // the choice off writes nothing
}

TEST(UndoTest, AStartWithALetterReadsTheChoiceBeforeItArranges) {
  for (const char* stored : {"1", "0", ""}) {
    FakePlatform fake;
    fake.store.Set(kSectionConfig, "OptUndo", stored);
    fake.desktop.Add({});
    Settings settings;
    RunStartup("BANCHIRO.EXE G", fake.platform, settings);
    EXPECT_EQ(fake.volatile_store.values.size(), std::string(stored) == "1" ? 1u : 0u) << stored;
    EXPECT_EQ(fake.store.Get(kSectionConfig, "OptUndo"), stored) << "the load writes nothing";
  }
}

TEST(UndoMemoryText, ReadsBackWhatItWroteAndSkipsDamage) {
  const RememberedWindow one{-5,   4294967295u,  "Class With Blanks",
                             true, {1, 2, 3, 4}, {-6, 7, 8, 9}};
  const std::string text = FormatArrangement({one, {0x10, 1, "A\nB", false, {}, {}}});
  const auto back = ParseArrangement(text);
  ASSERT_EQ(back.size(), 1u);  // the class with a line break is left out
  EXPECT_EQ(back[0].handle, one.handle);
  EXPECT_EQ(back[0].process, one.process);
  EXPECT_EQ(back[0].class_name, one.class_name);
  EXPECT_TRUE(back[0].maximized);
  EXPECT_EQ(back[0].restored, one.restored);
  EXPECT_EQ(back[0].given, one.given);

  const std::string head = "BANCHIRO arrangement 1\n";
  const struct {
    const char* line;
    bool read;
  } lines[] = {
      {"16 1 0 -2147483648 2147483647 1 2147483647 0 0 1 1 C", true},
      {"16 1 1 0 0 1 1 0 0 1 1 C D", true},
      {"0 1 0 0 0 1 1 0 0 1 1 C", false},            // no handle
      {"16 0 0 0 0 1 1 0 0 1 1 C", false},           // no process
      {"16 4294967296 0 0 0 1 1 0 0 1 1 C", false},  // beyond a process id
      {"16 1 2 0 0 1 1 0 0 1 1 C", false},           // neither state
      {"16 1 -1 0 0 1 1 0 0 1 1 C", false},
      {"16 1 0 0 0 0 1 0 0 1 1 C", false},  // no width
      {"16 1 0 0 0 1 0 0 0 1 1 C", false},
      {"16 1 0 0 0 1 1 0 0 0 1 C", false},
      {"16 1 0 0 0 1 1 0 0 1 0 C", false},
      {"16 1 0 -2147483649 0 1 1 0 0 1 1 C", false},
      {"16 1 0 0 2147483648 1 1 0 0 1 1 C", false},
      {"16 1 0 0 0 1 1 0 0 1 1x C", false},
      {"16 1 0 0 0 1 1 0 0 1 1 ", false},  // no class
      {"16 1 0 0 0 1 1 0 0 1 1", false},
      {"16 1 0 0 0  1 1 0 0 1 1 C", false},
  };
  for (const auto& l : lines)
    EXPECT_EQ(ParseArrangement(head + l.line).size(), l.read ? 1u : 0u) << l.line;
  // A damaged line costs only itself; no more than twenty are read.
  EXPECT_EQ(ParseArrangement(head + "x\n16 1 0 0 0 1 1 0 0 1 1 C").size(), 1u);
  std::string many = head;
  for (int i = 0; i < 25; ++i)
    many += "16 1 0 0 0 1 1 0 0 1 1 C\n";
  EXPECT_EQ(ParseArrangement(many).size(), 20u);
  EXPECT_TRUE(ParseArrangement("BANCHIRO arrangement 10\n16 1 0 0 0 1 1 0 0 1 1 C").empty());
}

}  // namespace
}  // namespace banchiro
