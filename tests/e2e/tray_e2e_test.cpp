// The resident BANCHIRO.EXE from the notification area, and how its run
// ends: hidden and shown again, the tray popups, the icon after a shell
// restart, the end command, the close box and the end of the session, a
// second instance and the hot keys that work from the load.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "helper_windows.h"
#include "main_window_driver.h"
#include "ui/main/win32/main_window.h"

namespace banchiro::e2e {
namespace {

TEST_F(MainWindowE2eTest, HideIntoTheTrayAndBackFromIt) {
  {
    Child child(Banchiro());
    HWND main = WaitForMainWindow(child, kStartLimitMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_COMMAND, MenuCommand("mnuFileShow_Hide", 1), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, kUiLimitMs));
    EXPECT_EQ(GetString(L"Config", L"OptWinS"), L"1");
    EXPECT_EQ(GetString(L"Position", L"S_Top"), L"5445");
    // Only the icon is left: every window of the program is hidden.
    EXPECT_TRUE(VisibleTopLevelWindows(child.pid()).empty());
    ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
  }
  SkipSplash();
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs, /*shown=*/false);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindowVisible(main)) << "it was left hidden";
  // Left click: "総合ﾒﾆｭｰ"; its "ﾌｧｲﾙ(&F)" holds "ﾌｫｰﾑの表示(&S)".
  HWND general = ClickTrayIcon(/*right=*/false);
  ASSERT_NE(general, nullptr) << "no popup from the tray icon";
  TypeAccessKey(general, L'f');
  HWND file_menu = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND popup : OpenPopups()) {
          if (popup != general) file_menu = popup;
        }
        return file_menu != nullptr;
      },
      kUiLimitMs))
      << "the file menu did not open";
  TypeAccessKey(file_menu, L's');
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, kUiLimitMs))
      << "ﾌｫｰﾑの表示 did not show the window";
  EXPECT_EQ(GetString(L"Config", L"OptWinS"), L"0");
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

TEST_F(MainWindowE2eTest, TrayRightClickOffersTheDisplayMenu) {
  // Only "上下に並べて表示" and no separator: a popup of one item.
  for (int n = 0; n < 14; ++n)
    SetString(L"RightClick", L"RgtClick(2," + std::to_wstring(n) + L")", n == 4 ? L"1" : L"0");
  for (int k = 0; k < 5; ++k)
    SetString(L"RightClick", L"OptSepa(" + std::to_wstring(k) + L")", L"0");
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  HelperWindows helper(PlainWindows(3));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  HWND popup = ClickTrayIcon(/*right=*/true);
  ASSERT_NE(popup, nullptr) << "no popup from the tray icon";
  RECT r{};
  GetWindowRect(popup, &r);
  EXPECT_LT(r.bottom - r.top, 40) << "hidden items must be absent from the popup";
  TypeAccessKey(popup, L'g');
  ASSERT_TRUE(Settle(main, kUiLimitMs));
  ExpectRects(helper, ExpectedRects(L'G', 3));
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

TEST_F(MainWindowE2eTest, TheIconComesBackWithTheTaskbar) {
  Child child(Banchiro());
  ASSERT_NE(WaitForMainWindow(child, kStartLimitMs), nullptr);
  HWND owner = WaitForWindow(child.pid(), ui::kTrayOwnerClassName, nullptr, kUiLimitMs);
  ASSERT_NE(owner, nullptr);
  HWND popup = ClickTrayIcon(false);
  ASSERT_NE(popup, nullptr) << "no icon to begin with";
  CloseMenus();
  // What a restarting shell does to every icon.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kTrayIconId;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
  EXPECT_EQ(ClickTrayIcon(false, 2000), nullptr) << "the icon is still there";
  CloseMenus();
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_TRUE(Settle(owner, kUiLimitMs));
  EXPECT_NE(ClickTrayIcon(false), nullptr) << "the icon did not come back";
  CloseMenus();
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

TEST_F(MainWindowE2eTest, EndCommandAsksFirst) {
  SetString(L"FunctionKey", L"Fkey(4)", L"5");
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntil([] { return RunningRelays() == 1; }, kUiLimitMs));
  for (const int answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
    PostMessageW(main, WM_COMMAND, MenuCommand("mnuFileEnd"), 0);
    HWND box = WaitForWindow(child.pid(), L"#32770", L"終了確認", kUiLimitMs);
    ASSERT_NE(box, nullptr) << "no confirmation";
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_STREQ(text, L"「ばんちろ君 for Win」 を終了しますか？");
    PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
    if (answer == IDCANCEL) {
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kUiLimitMs));
      ASSERT_TRUE(Settle(main, kUiLimitMs));
      EXPECT_TRUE(child.Running());
      EXPECT_EQ(GetString(L"Config", L"OptStat"), L"1");
      EXPECT_EQ(RunningRelays(), 1) << "the relay must keep running";
    }
  }
  ASSERT_TRUE(child.WaitForExit(kStartLimitMs)) << "OK did not end the program";
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
  EXPECT_EQ(RunningRelays(), 0) << "a relay outlived the program";
  EXPECT_EQ(ClickTrayIcon(false, 2000), nullptr) << "the icon outlived the program";
}

TEST_F(MainWindowE2eTest, CloseAndSessionEndNeedNoAnswer) {
  SetString(L"FunctionKey", L"Fkey(4)", L"5");
  for (const bool session_end : {false, true}) {
    SCOPED_TRACE(session_end ? "session end" : "close box");
    SkipSplash();
    Child child(Banchiro());
    HWND main = WaitForMainWindow(child, kStartLimitMs);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([] { return RunningRelays() == 1; }, kUiLimitMs));
    if (session_end) {
      DWORD_PTR answer = 0;
      ASSERT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer));
      EXPECT_EQ(answer, TRUE);
      // Everything must be done by the time WM_ENDSESSION returns.
      SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer);
      EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
      EXPECT_EQ(RunningRelays(), 0);
    } else {
      PostMessageW(main, WM_CLOSE, 0, 0);
    }
    ASSERT_TRUE(child.WaitForExit(kStartLimitMs));
    EXPECT_EQ(WaitForWindow(child.pid(), L"#32770", nullptr, 0), nullptr);
    EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
    EXPECT_EQ(GetString(L"Position", L"S_Left"), L"6525");
    EXPECT_EQ(RunningRelays(), 0);
  }
}

TEST_F(MainWindowE2eTest, SecondInstanceArrangesAndEnds) {
  Child resident(Banchiro());
  ASSERT_NE(WaitForMainWindow(resident, kStartLimitMs), nullptr);
  HelperWindows helper(PlainWindows(3));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  Child one_shot(Banchiro(L"G"));
  ASSERT_TRUE(one_shot.WaitForExit(kStartLimitMs)) << "the second instance stayed";
  ExpectRects(helper, ExpectedRects(L'G', 3));
  EXPECT_TRUE(resident.Running());
  ASSERT_TRUE(CloseProgram(resident, kStartLimitMs));
}

TEST_F(MainWindowE2eTest, HotKeysWorkFromTheLoad) {
  SetString(L"FunctionKey", L"Fkey(4)", L"5");
  SetString(L"Config", L"OptWinS", L"1");  // even with the window hidden
  Child child(Banchiro());
  ASSERT_NE(WaitForMainWindow(child, kStartLimitMs, /*shown=*/false), nullptr);
  ASSERT_TRUE(WaitUntil([] { return RunningRelays() == 1; }, kUiLimitMs));
  HelperWindows helper(PlainWindows(3));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  PressCtrlF(5);
  ASSERT_TRUE(WaitUntil([&] { return helper.Rects() == ExpectedRects(L'G', 3); }, kStartLimitMs))
      << "Ctrl+F5 did not stack the windows";
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

}  // namespace
}  // namespace banchiro::e2e
