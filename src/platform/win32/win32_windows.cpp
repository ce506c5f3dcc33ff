#include "platform/win32/win32_windows.h"

#include <windows.h>

#include <dwmapi.h>
#include <objbase.h>
#include <shellapi.h>
#include <shldisp.h>

#include <cstdint>

#include "common/dev_log.h"
#include "platform/win32/dpi.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"

namespace banchiro::win32 {

// The values the portable code mirrors.
static_assert(kShowNormal == SW_SHOWNORMAL && kShowMinimized == SW_SHOWMINIMIZED &&
              kShowMaximized == SW_SHOWMAXIMIZED && kShowNoActivate == SW_SHOWNOACTIVATE);
static_assert(kPlacementRestoreToMaximized == WPF_RESTORETOMAXIMIZED &&
              kPlacementAsync == WPF_ASYNCWINDOWPLACEMENT);
static_assert(kExToolWindow == WS_EX_TOOLWINDOW && kExAppWindow == WS_EX_APPWINDOW &&
              kExNoActivate == WS_EX_NOACTIVATE);
static_assert(kIntegrityLow == SECURITY_MANDATORY_LOW_RID &&
              kIntegrityMedium == SECURITY_MANDATORY_MEDIUM_RID &&
              kIntegrityHigh == SECURITY_MANDATORY_HIGH_RID);

namespace {

BOOL CALLBACK CollectWindowProc(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<WindowHandle>*>(context)->push_back(FromHwnd(window));
  return TRUE;  // never stop early: the collection decides what to keep
}

// dwmapi, loaded on first use: where it is absent, or a call fails, the
// windows read as neither cloaked nor framed by an invisible border.
HRESULT DwmAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
  using Get = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  static const Get get = [] {
    HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    FARPROC found = dwm ? GetProcAddress(dwm, "DwmGetWindowAttribute") : nullptr;
    return reinterpret_cast<Get>(reinterpret_cast<void*>(found));
  }();
  return get ? get(window, attribute, value, size) : E_NOTIMPL;
}

// The 128-character buffers of the collection: at most 127 characters.
constexpr int kTextBuffer = 128;

// The mandatory integrity level of a process: the last part of its token's
// label SID. Kernel calls only, nothing that waits on the process.
std::optional<std::uint32_t> ProcessIntegrity(HANDLE process) {
  UniqueKernelHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.put())) return std::nullopt;
  union {
    TOKEN_MANDATORY_LABEL label;
    BYTE with_sid[128];  // the label's SID follows it
  } buffer{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenIntegrityLevel, &buffer, sizeof buffer, &size)) {
    return std::nullopt;
  }
  const PSID sid = buffer.label.Label.Sid;
  if (!IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
  return static_cast<std::uint32_t>(*GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1));
}

}  // namespace

std::vector<WindowHandle> Win32Windows::TopLevelWindows() {
  std::vector<WindowHandle> handles;
  EnumWindows(CollectWindowProc, reinterpret_cast<LPARAM>(&handles));
  return handles;
}

WindowInfo Win32Windows::Describe(WindowHandle handle) {
  const HWND window = ToHwnd(handle);
  WindowInfo info;
  wchar_t class_name[kTextBuffer] = {};
  GetClassNameW(window, class_name, kTextBuffer);
  info.class_name = Narrow(class_name);
  // InternalGetWindowText reads the stored caption and never sends a
  // message, so a hung program cannot stall the collection here.
  wchar_t title[kTextBuffer] = {};
  InternalGetWindowText(window, title, kTextBuffer);
  info.title = Narrow(title);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  info.show_command = static_cast<int>(placement.showCmd);
  RECT rect{};
  GetWindowRect(window, &rect);
  info.rect = Rect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  info.visible = IsWindowVisible(window) == TRUE;
  DWORD cloaked = 0;
  info.cloaked =
      SUCCEEDED(DwmAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
  return info;
}

FrameMargins Win32Windows::InvisibleBorder(WindowHandle handle) {
  const HWND window = ToHwnd(handle);
  RECT frame{}, seen{};
  if (!GetWindowRect(window, &frame) ||
      FAILED(DwmAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &seen, sizeof seen))) {
    return {};
  }
  const FrameMargins border{seen.left - frame.left, seen.top - frame.top, frame.right - seen.right,
                            frame.bottom - seen.bottom};
  // Only a border inside the window's rectangle, and no wider than a resize
  // border ever is; anything else is no invisible border.
  for (const int side : {border.left, border.top, border.right, border.bottom}) {
    if (side < 0 || side > 32) return {};
  }
  return border;
}

Rect Win32Windows::WorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

Placement Win32Windows::GetPlacement(WindowHandle handle) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(ToHwnd(handle), &wp);
  return Placement{wp.flags,
                   wp.showCmd,
                   wp.ptMinPosition.x,
                   wp.ptMinPosition.y,
                   wp.ptMaxPosition.x,
                   wp.ptMaxPosition.y,
                   wp.rcNormalPosition.left,
                   wp.rcNormalPosition.top,
                   wp.rcNormalPosition.right,
                   wp.rcNormalPosition.bottom};
}

void Win32Windows::SetPlacement(WindowHandle handle, const Placement& p) {
  const HWND window = ToHwnd(handle);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  wp.flags = p.flags;
  wp.showCmd = p.show_command;
  wp.ptMinPosition = POINT{p.min_x, p.min_y};
  wp.ptMaxPosition = POINT{p.max_x, p.max_y};
  wp.rcNormalPosition = RECT{p.normal_left, p.normal_top, p.normal_right, p.normal_bottom};
  // Wine writes no placement of another process's window, but shows it as
  // asked; the show command is queued to the window's thread all the same.
  if (!SetWindowPlacement(window, &wp)) ShowWindowAsync(window, static_cast<int>(p.show_command));
}

bool Win32Windows::IsSnapped(WindowHandle handle) {
  // IsWindowArranged came with Windows 10; where user32 has none, there is
  // no snapping to know of.
  using Arranged = BOOL(WINAPI*)(HWND);
  static const Arranged arranged = [] {
    FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "IsWindowArranged");
    return reinterpret_cast<Arranged>(reinterpret_cast<void*>(found));
  }();
  return arranged && arranged(ToHwnd(handle));
}

std::uint32_t Win32Windows::ExtendedStyle(WindowHandle handle) {
  return static_cast<std::uint32_t>(GetWindowLongPtrW(ToHwnd(handle), GWL_EXSTYLE));
}

std::optional<std::uint32_t> Win32Windows::Integrity(WindowHandle handle) {
  DWORD process_id = 0;
  if (!GetWindowThreadProcessId(ToHwnd(handle), &process_id)) return std::nullopt;
  const UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  return process ? ProcessIntegrity(process.get()) : std::nullopt;
}

std::optional<std::uint32_t> Win32Windows::OwnIntegrity() {
  static const std::optional<std::uint32_t> own = ProcessIntegrity(GetCurrentProcess());
  return own;
}

void Win32Windows::Move(WindowHandle handle, const Rect& r) {
  // Same geometry as MoveWindow with repaint, but queued to the window's own
  // thread instead of waiting for it.
  SetWindowPos(ToHwnd(handle), nullptr, r.left, r.top, r.width, r.height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void Win32Windows::PlaceBelow(WindowHandle handle, WindowHandle above) {
  SetWindowPos(ToHwnd(handle), ToHwnd(above), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void Win32Windows::PostClose(WindowHandle handle) {
  PostMessageW(ToHwnd(handle), WM_CLOSE, 0, 0);
}

void Win32Windows::Minimize(WindowHandle handle) {
  ShowWindowAsync(ToHwnd(handle), SW_MINIMIZE);
}

void Win32Windows::Restore(WindowHandle handle) {
  ShowWindowAsync(ToHwnd(handle), SW_RESTORE);
}

bool Win32Windows::Exists(WindowHandle handle) {
  return IsWindow(ToHwnd(handle)) == TRUE;
}

bool Win32Windows::IsMinimized(WindowHandle handle) {
  return IsIconic(ToHwnd(handle)) == TRUE;
}

std::unique_ptr<ThreadSettingScope> Win32Windows::MonitorPixels() {
  return std::make_unique<ScopedPerMonitorDpi>();
}

int Win32Windows::MonitorDpi(const Rect& r) {
  // Without per-monitor awareness every rectangle here is in the system's
  // scale, and the monitors' own DPIs would compare the wrong things.
  if (!HasThreadDpiAwareness()) return 0;
  const RECT rect{r.left, r.top, r.right(), r.bottom()};
  return win32::MonitorDpi(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

void Win32Windows::AwaitWindows(const std::vector<WindowHandle>& windows, int time_limit_ms) {
  // A message sent to a window is handled after the moves queued to it
  // before; the time limit is for all of them together, and a hung program
  // is given up on at once.
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(time_limit_ms);
  for (const WindowHandle window : windows) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(ToHwnd(window), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                        static_cast<UINT>(deadline - now), &result);
  }
}

namespace {

// The caller falls back on its own way when this fails; the log says why.
template <typename Call>
bool WithShellDispatch(const char* what, Call call) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellDispatch* shell = nullptr;
  HRESULT result =
      CoCreateInstance(CLSID_Shell, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                       IID_IShellDispatch, reinterpret_cast<void**>(&shell));
  if (FAILED(result) || !shell) {
    devlog::Failure("CoCreateInstance", "Shell.Application", static_cast<unsigned long>(result));
  } else {
    result = call(shell);
    shell->Release();
    if (FAILED(result)) devlog::Failure(what, {}, static_cast<unsigned long>(result));
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return shell && SUCCEEDED(result);
}

}  // namespace

bool Win32Shell::MinimizeAll() {
  return WithShellDispatch("MinimizeAll",
                           [](IShellDispatch* shell) { return shell->MinimizeAll(); });
}

bool Win32Shell::UndoMinimizeAll() {
  return WithShellDispatch("UndoMinimizeALL",
                           [](IShellDispatch* shell) { return shell->UndoMinimizeALL(); });
}

bool Win32Shell::Open(const std::string& target, WindowHandle owner) {
  return OpenWithShell(target, owner, true);
}

bool OpenWithShell(const std::string& target, WindowHandle owner, bool quiet) {
  // The thread has COM initialised (apartment-threaded), which the shell's
  // handlers may need.
  const std::wstring file = Widen(target);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = quiet ? SEE_MASK_FLAG_NO_UI : 0;
  info.hwnd = ToHwnd(owner);
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) return true;
  devlog::Failure("ShellExecuteExW", target, GetLastError());
  return false;
}

}  // namespace banchiro::win32
