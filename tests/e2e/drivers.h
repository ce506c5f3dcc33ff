#pragma once
// Drivers of the windows under test: the program (bar, toolbar, tray,
// palette) and the windows of window_helper.exe that it arranges, with the
// fixture they share. The one place where the tests use the program's own
// headers: command ids, window classes, method letters and the layouts.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "common/display_methods.h"
#include "engine/layouts.h"
#include "settings/key_table.h"
#include "ui/main/menu_model.h"
#include "ui/main/win32/main_menus.h"
#include "ui/main/win32/main_toolbar.h"
#include "ui/main/win32/main_window.h"
#include "ui/palette/win32/palette_window.h"
#include "ui/settings/win32/settings_dialog.h"
#include "ui/version/win32/version_dialog.h"

namespace banchiro {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << " " << r.width << "x" << r.height << ")";
}
}  // namespace banchiro

namespace banchiro::e2e {

inline Rect RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline std::vector<Rect> RectsOf(const std::vector<HWND>& rows) {
  std::vector<Rect> rects;
  for (HWND row : rows)
    rects.push_back(RectOf(row));
  return rects;
}

// Where the portable core puts `count` windows (topmost first) for the
// method of `letter`, on this desktop with the settings the program stored:
// in the primary work area, or laid out in the work area `on` as on a
// screen of its own.
inline std::vector<Rect> ExpectedLayout(char letter, int count,
                                        std::optional<Rect> on = std::nullopt) {
  win32::RegistrySettingsStore store{std::string(kApplicationName)};
  Settings stored;
  for (const KeyDef& key : KeyTable()) {
    for (int row = 0; key.field && row < std::max(key.rows, 1); ++row) {
      for (int i = key.first; i < key.first + std::max(key.count, 1); ++i)
        key.field(stored, row, i - key.first) = store.Read(key.section, KeyName(key, row, i));
    }
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Rect area = on ? Rect{0, 0, on->width, on->height}
                       : Rect{work.left, work.top, work.right - work.left, work.bottom - work.top};
  const bool xp = GetWindowsName(win32::Win32SystemInfo().Version()) == WindowsName::kXP;
  const auto method = MethodForLetter(letter);
  if (!method) return {};
  auto rows = ComputeLayout(*method, count, MakeLayoutInputs(stored, area, xp))
                  .value_or(std::vector<Rect>{});
  for (Rect& r : rows)
    r.left += on ? on->left : 0, r.top += on ? on->top : 0;
  return rows;
}

// Waits until the windows stand at these rectangles (a window that has
// gone, nowhere), then checks.
inline void ExpectPlaced(const std::vector<HWND>& rows, std::vector<Rect> want,
                         DWORD limit_ms = 5000) {
  std::vector<Rect> now;
  const auto placed = [&] {
    now.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (!IsWindow(rows[i])) want[i] = Rect{};
      now.push_back(Settle(rows[i], limit_ms) ? RectOf(rows[i]) : Rect{});
    }
    return now == want;
  };
  WaitUntil(placed, limit_ms);
  EXPECT_EQ(now, want);
}

// The same where the layout of `letter` puts them.
inline void ExpectArranged(const std::vector<HWND>& rows, char letter, DWORD limit_ms = 5000,
                           std::optional<Rect> on = std::nullopt) {
  SCOPED_TRACE(std::string(1, letter));
  ExpectPlaced(rows, ExpectedLayout(letter, static_cast<int>(rows.size()), on), limit_ms);
}

// The windows of one window_helper.exe, by number as asked for, and as rows:
// in z-order, topmost first, as an arranger collects them, once that order
// has stopped changing.
class HelperWindows {
 public:
  // Window `special` (1-based) gets the helper's `option`.
  explicit HelperWindows(int count, int special = 0, const wchar_t* option = L"") {
    std::wstring line = L"\"" + ProgramPath(L"window_helper.exe") + L"\"";
    for (int i = 1; i <= count; ++i)
      line += L" \"title=E2E 窓 " + std::to_wstring(i) + (i == special ? option : L"") + L"\"";
    process_ = std::make_unique<Child>(line);
    ULONGLONG since = 0;
    ready_ = WaitUntil(
        [&] {
          const std::vector<HWND> now = WindowsOf(process_->pid(), L"BanchiroE2eWindow");
          since = now == rows_ ? since : GetTickCount64();
          rows_ = now;
          return static_cast<int>(now.size()) == count && GetTickCount64() - since >= 300;
        },
        kStartLimitMs);
  }
  ~HelperWindows() {
    for (HWND row : rows_)
      PostMessageW(row, WM_CLOSE, 0, 0);
  }
  bool ready() const { return ready_; }
  HWND window(int number) const {
    return FindWindowW(L"BanchiroE2eWindow", (L"E2E 窓 " + std::to_wstring(number)).c_str());
  }
  const std::vector<HWND>& rows() const { return rows_; }
  Child& process() { return *process_; }

 private:
  std::unique_ptr<Child> process_;
  std::vector<HWND> rows_;
  bool ready_ = false;
};

// The open popup menus, closed first when `close` is set.
inline std::vector<HWND> Popups(bool close = false) {
  std::vector<HWND> popups;
  WaitUntil(
      [&] {
        popups = WindowsOf(0, L"#32768");
        for (HWND w : close ? popups : std::vector<HWND>{})
          PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
        return !close || popups.empty();
      },
      kUiLimitMs, 100);
  return popups;
}

// Clicks the tray icon (the first one sits at the right end of Wine's
// taskbar) until a popup opens, as the program may still be loading.
inline HWND ClickTrayIcon(bool right, DWORD timeout_ms = kUiLimitMs) {
  Popups(true);
  RECT tray{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &tray);
  const DWORD click = right ? MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP
                            : MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;
  std::vector<HWND> popups;
  WaitUntil(
      [&] {
        Mouse({tray.right - 11, tray.top + 10}, click);
        return WaitUntil([&] { return !(popups = Popups()).empty(); }, 1000);
      },
      timeout_ms);
  return popups.empty() ? nullptr : popups.front();
}

// Chooses in an open popup by access key, as typing the letter does, and
// returns the submenu that this opens, if any.
inline HWND TypeAccessKey(HWND popup, wchar_t key, bool submenu = false) {
  PostMessageW(popup, WM_CHAR, key, 0);
  HWND opened = nullptr;
  WaitUntil(
      [&] {
        for (HWND other : Popups())
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
      : process_(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"" +
                 (tail.empty() ? L"" : L" " + tail)) {}
  Child& process() { return process_; }
  // The window once its thread answers (the main window's load may still run).
  HWND Main(bool shown = true) { return Answering(ui::kMainClassName, shown); }
  HWND Palette() { return Answering(ui::kPaletteClassName, true); }
  HWND Toolbar() { return FindWindowExW(Main(false), nullptr, TOOLBARCLASSNAMEW, nullptr); }
  HWND Dialog(const wchar_t* class_name = L"#32770") { return Answering(class_name, true); }
  HWND OpenSettings() {
    Command(MenuCommand::kSettings);
    return Dialog(ui::kSettingsClassName);
  }
  // The name tile (or the key tile below it) of slot 0..11.
  std::wstring TileText(int slot, bool name) {
    return Text(GetDlgItem(Palette(), (name ? ui::kNameTileId : ui::kKeyTileId) + slot));
  }
  // Chooses a menu item as its click does, by the command id it carries.
  void Command(MenuCommand command, int method = -1) {
    PostMessageW(Main(false), WM_COMMAND, ui::MenuCommandId(*FindMenuItem(command, method)), 0);
  }
  bool Close() {  // as the close box does
    PostMessageW(Main(false), WM_CLOSE, 0, 0);
    return process_.WaitForExit(kStartLimitMs);
  }

 private:
  HWND Answering(const wchar_t* class_name, bool shown) {
    HWND window = WaitForWindow(process_.pid(), class_name, kStartLimitMs, shown);
    return window && Settle(window, kStartLimitMs) ? window : nullptr;
  }
  Child process_;
};

// Runs BANCHIRO.EXE with this letter to its end, which must come in time.
inline bool RunOneShot(char letter, DWORD limit_ms = kStartLimitMs) {
  Program program(std::wstring(1, static_cast<wchar_t>(letter)));
  DWORD code = 1;
  return program.process().WaitForExit(limit_ms, &code) && code == 0;
}

using K = ControlKind;
using R = ControlRole;

// A control of the settings dialog, found by its place in the dialog's table.
inline HWND SettingsControl(HWND dialog, K kind, R role, int index = 0) {
  const auto& table = SettingsDialogControls();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const DialogControl& c = table[i];
    if (c.kind != kind || c.role != role || c.index != index) continue;
    const int id = role != ControlRole::kCommand || index > 1 ? 1000 + static_cast<int>(i)
                   : index == 0                               ? IDOK
                                                              : IDCANCEL;
    return GetDlgItem(dialog, id);
  }
  return nullptr;
}

// Clicks a control with the mouse: its centre, or its upper arrow.
inline void ClickOn(HWND control, bool upper_arrow = false) {
  const Rect r = RectOf(control);
  Mouse({r.left + r.width / 2, r.top + (upper_arrow ? r.height / 4 : r.height / 2)});
}

// Clicks a box and waits until it shows the tick asked for.
inline bool Tick(HWND box, bool ticked = true) {
  ClickOn(box);
  return WaitUntil([&] { return (SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == ticked; },
                   kUiLimitMs);
}

// Chooses a key in a method's drop-down list of the settings dialog, as the
// keyboard does (a busy thread opens the list late for a click).
inline bool ChooseKey(HWND dialog, int method, int key) {
  HWND list = SettingsControl(dialog, K::kCombo, R::kKey, method);
  PostMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  for (int i = 0; i < key; ++i)
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  return WaitUntil([&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == key; }, kUiLimitMs);
}

inline void SetStrings(std::initializer_list<std::array<const char*, 3>> settings) {
  for (const auto& [section, name, text] : settings)
    SetString(section, name, text);
}

// The display menu with method `only` on it, or none.
inline void SetDisplayMenuTo(int only = -1) {
  for (int n = 0; n < kMethodCount; ++n)
    SetString("RightClick", "RgtClick(2," + std::to_string(n) + ")", n == only ? "1" : "0");
}

// Ends the session as Windows does, through one window of the program: true
// when it agreed. Windows may end the process as soon as WM_ENDSESSION
// returns, so everything must be done by then.
inline bool EndSession(HWND window) {
  DWORD_PTR agreed = 0, ignored = 0;
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &agreed);
  SendMessageTimeoutW(window, WM_ENDSESSION, agreed, 0, SMTO_BLOCK, 5000, &ignored);
  return agreed == TRUE;
}

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
  const std::wstring key =
      win32::RegistrySettingsStore::SectionPath(kApplicationName, kSectionConfig);
  const std::wstring value = win32::Widen(kToolbarValue);
  TBSAVEPARAMSW params{HKEY_CURRENT_USER, key.c_str(), value.c_str()};
  SendMessageW(saver, TB_SAVERESTOREW, TRUE, reinterpret_cast<LPARAM>(&params));
  DestroyWindow(parent);
}

// Every test starts with no settings but the running flag, as after a run
// that did not end in order: no splash.
class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WaitForTestTaskbar()) << "the taskbar is not at its test height";
    DeleteAllSettings();
    SetString("Config", "OptStat", "1");
  }
  void TearDown() override {
    Popups(true);
    DeleteAllSettings();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels");
  }
};

}  // namespace banchiro::e2e
