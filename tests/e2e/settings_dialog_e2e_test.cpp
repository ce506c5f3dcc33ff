// The settings dialog of the resident program, driven as a user does.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using SettingsDialogE2eTest = E2eTest;
using K = ControlKind;
using R = ControlRole;

// Opened from the system menu (by keyboard, as Alt+Space and K do) and again
// from its command: one dialog. Its spinner moves its label; Apply writes the
// store; switching both bars off gives the two warnings and the menu bar
// back; Cancel writes nothing more.
TEST_F(SettingsDialogE2eTest, SpinnerApplyWarningsAndCancel) {
  Program program;
  HWND main = program.Main();
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  std::vector<HWND> menus;
  ASSERT_TRUE(WaitUntil([&] { return (menus = Popups()).size() == 1; }, kUiLimitMs))
      << "no system menu";
  TypeAccessKey(menus[0], L'k');
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  ASSERT_NE(dialog, nullptr) << "the system menu's item opened no dialog";
  EXPECT_EQ(Text(dialog), L"各種設定");
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Screenshot(L"settings-tab0", dialog);
  PostMessageW(main, WM_SYSCOMMAND, 1000, 0);
  ASSERT_TRUE(Settle(main));
  int dialogs = 0;
  for (HWND w : TopLevelWindows(program.process().pid()))
    dialogs += ClassName(w) == ui::kSettingsClassName;
  EXPECT_EQ(dialogs, 1) << "a second request opened a second dialog";

  const auto value = [&](R role) {
    return Text(SettingsControl(dialog, K::kValue, role, role == R::kMinute));
  };
  ClickOn(SettingsControl(dialog, K::kSpin, R::kHour), true);
  EXPECT_TRUE(WaitUntil([&] { return value(R::kHour) == L"01"; }, kUiLimitMs)) << value(R::kHour);
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 2));  // 適用(&A)
  EXPECT_TRUE(WaitUntil([] { return GetString("Config", "OptTime(0)") == "01"; }, kUiLimitMs));

  ClickOn(SettingsControl(dialog, K::kSpin, R::kMinute, 1), true);
  EXPECT_TRUE(WaitUntil([&] { return value(R::kMinute) == L"01"; }, kUiLimitMs));
  // Each click once the one before has had its effect.
  HWND toolbar_box = SettingsControl(dialog, K::kCheck, R::kGeneral, kToolbarBox);
  ClickOn(toolbar_box);
  ASSERT_TRUE(WaitUntil([&] { return !SendMessageW(toolbar_box, BM_GETCHECK, 0, 0); }, 5000));
  ClickOn(SettingsControl(dialog, K::kCheck, R::kGeneral, kMenuBarBox));
  for (const wchar_t* title : {L"設定確認", L"強制設定"}) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          for (HWND w : TopLevelWindows(program.process().pid()))
            box = ClassName(w) == L"#32770" && IsWindowVisible(w) ? w : box;
          return box && Text(box) == title;
        },
        kUiLimitMs))
        << "no warning " << title;
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kUiLimitMs));
  }
  HWND menu_bar_box = SettingsControl(dialog, K::kCheck, R::kGeneral, kMenuBarBox);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(menu_bar_box, BM_GETCHECK, 0, 0); }, 5000));
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 1));  // キャンセル
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_EQ(GetString("Config", "OptTime(1)"), "00") << "Cancel wrote";
  EXPECT_EQ(GetString("Config", "OptTBar"), "1") << "Cancel wrote";
}

}  // namespace
}  // namespace banchiro::e2e
