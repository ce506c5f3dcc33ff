#include "engine/arrange.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "default_settings.h"

namespace banchiro {
namespace {

class ArrangeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::LoadDefaultSettings(fake, settings)); }
  std::vector<WindowHandle> AddWindows(int n) {
    std::vector<WindowHandle> handles;
    for (int i = 0; i < n; ++i)
      handles.push_back(fake.desktop.Add({}));
    return handles;
  }
  std::string Id(WindowHandle h) { return std::to_string(h); }

  FakePlatform fake;
  Settings settings;
};

TEST_F(ArrangeTest, StackedMovesEveryRowInOrder) {
  const auto h = AddWindows(3);
  ArrangeWindows(4, fake.platform, settings);
  EXPECT_EQ(fake.desktop.Window(h[0]).rect, (Rect{70, 70, 884, 199}));
  EXPECT_EQ(fake.desktop.Window(h[1]).rect, (Rect{70, 269, 884, 199}));
  EXPECT_EQ(fake.desktop.Window(h[2]).rect, (Rect{70, 469, 884, 199}));
  const std::vector<std::string> expected = {
      "placement " + Id(h[0]) + " flags 0 show 1", "move " + Id(h[0]),
      "placement " + Id(h[1]) + " flags 0 show 1", "move " + Id(h[1]),
      "placement " + Id(h[2]) + " flags 0 show 1", "move " + Id(h[2]),
  };
  EXPECT_EQ(fake.desktop.calls, expected);
}

TEST_F(ArrangeTest, PlacementFlags) {
  const struct {
    std::uint32_t flags;
    int show;
    std::string written;
  } cases[] = {
      {2, kShowMaximized, "flags 4 show 1"}, {4, kShowNormal, "flags 2 show 1"},
      {0, kShowMaximized, "flags 0 show 3"}, {1, kShowNormal, "flags 1 show 1"},
      {6, kShowNormal, "flags 6 show 1"},
  };
  for (const auto& c : cases) {
    FakePlatform f;
    FakeWindow w;
    w.placement.flags = c.flags;
    w.show_command = c.show;
    const WindowHandle h = f.desktop.Add(w);
    ArrangeWindows(5, f.platform, settings);
    ASSERT_EQ(f.desktop.calls.size(), 2u);
    EXPECT_EQ(f.desktop.calls[0], "placement " + Id(h) + " " + c.written);
    EXPECT_EQ(f.desktop.Window(h).rect, (Rect{70, 70, 884, 598}));
  }
}

TEST_F(ArrangeTest, AHungWindowIsMovedWithoutTouchingItsPlacement) {
  const auto h = AddWindows(2);
  fake.desktop.Window(h[0]).hung = true;
  ArrangeWindows(4, fake.platform, settings);
  const std::vector<std::string> expected = {
      "move " + Id(h[0]), "placement " + Id(h[1]) + " flags 0 show 1", "move " + Id(h[1])};
  EXPECT_EQ(fake.desktop.calls, expected);
}

TEST_F(ArrangeTest, WrongCountForASplitTilingMovesNothing) {
  AddWindows(3);
  for (int method : {10})
    ArrangeWindows(method, fake.platform, settings);
  AddWindows(1);
  for (int method : {6, 7, 8, 9})
    ArrangeWindows(method, fake.platform, settings);
  EXPECT_TRUE(fake.desktop.calls.empty());
}

TEST_F(ArrangeTest, NumbersOutsideTheRangeDoNothing) {
  AddWindows(2);
  for (int method : {-1, 14, 100})
    ArrangeWindows(method, fake.platform, settings);
  EXPECT_TRUE(fake.desktop.calls.empty());
  EXPECT_FALSE(fake.store.Has(kSectionHWnd, "N_Wnd(1)"));
  EXPECT_TRUE(fake.shell.calls.empty());
}

TEST_F(ArrangeTest, CloseAllPostsCloseInRowOrder) {
  const auto h = AddWindows(3);
  FakeWindow own;
  own.title = "ばんちろ君 for Win";
  fake.desktop.Add(own);
  ArrangeWindows(13, fake.platform, settings);
  const std::vector<std::string> expected = {"close " + Id(h[0]), "close " + Id(h[1]),
                                             "close " + Id(h[2])};
  EXPECT_EQ(fake.desktop.calls, expected);
}

TEST_F(ArrangeTest, ShellMinimiseNeedsNoFallback) {
  AddWindows(2);
  fake.shell.works = true;
  ArrangeWindows(11, fake.platform, settings);
  ArrangeWindows(12, fake.platform, settings);
  EXPECT_EQ(fake.shell.calls, (std::vector<std::string>{"MinimizeAll", "UndoMinimizeAll"}));
  EXPECT_TRUE(fake.desktop.calls.empty());
}

TEST_F(ArrangeTest, MinimiseFallbackAndItsUndo) {
  const auto h = AddWindows(4);
  FakeWindow already;
  already.show_command = kShowMinimized;
  const WindowHandle was_minimised = fake.desktop.Add(already);
  ArrangeWindows(11, fake.platform, settings);
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(fake.desktop.IsMinimized(h[i])) << i;
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "M_Count"), "4");

  // Meanwhile the user brings one back and closes another.
  fake.desktop.Window(h[1]).show_command = kShowNormal;
  fake.desktop.Window(h[2]).exists = false;
  fake.desktop.calls.clear();
  ArrangeWindows(12, fake.platform, settings);
  const std::vector<std::string> expected = {"restore " + Id(h[0]), "restore " + Id(h[3])};
  EXPECT_EQ(fake.desktop.calls, expected);
  EXPECT_TRUE(fake.desktop.IsMinimized(was_minimised)) << "not ours to restore";

  // A second undo has nothing left to do.
  fake.desktop.Window(h[0]).show_command = kShowMinimized;
  fake.desktop.calls.clear();
  ArrangeWindows(12, fake.platform, settings);
  EXPECT_TRUE(fake.desktop.calls.empty());
}

TEST_F(ArrangeTest, UndoWithNothingRememberedOrGarbageStored) {
  AddWindows(1);
  ArrangeWindows(12, fake.platform, settings);
  fake.store.Set(kSectionHWnd, "M_Count", "99999");
  fake.store.Set(kSectionHWnd, "M_Wnd(1)", "junk");
  ArrangeWindows(12, fake.platform, settings);
  EXPECT_TRUE(fake.desktop.calls.empty());
}

TEST_F(ArrangeTest, CascadeStepFollowsTheWindowsName) {
  const auto h = AddWindows(2);
  fake.system.version = {2, 5, 1};
  ArrangeWindows(0, fake.platform, settings);
  EXPECT_EQ(fake.desktop.Window(h[0]).rect, (Rect{92, 99, 427, 307}));
  fake.system.version = {2, 5, 0};
  ArrangeWindows(0, fake.platform, settings);
  EXPECT_EQ(fake.desktop.Window(h[0]).rect, (Rect{92, 92, 427, 307}));
}

TEST(WindowsNameTest, VersionTable) {
  const struct {
    int platform, major, minor;
    const char* name;
  } cases[] = {
      {1, 4, 0, "Windows 95"}, {1, 4, 10, "Windows 98"},   {1, 4, 90, "Windows Me"},
      {2, 4, 0, "Windows NT"}, {2, 4, 7, "Windows NT"},    {2, 5, 0, "Windows 2000"},
      {2, 5, 1, "Windows XP"}, {2, 5, 2, "Windows XP"},    {2, 6, 0, "Windows 2000"},
      {2, 6, 1, "Windows XP"}, {2, 10, 0, "Windows 2000"}, {0, 5, 1, ""},
      {3, 10, 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetWindowsName({c.platform, c.major, c.minor}), c.name)
        << c.platform << " " << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace banchiro
