#include "platform/win32/win32_monitors.h"

#include <windows.h>

namespace banchiro::win32 {
namespace {

Rect ToRect(const RECT& r) {
  return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Describe(HMONITOR handle, Monitor& monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!handle || !GetMonitorInfoW(handle, &info)) return false;
  monitor = {ToRect(info.rcMonitor), ToRect(info.rcWork),
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  return true;
}

// The primary screen as the older calls see it, where no monitor answers.
Monitor PrimaryScreen() {
  const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT work{};
  const bool known = SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {screen, known ? ToRect(work) : screen, true};
}

}  // namespace

std::vector<Monitor> Win32Monitors::All() {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR handle, HDC, LPRECT, LPARAM context) -> BOOL {
        auto& list = *reinterpret_cast<std::vector<Monitor>*>(context);
        Monitor monitor;
        if (!Describe(handle, monitor)) return TRUE;
        // The primary one first, the others in the system's order.
        list.insert(monitor.primary ? list.begin() : list.end(), monitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(PrimaryScreen());
  return monitors;
}

Monitor Win32Monitors::At(const ScreenPoint& point) {
  Monitor monitor;
  if (Describe(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST), monitor)) {
    return monitor;
  }
  return PrimaryScreen();
}

ScreenPoint Win32Monitors::Pointer() {
  POINT at{};
  GetCursorPos(&at);
  return {at.x, at.y};
}

}  // namespace banchiro::win32
