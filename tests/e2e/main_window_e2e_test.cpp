// The resident BANCHIRO.EXE: its main window, menus, toolbar, tray icon and
// the ways it ends, driven as a user would (commands, mouse clicks on the
// toolbar and the notification icon) on the Wine desktop.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "helper_windows.h"
#include "platform/win32/utf.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_model.h"
#include "ui/main/toolbar_model.h"

namespace banchiro::e2e {
namespace {

constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kUiLimitMs = 10000;
constexpr DWORD kCleanLimitMs = 10000;

std::wstring Banchiro(const std::wstring& tail = L"") {
  return L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"" + (tail.empty() ? L"" : L" " + tail);
}

WPARAM MenuCommand(const char* control, int index = -1) {
  const MenuEntry* entry = FindMenuEntry(control, index);
  EXPECT_NE(entry, nullptr) << control;
  return entry ? ui::kMenuCommandBase + static_cast<int>(entry - MainMenuTree().data()) : 0;
}

WPARAM MethodCommand(int method) {
  for (const MenuEntry& e : MainMenuTree()) {
    if (e.command == banchiro::MenuCommand::kDisplayMethod && e.method == method)
      return ui::kMenuCommandBase + static_cast<int>(&e - MainMenuTree().data());
  }
  ADD_FAILURE() << "no menu item for method " << method;
  return 0;
}

HWND Toolbar(HWND main) {
  return FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
}

void Click(int x, int y, bool right = false) {
  SetCursorPos(x, y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

void PressCtrlF(int n) {
  INPUT input[4] = {};
  for (INPUT& i : input)
    i.type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[3].ki.wVk = VK_CONTROL;
  input[1].ki.wVk = input[2].ki.wVk = static_cast<WORD>(VK_F1 + n - 1);
  input[2].ki.dwFlags = input[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, input, sizeof(INPUT));
}

// The first notification icon sits at the right end of Wine's taskbar.
POINT TrayIconPoint() {
  RECT tray{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &tray);
  return {tray.right - 11, tray.top + 10};
}

// The open popup menus, newest first.
std::vector<HWND> OpenPopups() {
  std::vector<HWND> popups;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    if (IsWindowVisible(w)) popups.push_back(w);
  }
  return popups;
}

void CloseMenus() {
  for (HWND popup : OpenPopups())
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitUntil([] { return OpenPopups().empty(); }, kUiLimitMs);
  // A menu loop may need one more.
  for (HWND popup : OpenPopups())
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

// Clicks the tray icon until a popup opens (the program may still be
// loading) and returns it, or null when none opened in time.
HWND ClickTrayIcon(bool right, DWORD timeout_ms = kUiLimitMs) {
  CloseMenus();
  const POINT p = TrayIconPoint();
  HWND popup = nullptr;
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!popup && GetTickCount64() < deadline) {
    Click(p.x, p.y, right);
    WaitUntil(
        [&] {
          const auto popups = OpenPopups();
          popup = popups.empty() ? nullptr : popups.front();
          return popup != nullptr;
        },
        1000);
  }
  return popup;
}

// Chooses in an open popup by access key, as typing the letter does.
void TypeAccessKey(HWND popup, wchar_t key) {
  PostMessageW(popup, WM_CHAR, key, 0);
}

// Red, green and blue of one point of the screen.
COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// How many pixels of the screen rectangle have exactly this colour.
int CountPixels(const RECT& r, COLORREF colour) {
  int n = 0;
  HDC screen = GetDC(nullptr);
  for (int y = r.top; y < r.bottom; y += 2) {
    for (int x = r.left; x < r.right; x += 2) {
      if (GetPixel(screen, x, y) == colour) ++n;
    }
  }
  ReleaseDC(nullptr, screen);
  return n;
}

class MainWindowE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WaitForTestTaskbar()) << "the taskbar is not at its test height";
    DeleteAllSettings();
    SkipSplash();
    SetWineVersion(L"BANCHIRO.EXE", kWineVersion);
    CloseMenus();
    if (!WaitUntil([] { return ShownTitledWindows().empty(); }, kCleanLimitMs))
      FAIL() << "windows of an earlier test are still open";
  }
  void TearDown() override {
    CloseMenus();
    DeleteAllSettings();
    SetWineVersion(L"BANCHIRO.EXE", L"");
  }
};

TEST_F(MainWindowE2eTest, FirstStartShowsTheSplashThenTheBar) {
  DeleteAllSettings();  // a first start: the splash is due
  Child child(Banchiro());
  ASSERT_TRUE(child.started());
  HWND splash = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        splash = WaitForWindow(child.pid(), L"INITDISP", nullptr, 0);
        return splash && IsWindowVisible(splash);
      },
      kStartLimitMs))
      << "no splash";
  ASSERT_TRUE(Settle(splash, kUiLimitMs));
  RECT card{};
  GetWindowRect(splash, &card);
  // Grey below the rule (3060 twips down), yellow in the big title.
  EXPECT_EQ(ScreenPixel(card.left + 300, card.top + 225), RGB(128, 128, 128));
  const RECT title{card.left + 142, card.top + 20, card.left + 509, card.top + 115};
  EXPECT_GT(CountPixels(title, RGB(255, 255, 0)), 200) << "the yellow title is missing";
  SaveScreenshot(RunnerFolder() + L"\\main-window-splash.bmp");
  EXPECT_EQ(WaitForWindow(child.pid(), kMainClass, nullptr, 0), nullptr)
      << "the main window waits for the splash";

  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindow(splash));
  RECT r{};
  GetWindowRect(main, &r);
  // At ((15360 - 2300) / 2, (11520 - 620) / 2) twips. Wine reports an NT
  // version after 5.0 ("Windows XP") and no appearance scheme, as themed
  // Windows does: 2520 x 1140 twips, room for the taller caption and menu.
  EXPECT_EQ(r.left, 435);
  EXPECT_EQ(r.top, 363);
  EXPECT_EQ(r.right - r.left, 168);
  EXPECT_EQ(r.bottom - r.top, 76);
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr) << "the bar has a taskbar button";
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; },
                        kUiLimitMs));
  HWND toolbar = Toolbar(main);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), kToolbarButtonCount);
  RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Settle(toolbar, kUiLimitMs);
  SaveScreenshot(RunnerFolder() + L"\\main-window-bar.bmp");

  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
  EXPECT_EQ(GetString(L"Position", L"S_Top"), L"5445");
  EXPECT_EQ(GetString(L"Position", L"S_Left"), L"6525");
}

// Each display item of the menu, and each toolbar button with a layout,
// arranges the windows of another program exactly as its letter does.
TEST_F(MainWindowE2eTest, MenuItemsAndToolbarButtonsArrange) {
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  const wchar_t letters[] = L"SLKJGOHNEDF";
  for (int method = 0; method <= 10; ++method) {
    const int count = method == 10 ? 4 : 3;
    const std::vector<Box> want = ExpectedRects(letters[method], count);
    {
      SCOPED_TRACE("menu item of method " + std::to_string(method));
      HelperWindows helper(PlainWindows(count));
      ASSERT_TRUE(helper.ready()) << helper.failure();
      PostMessageW(main, WM_COMMAND, MethodCommand(method), 0);
      ASSERT_TRUE(Settle(main, kUiLimitMs));
      ExpectRects(helper, want);
    }
    for (const ToolbarButton& b : ToolbarButtons()) {
      if (!b.item || b.item->method != method) continue;
      SCOPED_TRACE("toolbar button " + std::to_string(b.number));
      HelperWindows helper(PlainWindows(count));
      ASSERT_TRUE(helper.ready()) << helper.failure();
      PostMessageW(main, WM_COMMAND, ui::kToolbarCommandBase + b.number, 0);
      ASSERT_TRUE(Settle(main, kUiLimitMs));
      ExpectRects(helper, want);
    }
  }
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

// The three methods that are not layouts, from the menu and the toolbar.
TEST_F(MainWindowE2eTest, MinimiseUndoAndCloseAll) {
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  HelperWindows helper(PlainWindows(2));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  const auto all_iconic = [&](bool iconic) {
    return WaitUntil(
        [&] {
          return (IsIconic(helper.row(1)) != 0) == iconic &&
                 (IsIconic(helper.row(2)) != 0) == iconic;
        },
        kUiLimitMs);
  };
  PostMessageW(main, WM_COMMAND, MethodCommand(11), 0);  // 全ウィンドウを最小化
  EXPECT_TRUE(all_iconic(true)) << "not minimised";
  PostMessageW(main, WM_COMMAND, MethodCommand(12), 0);  // 元に戻す
  EXPECT_TRUE(all_iconic(false)) << "not restored";
  // Button 11 closes them all, as the menu's last item does.
  PostMessageW(main, WM_COMMAND, ui::kToolbarCommandBase + 11, 0);
  EXPECT_TRUE(helper.WaitForLogLine("destroy 1", kUiLimitMs));
  EXPECT_TRUE(helper.WaitForLogLine("destroy 2", kUiLimitMs));
  // In the order the restore left them stacked, each asked with WM_CLOSE.
  std::vector<std::string> closes = helper.LogLines("close ");
  std::sort(closes.begin(), closes.end());
  EXPECT_EQ(closes, (std::vector<std::string>{"close 1 0 0", "close 2 0 0"}));
  EXPECT_TRUE(child.Running()) << "its own window is never closed";
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

// Real clicks on the first toolbar buttons, as they stand in the window.
TEST_F(MainWindowE2eTest, MouseClicksOnToolbarButtons) {
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  HWND toolbar = Toolbar(main);
  ASSERT_NE(toolbar, nullptr);
  const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
  const int width = LOWORD(size), height = HIWORD(size);
  ASSERT_GT(width, 0);
  // Buttons 1 (S) and 5 (G), left to right from the toolbar's corner.
  for (const auto& [number, letter] : {std::pair{1, L'S'}, std::pair{5, L'G'}}) {
    SCOPED_TRACE(number);
    HelperWindows helper(PlainWindows(3));
    ASSERT_TRUE(helper.ready()) << helper.failure();
    POINT p{(number - 1) * width + width / 2, height / 2};
    ClientToScreen(toolbar, &p);
    Click(p.x, p.y);
    ASSERT_TRUE(Settle(main, kUiLimitMs));
    ExpectRects(helper, ExpectedRects(letter, 3));
  }
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

// Hidden into the tray, it stays hidden at the next start and comes back
// through the tray's left-button popup.
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

// The right-button popup is the display menu as the settings make it; a
// chosen item arranges.
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

// The shell forgets its icons when it restarts and says so with
// "TaskbarCreated"; the program puts its icon back.
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

// "ばんちろ君 の終了": Cancel changes nothing; OK ends the run in order, with
// the relays and the icon gone.
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

// The close box and the end of the Windows session end it without a
// question, in the same order.
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

// A start with a letter while the program is resident arranges and ends;
// the resident one stays.
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

// Relays start with the main window's load: Ctrl+F5 works at once.
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

// A button arrangement stored by the toolbar's own save (as the settings
// dialog stores it) is what the toolbar shows from its first activation,
// and a moved button keeps its action.
TEST_F(MainWindowE2eTest, ToolbarArrangementIsRestored) {
  // This runner's own toolbar writes the arrangement: buttons 5, 1 and 17.
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr,
                                nullptr, nullptr);
  HWND saver = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | CCS_ADJUSTABLE, 0, 0, 0, 0,
                               parent, nullptr, nullptr, nullptr);
  ASSERT_NE(saver, nullptr);
  SendMessageW(saver, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[3] = {};
  const int numbers[3] = {5, 1, 17};
  for (int i = 0; i < 3; ++i) {
    buttons[i].iBitmap = numbers[i] - 1;
    buttons[i].idCommand = ui::kToolbarCommandBase + numbers[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].iString = -1;
  }
  SendMessageW(saver, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
  TBSAVEPARAMSW params{HKEY_CURRENT_USER, ui::kToolbarKey, ui::kToolbarValue};
  SendMessageW(saver, TB_SAVERESTOREW, TRUE, reinterpret_cast<LPARAM>(&params));
  DestroyWindow(parent);
  ASSERT_TRUE(GetRaw(L"Config", L"Toolbar")) << "nothing stored";

  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  HWND toolbar = Toolbar(main);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_TRUE(
      WaitUntil([&] { return SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) == 3; }, kUiLimitMs))
      << SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) << " buttons";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, ui::kToolbarCommandBase + numbers[i], 0), i)
        << "button " << numbers[i];
  }
  // The first place now holds button 5: stacked, as its number says.
  HelperWindows helper(PlainWindows(3));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
  POINT p{LOWORD(size) / 2, HIWORD(size) / 2};
  ClientToScreen(toolbar, &p);
  Click(p.x, p.y);
  ASSERT_TRUE(Settle(main, kUiLimitMs));
  ExpectRects(helper, ExpectedRects(L'G', 3));
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

// The program is DPI-aware: at 125 %, 150 % and 200 % its bar keeps its size
// in twips, measured in real pixels.
class MainWindowDpiE2eTest : public MainWindowE2eTest, public ::testing::WithParamInterface<int> {
 protected:
  void TearDown() override {
    SetDpi(0);
    MainWindowE2eTest::TearDown();
  }
  // Wine takes the system DPI from here when a program starts; 0 removes it.
  static void SetDpi(int dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    if (dpi > 0) {
      const DWORD value = static_cast<DWORD>(dpi);
      RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value);
    } else {
      RegDeleteValueW(key, L"LogPixels");
    }
    RegCloseKey(key);
  }
};

TEST_P(MainWindowDpiE2eTest, BarKeepsItsSizeInTwips) {
  const int dpi = GetParam();
  SetDpi(dpi);
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  RECT r{};
  GetWindowRect(main, &r);
  const double twips_per_pixel = 1440.0 / dpi;
  const auto px = [&](double twips) {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
  };
  EXPECT_NEAR(r.right - r.left, px(2520), 1);
  EXPECT_NEAR(r.bottom - r.top, px(1140), 1);
  // Stored nowhere yet: the first start's place, (screen - 2300) / 2 twips.
  EXPECT_NEAR(r.left, px((1024 * twips_per_pixel - 2300) / 2), 1);
  EXPECT_NEAR(r.top, px((768 * twips_per_pixel - 620) / 2), 1);
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

INSTANTIATE_TEST_SUITE_P(Scales, MainWindowDpiE2eTest, ::testing::Values(120, 144, 192));

}  // namespace
}  // namespace banchiro::e2e
