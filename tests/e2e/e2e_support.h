#pragma once
// The support library of the end-to-end tests (the benchmark uses it too): a
// started program, waiting for a condition, the program's settings in the
// registry, windows of other processes, and input as a user gives it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace banchiro::e2e {

// The test desktop is 1024 x 768 with the taskbar held 30 px high (Wine's own
// is 20 px), so that a program that read a stale work area shows it.
inline constexpr int kTaskbarTop = 738, kTaskbarWidth = 1024, kTaskbarHeight = 30;
inline constexpr DWORD kStartLimitMs = 30000;  // a cold start under Wine takes about 1.5 s
inline constexpr DWORD kUiLimitMs = 10000;

std::wstring RunnerFolder();
std::wstring ProgramPath(const wchar_t* file_name);
// Polls `done` until it holds or the time runs out; true when it held.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD poll_ms = 20);
// True once the window's thread has handled everything sent to it before.
bool Settle(HWND window, DWORD timeout_ms = kUiLimitMs);

// A started program. One still running when the test lets go of it is asked
// to close (a resident BANCHIRO then ends its relays), then terminated.
class Child {
 public:
  explicit Child(const std::wstring& command_line);
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child();
  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  bool WaitForExit(DWORD timeout_ms, DWORD* code = nullptr);
  bool Running() { return started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  PROCESS_INFORMATION info_{};
};

// Holds the resident instance's mark while it lives: BANCHIRO.EXE started
// meanwhile is a one-shot start that arranges what its command line names.
class ResidentStandIn {
 public:
  ResidentStandIn();
  ResidentStandIn(const ResidentStandIn&) = delete;
  ResidentStandIn& operator=(const ResidentStandIn&) = delete;
  ~ResidentStandIn() { CloseHandle(mutex_); }

 private:
  HANDLE mutex_;
};

// The program's settings (UTF-8), one registry key per section. GetString
// gives nothing for a value that is absent or not REG_SZ.
void DeleteAllSettings();
void SetString(std::string_view section, std::string_view name, std::string_view text);
std::optional<std::string> GetString(std::string_view section, std::string_view name);
void SetRaw(std::string_view section, std::string_view name, DWORD type, const void* data,
            DWORD bytes);
int ValueCount(std::string_view section);

// Top-level windows of a process (of every process for pid 0), topmost first.
std::vector<HWND> TopLevelWindows(DWORD pid);
// Polls for one with this class (and title, unless null).
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms,
                   bool visible = true);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// Visible, not minimised, titled windows: what a user would call open.
std::vector<HWND> ShownTitledWindows();
std::wstring MessageText(HWND box);

void PressCtrlF(int key);  // reaches hot keys as the keyboard does
void Mouse(POINT at, DWORD flags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
// The KOVRAN.EXE processes running, ended first when `end` is set.
int Relays(bool end = false);

// Waits until the taskbar has stood at the test height for a moment: Wine's
// shell lays it out anew whenever a tray icon comes or goes, and a program
// started meanwhile would keep the wrong work area.
bool WaitForTestTaskbar(DWORD timeout_ms = 5000);

std::optional<std::string> ReadWholeFile(const std::wstring& path);
std::wstring FreshTempPath(const std::wstring& stem);
// The whole screen as a BMP file, once `window` (if any) has painted.
bool SaveScreenshot(const std::wstring& path, HWND window = nullptr);

}  // namespace banchiro::e2e
