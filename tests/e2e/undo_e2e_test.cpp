// 元に戻す undoing the last arrangement with the choice on: one-shot starts,
// the hot keys' relays and the bar, against the windows of another process.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using UndoE2eTest = E2eTest;

// Six windows, the second maximised and the third sized by hand, stacked by
// one start: the fifth is moved and the sixth closed, and another start's
// 元に戻す brings the first four back exactly, the second maximised, leaves
// the fifth where the user put it and says nothing of the sixth. The next
// 元に戻す is the usual one again.
TEST_F(UndoE2eTest, AnotherStartBringsBackWhatTheUserLeftAlone) {
  SetString("Config", "OptUndo", "1");
  ResidentStandIn resident;
  HelperWindows helper(6, 2, L";max");
  ASSERT_TRUE(helper.ready());
  const std::vector<HWND> rows = helper.rows();
  SetWindowPos(rows[2], nullptr, 0, 0, 333, 222, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return RectOf(rows[2]).width == 333; }, kUiLimitMs));
  std::vector<Rect> rects = RectsOf(rows);
  ASSERT_TRUE(IsZoomed(rows[1]));
  ASSERT_TRUE(RunOneShot('G'));
  ExpectArranged(rows, 'G');
  // Kept in a key that goes with the sign-in, which takes no lasting subkey.
  win32::UniqueHKey kept, lasting;
  RegOpenKeyExW(
      HKEY_CURRENT_USER,
      win32::RegistrySettingsStore::SectionPath(kApplicationName, kSectionArrangement).c_str(), 0,
      KEY_CREATE_SUB_KEY, kept.put());
  EXPECT_EQ(
      RegCreateKeyExW(kept.get(), L"x", 0, nullptr, 0, KEY_READ, nullptr, lasting.put(), nullptr),
      ERROR_CHILD_MUST_BE_VOLATILE);
  SetWindowPos(rows[4], nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(rows[5], WM_CLOSE, 0, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return !IsWindow(rows[5]) && RectOf(rows[4]).left == 40; }, kUiLimitMs));
  rects[4] = RectOf(rows[4]);
  rects[5] = Rect{};
  for (int undo = 0; undo < 2; ++undo) {
    ASSERT_TRUE(RunOneShot('U')) << "a message held the start";
    ExpectPlaced(rows, rects);
    EXPECT_TRUE(IsZoomed(rows[1]));
  }
}

// The choice off, 元に戻す after the bar's 左右に並べて表示 changes nothing.
// Ticked in the settings dialog, it undoes the bar's arrangement through
// Ctrl+F9's relay, and the relay's arrangement (Ctrl+F5) from the bar.
TEST_F(UndoE2eTest, OffItChangesNothingTickedItUndoesTheBarsAndTheHotKeys) {
  SetStrings({{"FunctionKey", "Fkey(4)", "5"}, {"FunctionKey", "Fkey(12)", "9"}});
  HelperWindows helper(2);
  ASSERT_TRUE(helper.ready());
  const std::vector<HWND> rows = helper.rows();
  Program program;
  ASSERT_NE(program.Main(), nullptr);
  ASSERT_TRUE(WaitUntil([] { return Relays() == 2; }, kStartLimitMs));
  program.Command(MenuCommand::kDisplayMethod, MethodIndex(DisplayMethod::kSideBySide));
  ExpectArranged(rows, 'O');
  program.Command(MenuCommand::kDisplayMethod, MethodIndex(DisplayMethod::kUndo));
  for (HWND row : rows)
    ASSERT_TRUE(Settle(row));
  ExpectArranged(rows, 'O');

  HWND dialog = program.OpenSettings();
  ASSERT_TRUE(Tick(SettingsControl(dialog, K::kCheck, R::kArrangeUndo)));
  Screenshot(L"settings-undo-choice", dialog);
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 0));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_EQ(GetString("Config", "OptUndo"), "1");
  const std::vector<Rect> side_by_side = RectsOf(rows);
  program.Command(MenuCommand::kDisplayMethod, MethodIndex(DisplayMethod::kStacked));
  ExpectArranged(rows, 'G');
  PressKeys({VK_CONTROL, VK_F9});
  ExpectPlaced(rows, side_by_side, kStartLimitMs);
  PressKeys({VK_CONTROL, VK_F5});
  ExpectArranged(rows, 'G', kStartLimitMs);
  program.Command(MenuCommand::kDisplayMethod, MethodIndex(DisplayMethod::kUndo));
  ExpectPlaced(rows, side_by_side);
}

}  // namespace
}  // namespace banchiro::e2e
