#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <utility>
#include <vector>

#include "common/dev_log.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/utf.h"

namespace banchiro::win32 {
namespace {

// The waits are the user-interface thread's, for another process: its
// windows go on answering meanwhile. Returns when `object` (if any) is
// signalled, the time is up, or the run is to end (WM_QUIT, posted again
// for the loop that ends it).
void WaitServingMessages(HANDLE object, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end || (object && WaitForSingleObject(object, 0) == WAIT_OBJECT_0)) return;
    MsgWaitForMultipleObjects(object ? 1 : 0, object ? &object : nullptr, FALSE,
                              static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

// Starts a program suspended, so that nothing it does happens before it is
// in the job. The application is named with its full path, so the search
// path (and a same-named program in the current folder) is never consulted.
bool CreateSuspended(const std::wstring& application, std::wstring command_line,
                     const std::wstring& folder, int show_state, DWORD flags,
                     PROCESS_INFORMATION& info) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_state);
  return CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info) != FALSE;
}

// A process that never ran (still suspended) is ended without a trace.
void Discard(PROCESS_INFORMATION& info) {
  TerminateProcess(info.hProcess, 0);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

// Opens a file for its identity only (no read or write access, every
// sharing mode), so that a running program file can be opened too.
UniqueKernelHandle OpenForIdentity(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Two paths name the same file: compared by the volume and the file's index,
// so that short (8.3) names, case, links and "\\?\" prefixes do not matter.
// Where a file cannot be opened, by the text of the paths, ignoring case.
bool SameFile(const std::wstring& a, const std::wstring& b) {
  const UniqueKernelHandle file_a = OpenForIdentity(a), file_b = OpenForIdentity(b);
  BY_HANDLE_FILE_INFORMATION info_a{}, info_b{};
  if (file_a && file_b && GetFileInformationByHandle(file_a.get(), &info_a) &&
      GetFileInformationByHandle(file_b.get(), &info_b)) {
    return info_a.dwVolumeSerialNumber == info_b.dwVolumeSerialNumber &&
           info_a.nFileIndexHigh == info_b.nFileIndexHigh &&
           info_a.nFileIndexLow == info_b.nFileIndexLow;
  }
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// What waits for the user to be free, and the thread timer that looks.
constexpr UINT kIdleCheckMs = 1000;
std::vector<std::function<void()>> idle_tasks;
UINT_PTR idle_timer = 0;

// Whether the user is in the middle of something a box would get in the way
// of: a menu, a window moved or sized, a drag (the mouse captured), or a box
// or dialog of ours that keeps its owner disabled.
bool UserIsBusy() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
      ((info.flags & (GUI_INMENUMODE | GUI_INMOVESIZE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) ||
       info.hwndCapture)) {
    return true;
  }
  BOOL modal = FALSE;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        if (IsWindowVisible(window) && !IsWindowEnabled(window)) {
          *reinterpret_cast<BOOL*>(found) = TRUE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&modal));
  return modal;
}

void CALLBACK RunIdleTasks(HWND, UINT, UINT_PTR, DWORD) {
  if (UserIsBusy()) return;  // the timer looks again
  KillTimer(nullptr, idle_timer);
  idle_timer = 0;
  std::vector<std::function<void()>> tasks;
  tasks.swap(idle_tasks);
  for (auto& task : tasks) {
    // Nothing may unwind through the system's call into this procedure.
    try {
      task();
    } catch (const std::exception& e) {
      devlog::Failure("idle task", e.what());
    }
  }
}

}  // namespace

HANDLE Win32Processes::Job() {
  if (job_ || job_error_ != 0) return job_.get();
  job_.reset(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  // What the started programs start in turn (a relay's one-shot start)
  // stays out of the job.
  limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
  if (!job_ || !SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits,
                                        sizeof limits)) {
    job_error_ = GetLastError();
    job_.reset();
  }
  return job_.get();
}

ProcessId Win32Processes::Start(const std::string& program, const std::string& command_line,
                                const std::string& folder, int show_state) {
  const std::wstring application = Widen(program), line = Widen(command_line),
                     directory = Widen(folder);
  PROCESS_INFORMATION info{};
  if (!CreateSuspended(application, line, directory, show_state, 0, info)) {
    devlog::Failure("CreateProcessW", program, GetLastError());
    return 0;
  }
  const HANDLE job = Job();
  DWORD job_error = job ? 0 : job_error_;
  if (job && !AssignProcessToJobObject(job, info.hProcess)) {
    job_error = GetLastError();
    // This program runs in a job that takes no job inside it (one with user
    // interface limits, as some launchers and remote tools set up). Started
    // out of that job, where it allows so, the process can join ours;
    // otherwise the one started first runs on without a job.
    PROCESS_INFORMATION away{};
    if (CreateSuspended(application, line, directory, show_state, CREATE_BREAKAWAY_FROM_JOB,
                        away)) {
      if (AssignProcessToJobObject(job, away.hProcess)) {
        Discard(info);
        info = away;
        job_error = 0;
      } else {
        Discard(away);
      }
    }
  }
  // It runs all the same, but would outlive a program ended from outside.
  if (job_error != 0) devlog::Failure("job object", command_line, job_error);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  started_[info.dwProcessId] = UniqueKernelHandle(info.hProcess);
  return info.dwProcessId;
}

ProcessId Win32Processes::WindowOwner(WindowHandle window) {
  DWORD pid = 0;
  const HWND hwnd = ToHwnd(window);
  if (!IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, &pid) == 0) return 0;
  return pid;
}

bool Win32Processes::OwnerRunsProgram(WindowHandle window, const std::string& program) {
  const ProcessId owner = WindowOwner(window);
  const UniqueKernelHandle process(
      owner ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner) : nullptr);
  std::vector<wchar_t> image(32768);
  DWORD length = static_cast<DWORD>(image.size());
  if (!process || !QueryFullProcessImageNameW(process.get(), 0, image.data(), &length)) {
    return false;
  }
  return SameFile(std::wstring(image.data(), length), Widen(program));
}

bool Win32Processes::IsRunning(ProcessId process) {
  auto it = started_.find(process);
  return it != started_.end() && WaitForSingleObject(it->second.get(), 0) == WAIT_TIMEOUT;
}

void Win32Processes::Terminate(ProcessId process) {
  auto it = started_.find(process);
  if (it == started_.end()) return;
  // Taken out first: the windows answer during the wait below, and a second
  // request for the same process then finds nothing to end.
  const UniqueKernelHandle handle = std::move(it->second);
  started_.erase(it);
  if (!TerminateProcess(handle.get(), 0)) {
    // Refused also when it is ending by itself already: only one still
    // running is worth a line.
    const DWORD error = GetLastError();
    if (WaitForSingleObject(handle.get(), 0) != WAIT_OBJECT_0) {
      devlog::Failure("TerminateProcess", std::to_string(process), error);
    }
  }
  // Wait briefly so the relay's hot key is free again when this returns.
  WaitServingMessages(handle.get(), 2000);
}

std::int64_t Win32Clock::NowMs() {
  return static_cast<std::int64_t>(GetTickCount64());
}

void Win32Clock::SleepMs(int milliseconds) {
  WaitServingMessages(nullptr, static_cast<DWORD>(milliseconds));
}

void Win32Clock::RunWhenIdle(std::function<void()> task) {
  idle_tasks.push_back(std::move(task));
  // A thread timer: the message loops of this thread, whichever runs, call
  // it, and it runs the tasks once the user is free.
  if (idle_timer == 0) idle_timer = SetTimer(nullptr, 0, kIdleCheckMs, RunIdleTasks);
}

}  // namespace banchiro::win32
