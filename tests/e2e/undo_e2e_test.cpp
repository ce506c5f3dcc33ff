// 元に戻す undoing the last arrangement with the choice on: one-shot starts,
// the hot keys' relays and the bar, against the windows of another process.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using K = ControlKind;
using R = ControlRole;

struct Stand {
  Rect rect;
  bool zoomed;
  bool operator==(const Stand& o) const { return rect == o.rect && zoomed == o.zoomed; }
};
void PrintTo(const Stand& s, std::ostream* os) {
  banchiro::PrintTo(s.rect, os);
  *os << (s.zoomed ? " maximised" : "");
}

std::vector<Stand> StandsOf(const std::vector<HWND>& rows) {
  std::vector<Stand> stands;
  for (HWND row : rows)
    stands.push_back({RectOf(row), IsZoomed(row) != FALSE});
  return stands;
}

// Waits until the windows stand as they stood (or, the choice off, until
// their threads have taken what was queued to them), then checks.
void ExpectStanding(const std::vector<HWND>& rows, const std::vector<Stand>& want,
                    DWORD limit_ms = kUiLimitMs) {
  WaitUntil([&] { return StandsOf(rows) == want; }, limit_ms);
  EXPECT_EQ(StandsOf(rows), want);
}

// The helper's windows in their present Z-order, topmost first.
std::vector<HWND> ZOrder(HelperWindows& helper) {
  std::vector<HWND> order;
  for (HWND w : TopLevelWindows(helper.process().pid())) {
    if (IsWindowVisible(w)) order.push_back(w);
  }
  return order;
}

class UndoE2eTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    SetString("Config", "OptUndo", "1");
  }
};

// Four windows, the second maximised and the third sized by hand: stacked
// by one start and undone by another, all four stand exactly as before, the
// maximised one maximised, in their Z-order.
TEST_F(UndoE2eTest, AnotherStartBringsAllFourBackExactly) {
  ResidentStandIn resident;
  HelperWindows helper(4, 2, L";max");
  ASSERT_TRUE(helper.ready());
  SetWindowPos(helper.window(3), nullptr, 0, 0, 333, 222,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return RectOf(helper.window(3)).width == 333; }, kUiLimitMs));
  const std::vector<HWND> rows = helper.rows();
  const std::vector<Stand> before = StandsOf(rows);
  ASSERT_TRUE(before[1].zoomed);
  ASSERT_TRUE(RunOneShot('G'));
  ExpectArranged(rows, 'G');
  ASSERT_TRUE(RunOneShot('U'));
  ExpectStanding(rows, before);
  EXPECT_TRUE(WaitUntil([&] { return ZOrder(helper) == rows; }, kUiLimitMs));
}

// A window moved between the two is left where the user put it, one closed
// is skipped without a word; the next 元に戻す is the usual one again.
TEST_F(UndoE2eTest, WhatTheUserMovedOrClosedIsLeftAlone) {
  ResidentStandIn resident;
  HelperWindows helper(3);
  ASSERT_TRUE(helper.ready());
  const std::vector<HWND> rows = helper.rows();
  const std::vector<Stand> before = StandsOf(rows);
  ASSERT_TRUE(RunOneShot('O'));
  ExpectArranged(rows, 'O');
  SetWindowPos(rows[0], nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(rows[2], WM_CLOSE, 0, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return !IsWindow(rows[2]) && RectOf(rows[0]).left == 40; }, kUiLimitMs));
  const Stand moved = StandsOf({rows[0]})[0];
  for (int undo = 0; undo < 2; ++undo) {
    ASSERT_TRUE(RunOneShot('U')) << "a message held the start";
    ExpectStanding({rows[0], rows[1]}, {moved, before[1]});
  }
}

// The choice off, 元に戻す after an arrangement changes nothing.
TEST_F(UndoE2eTest, WithTheChoiceOffNothingGoesBack) {
  SetString("Config", "OptUndo", "0");
  ResidentStandIn resident;
  HelperWindows helper(2);
  ASSERT_TRUE(helper.ready());
  ASSERT_TRUE(RunOneShot('G'));
  ExpectArranged(helper.rows(), 'G');
  ASSERT_TRUE(RunOneShot('U'));
  for (HWND row : helper.rows())
    ASSERT_TRUE(Settle(row));
  ExpectArranged(helper.rows(), 'G');
}

// Turned on in the settings dialog; then stacked by Ctrl+F5 and undone by
// Ctrl+F9, two starts of two relays, and the same from the bar's menu.
TEST_F(UndoE2eTest, TheChoiceFromTheDialogThenHotKeysAndTheBar) {
  SetString("Config", "OptUndo", "0");
  SetString("FunctionKey", "Fkey(4)", "5");
  SetString("FunctionKey", "Fkey(12)", "9");
  HelperWindows helper(2);
  ASSERT_TRUE(helper.ready());
  const std::vector<HWND> rows = helper.rows();
  const std::vector<Stand> before = StandsOf(rows);
  Program program;
  ASSERT_NE(program.Main(), nullptr);
  program.Command("mnuOptSettei");
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  ASSERT_NE(dialog, nullptr);
  HWND box = SettingsControl(dialog, K::kCheck, R::kArrangeUndo);
  ClickOn(box);
  ASSERT_TRUE(
      WaitUntil([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, kUiLimitMs));
  Screenshot(L"settings-undo-choice", dialog);
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 0));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_EQ(GetString("Config", "OptUndo"), "1");
  ASSERT_TRUE(WaitUntil([] { return Relays() == 2; }, kStartLimitMs));

  PressCtrlF(5);
  ExpectArranged(rows, 'G', kStartLimitMs);
  PressCtrlF(9);
  ExpectStanding(rows, before, kStartLimitMs);
  program.Command("mnuDispMethod", 1);
  ExpectArranged(rows, 'O');
  program.Command("mnuDispMethod_Ex2", 1);
  ExpectStanding(rows, before);
}

}  // namespace
}  // namespace banchiro::e2e
