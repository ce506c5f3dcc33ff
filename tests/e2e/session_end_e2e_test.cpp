// The scheduled end of the Windows session, run last: under Wine the end of
// the session ends the programs of the test desktop that agree to it, so
// this test puts back what the later runs of the desktop need.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace banchiro::e2e {
namespace {

constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kUiLimitMs = 10000;

// A window of this process that refuses the end of the session. It stands
// in front of every other window, so Wine asks it first and then leaves
// every program running, this runner and the test desktop included.
class SessionVeto {
 public:
  SessionVeto() : thread_([this] { Run(); }) {
    WaitUntil([this] { return window_.load() != nullptr; }, kUiLimitMs);
  }
  ~SessionVeto() {
    if (HWND w = window_.load()) PostMessageW(w, WM_CLOSE, 0, 0);
    thread_.join();
  }
  bool asked() const { return asked_.load(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<SessionVeto*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_QUERYENDSESSION) {
      if (self) self->asked_ = true;
      return FALSE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  void Run() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BanchiroE2eSessionVeto";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName,
                             L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(w, SW_SHOWNOACTIVATE);
    window_ = w;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
      DispatchMessageW(&message);
  }
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> asked_{false};
  std::thread thread_;
};

// Starts the desktop's keeper again when the end of the session took it:
// it holds the desktop up and the taskbar at its test height.
void RestoreKeeper() {
  if (FindWindowW(L"E2EKeeper", nullptr)) return;
  std::wstring line = L"\"" + ProgramPath(L"desk_helper.exe") + L"\" keeper";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  WaitUntil([] { return FindWindowW(L"E2EKeeper", nullptr) != nullptr; }, kUiLimitMs);
}

// The scheduled restart: at the set minute the timer restarts Windows
// without a question, after clearing the schedule and storing the position
// and an orderly end.
TEST(SessionEndE2eTest, TimedRestartSavesEverythingFirst) {
  DeleteAllSettings();
  SkipSplash();
  SYSTEMTIME now{};
  GetLocalTime(&now);
  // The first tick comes 10 s after the load; keep clear of the next minute.
  if (now.wSecond > 35) {
    const WORD minute = now.wMinute;
    WaitUntil(
        [&] {
          GetLocalTime(&now);
          return now.wMinute != minute;
        },
        30000, 200);
  }
  wchar_t hour[3], minute[3];
  swprintf(hour, 3, L"%02u", now.wHour);
  swprintf(minute, 3, L"%02u", now.wMinute);
  SetString(L"Config", L"OptRun", L"0");
  SetString(L"Config", L"OptTime(0)", hour);
  SetString(L"Config", L"OptTime(1)", minute);

  SessionVeto veto;
  Child child(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"");
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntil([] { return GetString(L"Config", L"OptRun") == L"2"; }, 25000))
      << "the timer did not start the restart";
  EXPECT_EQ(WaitForWindow(child.pid(), L"#32770", nullptr, 0), nullptr) << "it asked";
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
  EXPECT_EQ(GetString(L"Position", L"S_Top"), L"5445");
  EXPECT_EQ(GetString(L"Position", L"S_Left"), L"6525");
  EXPECT_TRUE(WaitUntil([&] { return veto.asked(); }, kUiLimitMs))
      << "Windows was not asked to end the session";
  EXPECT_TRUE(CloseProgram(child, kStartLimitMs));
  DeleteAllSettings();
  RestoreKeeper();
}

}  // namespace
}  // namespace banchiro::e2e
