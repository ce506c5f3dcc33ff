// The resident BANCHIRO.EXE's bar: splash and first place, the menus and
// the toolbar arranging another program's windows, the stored toolbar
// arrangement, and its size at several DPI settings.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "helper_windows.h"
#include "main_window_driver.h"
#include "ui/main/win32/main_window.h"
#include "ui/main/toolbar_model.h"

namespace banchiro::e2e {
namespace {

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

// The right-button popup is the display menu as the settings make it; a

// chosen item arranges.

// The shell forgets its icons when it restarts and says so with

// "TaskbarCreated"; the program puts its icon back.

// "ばんちろ君 の終了": Cancel changes nothing; OK ends the run in order, with

// the relays and the icon gone.

// The close box and the end of the Windows session end it without a

// question, in the same order.

// A start with a letter while the program is resident arranges and ends;

// the resident one stays.

// Relays start with the main window's load: Ctrl+F5 works at once.

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
