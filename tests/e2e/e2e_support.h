#pragma once
// The support library of the end-to-end tests and the benchmark: processes,
// waits, the program's settings, windows of other processes, user input.
#include <windows.h>

#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace banchiro::e2e {

// The test desktop is 1024 x 768 with the taskbar held 30 px high (Wine's own
// is 20 px), so that a program that read a stale work area shows it.
inline constexpr int kTaskbarTop = 738, kTaskbarWidth = 1024, kTaskbarHeight = 30;
inline constexpr DWORD kStartLimitMs = 30000;  // a cold start under Wine takes about 1.5 s
inline constexpr DWORD kUiLimitMs = 10000;

inline std::wstring RunnerFolder() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  const std::wstring full(path);
  return full.substr(0, full.find_last_of(L"\\/"));
}

inline std::wstring ProgramPath(const wchar_t* file_name) {
  return RunnerFolder() + L"\\" + file_name;
}

// Polls `done` until it holds or the time runs out; true when it held.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD poll_ms = 20) {
  for (const ULONGLONG deadline = GetTickCount64() + timeout_ms; !done(); Sleep(poll_ms)) {
    if (GetTickCount64() >= deadline) return false;
  }
  return true;
}

// True once the window's thread has handled everything sent to it before.
inline bool Settle(HWND window, DWORD timeout_ms = kUiLimitMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &ignored) != 0;
}

// A started program. One still running when the test lets go of it is asked
// to close (a resident BANCHIRO then ends its relays), then terminated.
class Child {
 public:
  explicit Child(const std::wstring& command_line);
  ~Child();
  bool started() const { return static_cast<bool>(process_); }
  DWORD pid() const { return pid_; }
  bool WaitForExit(DWORD timeout_ms, DWORD* code = nullptr);
  bool Running() { return started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

 private:
  win32::UniqueKernelHandle process_;
  DWORD pid_ = 0;
};

// Holds the resident instance's mark while it lives: BANCHIRO.EXE started
// meanwhile is a one-shot start that arranges what its command line names.
struct ResidentStandIn {
  ResidentStandIn();
  win32::UniqueKernelHandle mutex;
};

// The program's settings (UTF-8), one registry key per section. GetString
// gives nothing for a value that is absent or not REG_SZ.
void DeleteAllSettings();
void SetString(std::string_view section, std::string_view name, std::string_view text);
std::optional<std::string> GetString(std::string_view section, std::string_view name);

// The KOVRAN.EXE processes running, ended first when `end` is set.
int Relays(bool end = false);
// True when the one relay running holds Ctrl + F<key>: it publishes its
// window once it has the key.
bool OnlyRelayServes(int key);

// Top-level windows of a process (of every process for pid 0), topmost first.
inline std::vector<HWND> TopLevelWindows(DWORD pid) {
  std::vector<HWND> found;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (pid == 0 || owner == pid) found.push_back(w);
  }
  return found;
}

inline std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// Polls for a window of the process with this class.
inline HWND WaitForWindow(DWORD pid, const wchar_t* class_name, DWORD timeout_ms,
                          bool visible = true) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopLevelWindows(pid)) {
          if ((!visible || IsWindowVisible(w)) && ClassName(w) == class_name) found = w;
        }
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

// The text of a window or control, of any process (the message is marshalled).
inline std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

inline void PressCtrlF(int key) {  // reaches hot keys as the keyboard does
  const BYTE f = static_cast<BYTE>(VK_F1 + key - 1);
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(f, 0, 0, 0);
  keybd_event(f, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

// Presses the keys in order and lets them go in reverse, as a chord is typed
// (Ctrl+Shift+Tab); the window that has the focus of the desktop gets them.
inline void PressKeys(std::initializer_list<BYTE> keys) {
  for (const BYTE key : keys)
    keybd_event(key, 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
}

// The control that has the input focus in the thread of `window`.
inline HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Moves the pointer there and presses or releases there, in one event: a
// move of its own reaches the window system through X after a while, and a
// click made meanwhile could land where the pointer was before.
inline void Mouse(POINT at, DWORD flags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  mouse_event(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (at.x * 65536 + width - 1) / width,
              (at.y * 65536 + height - 1) / height, 0, 0);
}

// Asks the test script, which watches <runner folder>\e2e-shots, for a
// screenshot of the X screen as a person sees it, NAME.png there, once
// `window` (if any) has handled what was sent to it and painted itself and
// its controls (painting waits for an empty queue); false when nobody took it.
inline bool Screenshot(const std::wstring& name, HWND window = nullptr) {
  const auto painted = [window] {
    bool clean = !GetUpdateRect(window, nullptr, FALSE);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      clean = clean && !GetUpdateRect(child, nullptr, FALSE);
    return clean;
  };
  if (window && Settle(window)) WaitUntil(painted, 3000, 50);
  const std::wstring folder = RunnerFolder() + L"\\e2e-shots";
  const std::wstring wanted = folder + L"\\" + name + L".wanted";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream(wanted.c_str()) << "wanted";
  return WaitUntil([&] { return GetFileAttributesW(wanted.c_str()) == INVALID_FILE_ATTRIBUTES; },
                   3000, 50);
}

// Waits until the taskbar has stood at the test height for a moment: Wine's
// shell lays it out anew whenever a tray icon comes or goes, and a program
// started meanwhile would keep the wrong work area.
inline bool WaitForTestTaskbar(DWORD timeout_ms = 5000) {
  ULONGLONG since = 0;
  return WaitUntil(
      [&] {
        RECT r{};
        HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
        const bool right = !tray || (GetWindowRect(tray, &r) && r.top == kTaskbarTop &&
                                     r.bottom - r.top == kTaskbarHeight);
        since = !right ? 0 : since ? since : GetTickCount64();
        return right && GetTickCount64() - since >= 300;
      },
      timeout_ms, 10);
}

}  // namespace banchiro::e2e
