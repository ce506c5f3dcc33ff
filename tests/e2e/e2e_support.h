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

#include <tlhelp32.h>

#include "common/window_handle.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings.h"

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

// The top-level windows of a process (of all for pid 0) of this class, the
// visible ones only when `visible` is set, topmost first.
inline std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* class_name, bool visible = true) {
  std::vector<HWND> found;
  for (HWND w : TopLevelWindows(pid)) {
    if ((!visible || IsWindowVisible(w)) && ClassName(w) == class_name) found.push_back(w);
  }
  return found;
}

// Polls for a window of the process with this class: the lowest one.
inline HWND WaitForWindow(DWORD pid, const wchar_t* class_name, DWORD timeout_ms,
                          bool visible = true) {
  std::vector<HWND> found;
  WaitUntil([&] { return !(found = WindowsOf(pid, class_name, visible)).empty(); }, timeout_ms);
  return found.empty() ? nullptr : found.back();
}

// A started program. One still running when the test lets go of it is asked
// to close (a resident BANCHIRO then ends its relays), then terminated.
class Child {
 public:
  explicit Child(const std::wstring& command_line) {
    std::wstring line = command_line;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        RunnerFolder().c_str(), &startup, &info)) {
      return;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    pid_ = info.dwProcessId;
  }
  ~Child() {
    if (!started()) return;
    for (HWND window : WindowsOf(pid_, L"BANCHIRO", false))
      PostMessageW(window, WM_CLOSE, 0, 0);
    if (!WaitForExit(5000)) TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
  bool started() const { return static_cast<bool>(process_); }
  DWORD pid() const { return pid_; }
  bool WaitForExit(DWORD timeout_ms, DWORD* code = nullptr) {
    if (!started() || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0)
      return false;
    if (code) GetExitCodeProcess(process_.get(), code);
    return true;
  }
  bool Running() { return started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

 private:
  win32::UniqueKernelHandle process_;
  DWORD pid_ = 0;
};

// Holds the resident instance's mark while it lives: BANCHIRO.EXE started
// meanwhile is a one-shot start that arranges what its command line names.
struct ResidentStandIn {
  win32::UniqueKernelHandle mutex{CreateMutexW(nullptr, FALSE, win32::kInstanceMutexName)};
};

// The program's settings (UTF-8), one registry key per section. GetString
// gives nothing for a value that is absent or not REG_SZ.
inline std::wstring SectionKey(std::string_view section) {
  return win32::RegistrySettingsStore::SectionPath(kApplicationName, section);
}

inline void DeleteAllSettings() {
  const std::wstring any_section = SectionKey("");
  RegDeleteTreeW(HKEY_CURRENT_USER, any_section.substr(0, any_section.size() - 1).c_str());
}

inline void SetString(std::string_view section, std::string_view name, std::string_view text) {
  win32::WriteRegistryString(HKEY_CURRENT_USER, SectionKey(section), win32::Widen(name),
                             win32::Widen(text));
}

inline std::optional<std::string> GetString(std::string_view section, std::string_view name) {
  const auto text =
      win32::ReadRegistryString(HKEY_CURRENT_USER, SectionKey(section), win32::Widen(name));
  return text ? std::optional<std::string>(win32::Narrow(*text)) : std::nullopt;
}

// The KOVRAN.EXE processes running, ended first when `end` is set.
inline int Relays(bool end = false) {
  int count = 0;
  win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"KOVRAN.EXE") != 0) continue;
    ++count;
    win32::UniqueKernelHandle relay(
        end ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID) : nullptr);
    if (relay && TerminateProcess(relay.get(), 98)) WaitForSingleObject(relay.get(), 5000);
  }
  return count;
}

// True when the one relay running holds Ctrl + F<key>: it publishes its
// window once it has the key.
inline bool OnlyRelayServes(int key) {
  const std::wstring title = L"KOVRAN F" + std::to_wstring(key);
  HWND window = FindWindowW(win32::Widen(kRelayWindowClassName).c_str(), title.c_str());
  const auto published = win32::ReadRegistryString(
      HKEY_CURRENT_USER,
      win32::RegistrySettingsStore::SectionPath(kRelayApplicationName, kSectionHWnd),
      win32::Widen(kPublishedWindowKey));
  return window && published && *published == win32::Widen(HandleText(win32::FromHwnd(window))) &&
         Relays() == 1;
}

// The text of a window or control, of any process (the message is marshalled).
inline std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

// Presses the keys in order and lets them go in reverse, as a chord is typed
// (Ctrl+Shift+Tab); the window that has the focus of the desktop gets them,
// and a hot key its owner.
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

// True when the taskbar (if any) stands at the test height.
inline bool TaskbarAtTestHeight() {
  RECT r{};
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  return !tray ||
         (GetWindowRect(tray, &r) && r.top == kTaskbarTop && r.bottom - r.top == kTaskbarHeight);
}

// Waits until the taskbar has stood at the test height for a moment: Wine's
// shell lays it out anew whenever a tray icon comes or goes, and a program
// started meanwhile would keep the wrong work area.
inline bool WaitForTestTaskbar(DWORD timeout_ms = 5000) {
  ULONGLONG since = 0;
  return WaitUntil(
      [&] {
        const bool right = TaskbarAtTestHeight();
        since = !right ? 0 : since ? since : GetTickCount64();
        return right && GetTickCount64() - since >= 300;
      },
      timeout_ms, 10);
}

}  // namespace banchiro::e2e
