#include "platform/win32/dpi.h"

namespace banchiro::win32 {
namespace {

// Looked up at run time: the program still starts where user32 or shcore
// lacks them.
template <typename Function>
Function Lookup(const wchar_t* module_name, const char* name) {
  HMODULE module = GetModuleHandleW(module_name);
  if (!module) module = LoadLibraryExW(module_name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  FARPROC found = module ? GetProcAddress(module, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

SetThreadContext SetThreadDpiContext() {
  static const auto set = Lookup<SetThreadContext>(L"user32.dll", "SetThreadDpiAwarenessContext");
  return set;
}

}  // namespace

ScopedPerMonitorDpi::ScopedPerMonitorDpi() {
  const SetThreadContext set = SetThreadDpiContext();
  if (!set) return;
  // Windows 10 1607 knows version 1 only and refuses version 2.
  previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (!previous_) previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

ScopedPerMonitorDpi::~ScopedPerMonitorDpi() {
  if (previous_) SetThreadDpiContext()(previous_);
}

bool HasThreadDpiAwareness() {
  return SetThreadDpiContext() != nullptr;
}

int SystemDpi() {
  int dpi = 0;
  if (HDC screen = GetDC(nullptr)) {
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
  using ForWindow = UINT(WINAPI*)(HWND);
  static const auto for_window = Lookup<ForWindow>(L"user32.dll", "GetDpiForWindow");
  const UINT dpi = for_window && window ? for_window(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
  // MDT_EFFECTIVE_DPI: the scale the user chose for the monitor.
  using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto for_monitor = Lookup<ForMonitor>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (!for_monitor || !monitor || FAILED(for_monitor(monitor, 0, &x, &y))) return 0;
  return static_cast<int>(y);
}

int TakeSuggestedRect(HWND window, WPARAM wparam, LPARAM lparam) {
  const RECT& r = *reinterpret_cast<const RECT*>(lparam);
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return HIWORD(wparam);
}

ScreenMetrics MetricsAt(ScreenMetrics screen, int dpi) {
  if (dpi > 0) screen.twips_per_pixel_x = screen.twips_per_pixel_y = 1440.0 / dpi;
  return screen;
}

}  // namespace banchiro::win32
