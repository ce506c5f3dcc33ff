#pragma once
// Driving KOVRAN.EXE, the hot-key relay, as BANCHIRO starts it (show state
// minimised, the handle cleared first), against the real registry and real
// hot keys pressed through SendInput.
#include <windows.h>
#include <tlhelp32.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"

namespace banchiro::e2e {

using win32::UniqueKernelHandle;

inline constexpr DWORD kPublishLimitMs = 15000;
inline constexpr DWORD kEndLimitMs = 10000;
inline constexpr DWORD kArrangeLimitMs = 30000;
inline constexpr DWORD kProbeLimitMs = 30000;

inline constexpr wchar_t kRelayRoot[] = L"Software\\VB and VBA Program Settings\\KOVRAN";
inline constexpr wchar_t kRelayHandleSection[] =
    L"Software\\VB and VBA Program Settings\\KOVRAN\\hWnd";
// Where the probe (the disabled test at the end) says how it was started.
inline constexpr wchar_t kProbeKey[] = L"Software\\BANCHIRO e2e\\RelayProbe";
// The probe shares the runner's standard output under Wine: brief mode and
// its own redirection keep its report out of the runner's, whose summary
// lines the test script counts.
inline constexpr wchar_t kProbeArguments[] =
    L" --gtest_brief=1 --gtest_also_run_disabled_tests"
    L" --gtest_filter=RelayProbe.DISABLED_RecordHowItWasStarted";

inline constexpr int kExitServed = 0;
inline constexpr int kExitKeyTaken = 1;
inline constexpr int kExitBadArgument = 2;

inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Polls the condition until it holds or the time runs out, answering this
// thread's messages meanwhile: another process moving our windows waits for
// us to answer.
template <typename Condition>
inline bool PumpUntil(DWORD limit_ms, Condition condition) {
  const ULONGLONG deadline = GetTickCount64() + limit_ms;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

inline std::optional<std::wstring> PublishedText() {
  return win32::ReadRegistryString(HKEY_CURRENT_USER, kRelayHandleSection, L"hWindow");
}

// As BANCHIRO does before starting each relay.
inline void ClearPublishedHandle() {
  win32::WriteRegistryString(HKEY_CURRENT_USER, kRelayHandleSection, L"hWindow", L"");
}

inline DWORD OwnerOf(HWND window) {
  DWORD pid = 0;
  if (!GetWindowThreadProcessId(window, &pid)) return 0;
  return pid;
}

// The window the published text names, when a window of `pid` has that handle.
inline HWND PublishedWindowOf(DWORD pid) {
  const auto text = PublishedText();
  if (!text || text->empty()) return nullptr;
  wchar_t* end = nullptr;
  const long long value = std::wcstoll(text->c_str(), &end, 10);
  if (*end != L'\0') return nullptr;
  const auto window =
      reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(value)));
  return OwnerOf(window) == pid ? window : nullptr;
}

// Processes started by `parent` (the record outlives the parent).
inline std::vector<DWORD> ChildrenOf(DWORD parent) {
  std::vector<DWORD> children;
  const HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (raw == INVALID_HANDLE_VALUE) return children;
  UniqueKernelHandle snapshot(raw);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent) {
      children.push_back(entry.th32ProcessID);
    }
  }
  return children;
}

inline bool Terminate(DWORD pid) {
  UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
  if (!process || !TerminateProcess(process.get(), 99)) return false;
  return WaitForSingleObject(process.get(), kEndLimitMs) == WAIT_OBJECT_0;
}

// One KOVRAN.EXE, started with a show state and a current folder of the
// test's choosing. Whatever it started and itself are ended with the test.
class Relay {
 public:
  Relay(const std::wstring& program, const std::wstring& argument_text,
        const std::wstring& current_folder = RunnerFolder(), WORD show = SW_SHOWMINIMIZED) {
    std::wstring command_line = L"KOVRAN.EXE";
    if (!argument_text.empty()) command_line += L" " + argument_text;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       current_folder.c_str(), &startup, &info)) {
      process_.reset(info.hProcess);
      CloseHandle(info.hThread);
      pid_ = info.dwProcessId;
    }
  }
  explicit Relay(const std::wstring& argument_text)
      : Relay(ProgramPath(L"KOVRAN.EXE"), argument_text) {}
  Relay(const Relay&) = delete;
  Relay& operator=(const Relay&) = delete;
  ~Relay() {
    if (!process_) return;
    for (const DWORD child : ChildrenOf(pid_))
      Terminate(child);
    if (Running()) {
      TerminateProcess(process_.get(), 99);
      WaitForSingleObject(process_.get(), kEndLimitMs);
    }
  }

  bool started() const { return static_cast<bool>(process_); }
  DWORD pid() const { return pid_; }
  bool Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
  }
  std::optional<DWORD> WaitForExit(DWORD limit_ms) {
    if (!PumpUntil(limit_ms, [&] { return !Running(); })) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }
  HWND WaitForPublishedWindow() {
    HWND window = nullptr;
    PumpUntil(kPublishLimitMs, [&] { return (window = PublishedWindowOf(pid_)) || !Running(); });
    return window;
  }

 private:
  UniqueKernelHandle process_;
  DWORD pid_ = 0;
};

// True once this process can take the hot key itself, i.e. nobody holds it.
inline bool HotKeyIsFree(int key) {
  constexpr int kProbeId = 0x7AB;
  if (!RegisterHotKey(nullptr, kProbeId, MOD_CONTROL | MOD_NOREPEAT, VK_F1 + key - 1)) {
    return false;
  }
  UnregisterHotKey(nullptr, kProbeId);
  return true;
}

inline LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

// Ordinary visible windows of the test process, as a user's program has
// them; destroyed with the object.
class OwnWindows {
 public:
  OwnWindows(int count, const std::wstring& title_prefix) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = PlainWindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClass;
    RegisterClassExW(&window_class);  // fails harmlessly once registered
    for (int i = 0; i < count; ++i) {
      const std::wstring title = title_prefix + L" " + std::to_wstring(i + 1);
      HWND window =
          CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW, 200 + 40 * i, 120 + 30 * i,
                          320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
      if (!window) continue;
      ShowWindow(window, SW_SHOWNORMAL);
      windows_.push_back(window);
    }
    PumpMessages();
  }
  OwnWindows(const OwnWindows&) = delete;
  OwnWindows& operator=(const OwnWindows&) = delete;
  ~OwnWindows() {
    for (HWND window : windows_)
      DestroyWindow(window);
    PumpMessages();
  }

  const std::vector<HWND>& windows() const { return windows_; }

  // Ours, topmost first: the rows an arrangement gives them.
  std::vector<HWND> InZOrder() const {
    std::vector<HWND> ordered;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
      for (HWND own : windows_) {
        if (own == window) ordered.push_back(window);
      }
    }
    return ordered;
  }

 private:
  static constexpr wchar_t kClass[] = L"RelayE2eWindow";
  std::vector<HWND> windows_;
};

inline std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

// Whether the taskbar shows a button for the window. Wine's taskbar keeps
// one owner-drawn child button per top-level window, with the window's
// handle as its control ID, and shows the buttons of the windows it lists.
inline bool TaskbarShows(HWND window) {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!taskbar) return false;
  for (HWND child : ChildWindows(taskbar)) {
    if (ClassName(child) == L"Button" &&
        GetWindowLongPtrW(child, GWLP_ID) == reinterpret_cast<LONG_PTR>(window) &&
        IsWindowVisible(child)) {
      return true;
    }
  }
  return false;
}

// This very runner, which is also the probe.
inline std::wstring RunnerProgram() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return path;
}

inline std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return folder;
}

inline std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

inline std::optional<std::wstring> ProbeRecord(const wchar_t* name) {
  return win32::ReadRegistryString(HKEY_CURRENT_USER, kProbeKey, name);
}

class RelayE2eTest : public ::testing::Test {
 protected:
  // Every start of the program here is a one-shot start that ends.
  ResidentStandIn resident_;
  void SetUp() override {
    ASSERT_TRUE(WaitForTestTaskbar()) << "the taskbar is not at its test height";
    Clean();
    SkipSplash();
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    DeleteAllSettings();
    RegDeleteTreeW(HKEY_CURRENT_USER, kRelayRoot);
    RegDeleteTreeW(HKEY_CURRENT_USER, kProbeKey);
  }
  static void HandOver(const std::wstring& command) {
    SetString(L"DispMethod", L"SnedDispMethod", command);
  }
};

}  // namespace banchiro::e2e
