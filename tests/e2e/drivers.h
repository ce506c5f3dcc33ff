#pragma once
// Drivers of the windows under test: the program (bar, toolbar, tray, palette)
// and the windows of window_helper.exe that it arranges, with the fixture
// they share. The one place where the tests use the program's own headers:
// its command ids, window classes, method letters and the layouts that say
// where windows belong.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "engine/arrange.h"
#include "engine/display_methods.h"
#include "engine/layouts.h"
#include "platform/win32/win32_platform.h"
#include "settings/key_table.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_model.h"
#include "ui/palette/palette_window.h"

namespace banchiro {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << " " << r.width << "x" << r.height << ")";
}
}  // namespace banchiro

namespace banchiro::e2e {

inline int MethodOf(char letter) {
  return MethodForLetter(letter).value_or(-1);
}

inline Rect RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Where the portable core puts `count` windows (topmost first) on this
// desktop with the settings the program has stored; empty when the method
// does not lay out that many.
inline std::vector<Rect> ExpectedLayout(int method, int count) {
  win32::RegistrySettingsStore store{"BANCHIRO"};
  Settings stored;
  for (const KeyDef& key : KeyTable()) {
    for (int row = 0; key.field && row < std::max(key.rows, 1); ++row) {
      for (int i = key.first; i < key.first + std::max(key.count, 1); ++i)
        key.field(stored, row, i - key.first) = store.Read(key.section, KeyName(key, row, i));
    }
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Rect area{work.left, work.top, work.right - work.left, work.bottom - work.top};
  const bool xp = GetWindowsName(win32::Win32SystemInfo().Version()) == "Windows XP";
  return ComputeLayout(method, count, MakeLayoutInputs(stored, area, xp))
      .value_or(std::vector<Rect>{});
}

// The windows of one window_helper.exe, by number as asked for and as rows:
// in z-order, topmost first, as an arranger collects them, once that order
// has stopped changing.
class HelperWindows {
 public:
  // Window `special` (1-based) gets the helper's `option`.
  explicit HelperWindows(int count, int special = 0, const wchar_t* option = L"")
      : ready_(FreshTempPath(L"e2e-ready")) {
    std::wstring line =
        L"\"" + ProgramPath(L"window_helper.exe") + L"\" --ready \"" + ready_ + L"\"";
    for (int i = 1; i <= count; ++i)
      line +=
          L" \"title=E2E 窓 " + std::to_wstring(i) + L";" + (i == special ? option : L"") + L"\"";
    child_ = std::make_unique<Child>(line);
    std::optional<std::string> ready;
    WaitUntil([&] { return (ready = ReadWholeFile(ready_)) || !child_->Running(); }, kStartLimitMs);
    std::istringstream in(ready.value_or(""));
    for (unsigned long long row = 0, handle = 0; in >> row >> handle;)
      windows_.push_back(reinterpret_cast<HWND>(handle));
    ULONGLONG since = 0;
    WaitUntil(
        [&] {
          std::vector<HWND> now;
          for (HWND w : TopLevelWindows(child_->pid())) {
            if (std::count(windows_.begin(), windows_.end(), w)) now.push_back(w);
          }
          since = now == rows_ ? since : GetTickCount64();
          rows_ = now;
          return GetTickCount64() - since >= 300;
        },
        kUiLimitMs);
  }
  HelperWindows(const HelperWindows&) = delete;
  HelperWindows& operator=(const HelperWindows&) = delete;
  ~HelperWindows() {
    for (HWND window : windows_)
      PostMessageW(window, WM_CLOSE, 0, 0);
    child_.reset();
    DeleteFileW(ready_.c_str());
  }

  bool ready() const { return !rows_.empty() && rows_.size() == windows_.size(); }
  int count() const { return static_cast<int>(rows_.size()); }
  HWND window(int number) const { return windows_.at(number - 1); }
  const std::vector<HWND>& rows() const { return rows_; }
  int RowOf(HWND window) const {
    return std::find(rows_.begin(), rows_.end(), window) - rows_.begin();
  }
  std::vector<Rect> Rects() const {
    std::vector<Rect> rects;
    for (HWND row : rows_)
      rects.push_back(RectOf(row));
    return rects;
  }
  // The helper's exit code once it has ended (0: every window closed).
  std::optional<DWORD> ExitCode(DWORD timeout_ms) {
    DWORD code = 0;
    return child_->WaitForExit(timeout_ms, &code) ? std::optional<DWORD>(code) : std::nullopt;
  }

 private:
  std::wstring ready_;
  std::unique_ptr<Child> child_;
  std::vector<HWND> windows_, rows_;
};

// Waits for every row to stand where the layout puts it, then checks them.
inline void ExpectArranged(const HelperWindows& helper, int method, DWORD limit_ms = 5000) {
  const std::vector<Rect> want = ExpectedLayout(method, helper.count());
  ASSERT_FALSE(want.empty()) << "method " << method << " does not lay out " << helper.count();
  for (HWND row : helper.rows())
    Settle(row);
  WaitUntil([&] { return helper.Rects() == want; }, limit_ms);
  EXPECT_EQ(helper.Rects(), want) << "method " << method;
}

// The open popup menus.
inline std::vector<HWND> OpenPopups() {
  std::vector<HWND> popups;
  for (HWND w : TopLevelWindows(0)) {
    if (IsWindowVisible(w) && ClassName(w) == L"#32768") popups.push_back(w);
  }
  return popups;
}

inline void CloseMenus() {
  WaitUntil(
      [] {
        for (HWND popup : OpenPopups())
          PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return OpenPopups().empty();
      },
      kUiLimitMs, 100);
}

// Clicks the tray icon (the first one sits at the right end of Wine's
// taskbar) until a popup opens, as the program may still be loading.
inline HWND ClickTrayIcon(bool right, DWORD timeout_ms = kUiLimitMs) {
  CloseMenus();
  RECT tray{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &tray);
  std::vector<HWND> popups;
  WaitUntil(
      [&] {
        Mouse({tray.right - 11, tray.top + 10}, right ? MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP
                                                      : MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
        return WaitUntil([&] { return !(popups = OpenPopups()).empty(); }, 1000);
      },
      timeout_ms);
  return popups.empty() ? nullptr : popups.front();
}

// Chooses in an open popup by access key, as typing the letter does; the
// submenu this opens, when waited for.
inline HWND TypeAccessKey(HWND popup, wchar_t key, bool submenu = false) {
  PostMessageW(popup, WM_CHAR, key, 0);
  HWND opened = nullptr;
  WaitUntil(
      [&] {
        for (HWND other : OpenPopups())
          opened = other != popup ? other : opened;
        return opened || !submenu;
      },
      kUiLimitMs);
  return opened;
}

// BANCHIRO.EXE as a user starts it, and its windows.
class Program {
 public:
  explicit Program(const std::wstring& tail = L"")
      : child_(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"" + (tail.empty() ? L"" : L" " + tail)) {}
  Child& process() { return child_; }
  // The main window once its thread answers (its load may still run); null
  // when that did not happen in time.
  HWND Main(bool shown = true) {
    HWND main = WaitForWindow(child_.pid(), ui::kMainClassName, nullptr, kStartLimitMs, shown);
    return main && Settle(main, kStartLimitMs) ? main : nullptr;
  }
  HWND Palette() {
    HWND palette = WaitForWindow(child_.pid(), ui::kPaletteClassName, nullptr, kStartLimitMs);
    return palette && Settle(palette) ? palette : nullptr;
  }
  // The name tile (or the key tile below it) of slot 0..11.
  std::wstring TileText(int slot, bool name) {
    wchar_t text[128] = {};
    GetDlgItemTextW(Palette(), (name ? ui::kNameTileId : ui::kKeyTileId) + slot, text, 128);
    return text;
  }
  HWND Toolbar() { return FindWindowExW(Main(false), nullptr, TOOLBARCLASSNAMEW, nullptr); }
  // Where the toolbar shows button `number` (1..17), or -1.
  int ToolbarIndex(int number) {
    return static_cast<int>(
        SendMessageW(Toolbar(), TB_COMMANDTOINDEX, ui::kToolbarCommandBase + number, 0));
  }
  HWND MessageBox(const wchar_t* title) {
    return WaitForWindow(child_.pid(), L"#32770", title, kUiLimitMs);
  }
  // Chooses a menu item as its click does, by the command id it carries.
  void Command(const char* control) {
    PostMessageW(Main(false), WM_COMMAND, ui::MenuCommandId(*FindMenuEntry(control)), 0);
  }
  bool Close() {  // as the close box does
    PostMessageW(Main(false), WM_CLOSE, 0, 0);
    return child_.WaitForExit(kStartLimitMs);
  }

 private:
  Child child_;
};

// Stores a button arrangement as the toolbar's own save does (and so the
// settings dialog), through a toolbar of this process.
inline void StoreToolbarOrder(const std::vector<int>& numbers) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr,
                                nullptr, nullptr);
  HWND saver = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | CCS_ADJUSTABLE, 0, 0, 0, 0,
                               parent, nullptr, nullptr, nullptr);
  SendMessageW(saver, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  for (const int number : numbers) {
    TBBUTTON button{number - 1, ui::kToolbarCommandBase + number, TBSTATE_ENABLED, 0, {}, 0, -1};
    SendMessageW(saver, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }
  TBSAVEPARAMSW params{HKEY_CURRENT_USER, ui::kToolbarKey, ui::kToolbarValue};
  SendMessageW(saver, TB_SAVERESTOREW, TRUE, reinterpret_cast<LPARAM>(&params));
  DestroyWindow(parent);
}

// Every test starts on an empty desktop with no settings but the running
// flag, as after a run that did not end in order: no splash.
class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WaitForTestTaskbar()) << "the taskbar is not at its test height";
    CloseMenus();
    DeleteAllSettings();
    SetString("Config", "OptStat", "1");
    ASSERT_TRUE(WaitUntil([] { return ShownTitledWindows().empty(); }, kUiLimitMs))
        << "windows of an earlier test are still open";
  }
  void TearDown() override {
    CloseMenus();
    DeleteAllSettings();
  }
};

}  // namespace banchiro::e2e
