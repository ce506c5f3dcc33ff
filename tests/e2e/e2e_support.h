#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace banchiro::e2e {

// Folder of the test runner; the programs under test lie beside it.
std::wstring RunnerFolder();
std::wstring ProgramPath(const wchar_t* file_name);

// The program's settings in the registry of the test prefix.
std::wstring SectionPath(const std::wstring& section);
void DeleteAllSettings();
// Leaves the running flag "1", as after a run that did not end in order or
// while another instance runs, so that a start shows no splash.
void SkipSplash();
void SetString(const std::wstring& section, const std::wstring& name, const std::wstring& text);
void SetRaw(const std::wstring& section, const std::wstring& name, DWORD type, const void* data,
            DWORD bytes);

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};
std::optional<RawValue> GetRaw(const std::wstring& section, const std::wstring& name);
// The REG_SZ text (up to the first NUL) or nothing for any other state.
std::optional<std::wstring> GetString(const std::wstring& section, const std::wstring& name);
// Every value of a section as text; values of other types appear as "<type N>".
std::map<std::wstring, std::wstring> SectionValues(const std::wstring& section);

// Holds the mark of a resident instance while it lives, so that a start of
// BANCHIRO.EXE is a one-shot start: it does its start-up, arranges what its
// command line names and ends, as under a resident instance.
class ResidentStandIn {
 public:
  ResidentStandIn();
  ResidentStandIn(const ResidentStandIn&) = delete;
  ResidentStandIn& operator=(const ResidentStandIn&) = delete;
  ~ResidentStandIn();

 private:
  HANDLE mutex_ = nullptr;
};

// A started program, terminated when the test lets go of it still running.
class Child {
 public:
  explicit Child(const std::wstring& command_line);
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child();

  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  // True when it ended within the time limit; its exit code goes to *code.
  bool WaitForExit(DWORD timeout_ms, DWORD* code = nullptr);
  bool Running();

 private:
  PROCESS_INFORMATION info_{};
};

inline constexpr wchar_t kMainClass[] = L"BANCHIRO";
inline constexpr wchar_t kMainCaption[] = L"ばんちろ君 for Win";

// The main window of a BANCHIRO.EXE process, shown or, with `shown` false,
// as it is, once its thread has answered a message; null when that did not
// happen in time. The thread may answer while its load still runs (adding
// the tray icon serves sent messages), so a test that needs something the
// load does (relays, the icon) waits for that itself.
HWND WaitForMainWindow(const Child& child, DWORD timeout_ms, bool shown = true);
// Waits until the taskbar stands at the test desktop's height again. Wine's
// shell lays it out anew whenever a notification icon comes or goes, and a
// program keeps the work area it first reads: one started in that moment
// would arrange for the wrong work area.
bool WaitForTestTaskbar(DWORD timeout_ms = 5000);

// Presses Ctrl+F<key> (1..12) as the keyboard would: it reaches hot keys.
void PressCtrlF(int key);

// How many KOVRAN.EXE processes run now.
int RunningRelays();
// Ends every KOVRAN.EXE still running; how many there were.
int EndStrayRelays();
// Closes the program as its close box does and waits for its end.
bool CloseProgram(Child& child, DWORD timeout_ms);

// Polls until a top-level window of the process with this class and title
// exists (visible or not), or the time runs out.
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms);
std::vector<HWND> VisibleTopLevelWindows(DWORD pid);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Polls `done` until it holds or the time runs out; true when it held.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD poll_ms = 20);
// What another process has written to a file so far; nothing when it cannot
// be opened (yet).
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// A path in the temp folder that no other run of this process uses.
std::wstring FreshTempPath(const std::wstring& stem);
// Visible, not minimised top-level windows with a title, of every process:
// the windows a user would call open.
std::vector<HWND> ShownTitledWindows();
// True once the thread of `window` has handled everything sent to it before
// (moves requested asynchronously included); false when it did not answer
// in time or the window is gone.
bool Settle(HWND window, DWORD timeout_ms);
// The Windows version Wine reports to one program (AppDefaults "Version",
// e.g. "winxp"); an empty version removes the setting.
void SetWineVersion(const std::wstring& exe_name, const std::wstring& version);

// The whole virtual desktop as a 24-bit BMP file.
bool SaveScreenshot(const std::wstring& path);

}  // namespace banchiro::e2e
