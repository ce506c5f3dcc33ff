#pragma once
// Driving the resident BANCHIRO.EXE as a user would: its commands, mouse
// clicks on its toolbar and on the notification icon, keys, and what the
// screen shows.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "helper_windows.h"
#include "ui/main/win32/main_window.h"
#include "ui/main/menu_model.h"

namespace banchiro::e2e {

inline constexpr DWORD kStartLimitMs = 30000;
inline constexpr DWORD kUiLimitMs = 10000;
inline constexpr DWORD kCleanLimitMs = 10000;

inline std::wstring Banchiro(const std::wstring& tail = L"") {
  return L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"" + (tail.empty() ? L"" : L" " + tail);
}

inline WPARAM MenuCommand(const char* control, int index = -1) {
  const MenuEntry* entry = FindMenuEntry(control, index);
  EXPECT_NE(entry, nullptr) << control;
  return entry ? ui::MenuCommandId(*entry) : 0;
}

inline WPARAM MethodCommand(int method) {
  for (const MenuEntry& e : MainMenuTree()) {
    if (e.command == banchiro::MenuCommand::kDisplayMethod && e.method == method)
      return ui::MenuCommandId(e);
  }
  ADD_FAILURE() << "no menu item for method " << method;
  return 0;
}

inline HWND Toolbar(HWND main) {
  return FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
}

inline void Click(int x, int y, bool right = false) {
  SetCursorPos(x, y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

// The first notification icon sits at the right end of Wine's taskbar.
inline POINT TrayIconPoint() {
  RECT tray{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &tray);
  return {tray.right - 11, tray.top + 10};
}

// The open popup menus, newest first.
inline std::vector<HWND> OpenPopups() {
  std::vector<HWND> popups;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    if (IsWindowVisible(w)) popups.push_back(w);
  }
  return popups;
}

inline void CloseMenus() {
  for (HWND popup : OpenPopups())
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitUntil([] { return OpenPopups().empty(); }, kUiLimitMs);
  // A menu loop may need one more.
  for (HWND popup : OpenPopups())
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

// Clicks the tray icon until a popup opens (the program may still be
// loading) and returns it, or null when none opened in time.
inline HWND ClickTrayIcon(bool right, DWORD timeout_ms = kUiLimitMs) {
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
inline void TypeAccessKey(HWND popup, wchar_t key) {
  PostMessageW(popup, WM_CHAR, key, 0);
}

// Red, green and blue of one point of the screen.
inline COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// How many pixels of the screen rectangle have exactly this colour.
inline int CountPixels(const RECT& r, COLORREF colour) {
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

}  // namespace banchiro::e2e
