#include "platform/win32/win32_session.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/hwnd.h"
#include "platform/win32/unique_handle.h"

namespace banchiro::win32 {

void Win32Session::EmptyRecycleBin(WindowHandle owner) {
  // Flags 0: the shell's own confirmation, progress and sound.
  SHEmptyRecycleBinW(ToHwnd(owner), nullptr, 0);
}

void Win32Session::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PATHW, nullptr);
}

bool Win32Session::EnableShutdownPrivilege() {
  UniqueKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) {
    return false;
  }
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    return false;
  }
  // AdjustTokenPrivileges succeeds even when it could not enable the
  // privilege; only the last error tells.
  return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
         GetLastError() == ERROR_SUCCESS;
}

namespace {

// Whether the user's Windows starts fast after a shut-down (Windows 8 and
// later, with fast start-up on in the power options): a shut-down of ours
// keeps it, as the Start menu's does.
bool FastStartupOn() {
  DWORD on = 0, size = sizeof on;
  return RegGetValueW(
             HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power",
             L"HiberbootEnabled", RRF_RT_REG_DWORD, nullptr, &on, &size) == ERROR_SUCCESS &&
         on == 1;
}

}  // namespace

bool Win32Session::EndSession(SessionEnd how) {
  UINT flags = EWX_SHUTDOWN;
  if (how == SessionEnd::kRestart) flags = EWX_REBOOT;
  if (how == SessionEnd::kPowerOff) flags = EWX_POWEROFF;
  constexpr DWORD kReason =
      SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
  // A system that turns the hybrid flag down still ends the plain way.
  if (how != SessionEnd::kRestart && FastStartupOn() &&
      ExitWindowsEx(flags | EWX_HYBRID_SHUTDOWN, kReason)) {
    return true;
  }
  return ExitWindowsEx(flags, kReason) != FALSE;
}

TimeOfDay Win32Session::LocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return TimeOfDay{now.wHour, now.wMinute};
}

}  // namespace banchiro::win32
