#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <cstdint>
#include <utility>

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

}  // namespace

ProcessId Win32Processes::Start(const std::string& program, const std::string& command_line,
                                const std::string& folder, int show_state) {
  const std::wstring application = Widen(program);
  std::wstring line = Widen(command_line);
  const std::wstring directory = Widen(folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_state);
  PROCESS_INFORMATION info{};
  if (!job_) {
    job_.reset(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    // What the started programs start in turn (a relay's one-shot start)
    // stays out of the job.
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
    if (job_) {
      SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits,
                              sizeof limits);
    }
  }
  // The application is named with its full path, so the search path (and a
  // same-named program in the current folder) is never consulted. It starts
  // suspended until it is in the job, so nothing it does escapes the job.
  if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    return 0;
  }
  if (job_) AssignProcessToJobObject(job_.get(), info.hProcess);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  started_[info.dwProcessId] = UniqueKernelHandle(info.hProcess);
  return info.dwProcessId;
}

ProcessId Win32Processes::WindowOwner(WindowHandle window) {
  DWORD pid = 0;
  const HWND hwnd = reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
  if (!IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, &pid) == 0) return 0;
  return pid;
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
  TerminateProcess(handle.get(), 0);
  // Wait briefly so the relay's hot key is free again when this returns.
  WaitServingMessages(handle.get(), 2000);
}

std::int64_t Win32Clock::NowMs() {
  return static_cast<std::int64_t>(GetTickCount64());
}

void Win32Clock::SleepMs(int milliseconds) {
  WaitServingMessages(nullptr, static_cast<DWORD>(milliseconds));
}

}  // namespace banchiro::win32
