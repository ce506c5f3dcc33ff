// 元に戻す undoing the last arrangement with the choice on: one-shot starts,
// the hot keys' relays and the bar, against the windows of another process.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

// Each window's rectangle and whether it is maximised.
using Stands = std::vector<std::pair<Rect, bool>>;
Stands StandsOf(const std::vector<HWND>& rows) {
  Stands stands;
  for (HWND row : rows)
    stands.emplace_back(RectOf(row), IsZoomed(row) != FALSE);
  return stands;
}

void ExpectStanding(const std::vector<HWND>& rows, const Stands& want, DWORD limit = kUiLimitMs) {
  WaitUntil([&] { return StandsOf(rows) == want; }, limit);
  EXPECT_EQ(StandsOf(rows), want);
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
  const Stands before = StandsOf(rows);
  ASSERT_TRUE(before[1].second);
  ASSERT_TRUE(RunOneShot('G'));
  ExpectArranged(rows, 'G');
  ASSERT_TRUE(RunOneShot('U'));
  ExpectStanding(rows, before);
  const auto z_order = [&] {
    std::vector<HWND> shown;
    for (HWND w : TopLevelWindows(helper.process().pid()))
      if (IsWindowVisible(w)) shown.push_back(w);
    return shown;
  };
  EXPECT_TRUE(WaitUntil([&] { return z_order() == rows; }, kUiLimitMs));
}

// A window moved between the two is left where the user put it, one closed
// is skipped without a word; the next 元に戻す is the usual one again.
TEST_F(UndoE2eTest, WhatTheUserMovedOrClosedIsLeftAlone) {
  ResidentStandIn resident;
  HelperWindows helper(3);
  ASSERT_TRUE(helper.ready());
  const std::vector<HWND> rows = helper.rows();
  const Stands before = StandsOf(rows);
  ASSERT_TRUE(RunOneShot('O'));
  ExpectArranged(rows, 'O');
  SetWindowPos(rows[0], nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(rows[2], WM_CLOSE, 0, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return !IsWindow(rows[2]) && RectOf(rows[0]).left == 40; }, kUiLimitMs));
  const Stands moved = StandsOf({rows[0]});
  for (int undo = 0; undo < 2; ++undo) {
    ASSERT_TRUE(RunOneShot('U')) << "a message held the start";
    ExpectStanding({rows[0], rows[1]}, {moved[0], before[1]});
  }
}

// The choice off, 元に戻す after the bar's 左右に並べて表示 changes nothing.
// Ticked in the settings dialog, it undoes the bar's arrangement through
// Ctrl+F9's relay, and the relay's arrangement (Ctrl+F5) from the bar.
TEST_F(UndoE2eTest, OffItChangesNothingTickedItUndoesTheBarsAndTheHotKeys) {
  SetString("Config", "OptUndo", "0");
  SetString("FunctionKey", "Fkey(4)", "5");
  SetString("FunctionKey", "Fkey(12)", "9");
  HelperWindows helper(2);
  ASSERT_TRUE(helper.ready());
  const std::vector<HWND> rows = helper.rows();
  Program program;
  ASSERT_NE(program.Main(), nullptr);
  ASSERT_TRUE(WaitUntil([] { return Relays() == 2; }, kStartLimitMs));
  program.Command("mnuDispMethod", 1);
  ExpectArranged(rows, 'O');
  program.Command("mnuDispMethod_Ex2", 1);
  for (HWND row : rows)
    ASSERT_TRUE(Settle(row));
  ExpectArranged(rows, 'O');

  program.Command("mnuOptSettei");
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  HWND box = SettingsControl(dialog, ControlKind::kCheck, ControlRole::kArrangeUndo);
  ClickOn(box);
  ASSERT_TRUE(
      WaitUntil([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, kUiLimitMs));
  Screenshot(L"settings-undo-choice", dialog);
  ClickOn(SettingsControl(dialog, ControlKind::kButton, ControlRole::kCommand, 0));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_EQ(GetString("Config", "OptUndo"), "1");
  const Stands side_by_side = StandsOf(rows);
  program.Command("mnuDispMethod", 0);
  ExpectArranged(rows, 'G');
  PressCtrlF(9);
  ExpectStanding(rows, side_by_side, kStartLimitMs);
  PressCtrlF(5);
  ExpectArranged(rows, 'G', kStartLimitMs);
  program.Command("mnuDispMethod_Ex2", 1);
  ExpectStanding(rows, side_by_side);
}

}  // namespace
}  // namespace banchiro::e2e
