#pragma once

#include <windows.h>

#include "platform/screen.h"
#include "platform/window_system.h"

namespace banchiro::win32 {

// While it lives, the calling thread is per-monitor DPI aware (version 2
// where the system has it, else version 1): rectangles of every window and
// monitor are read and set in real pixels. The previous awareness comes
// back when it ends. Nothing changes on a system without thread DPI
// awareness (before Windows 10 1607), which then works as it always did.
class ScopedPerMonitorDpi : public ThreadSettingScope {
 public:
  ScopedPerMonitorDpi();
  ~ScopedPerMonitorDpi() override;
  ScopedPerMonitorDpi(const ScopedPerMonitorDpi&) = delete;
  ScopedPerMonitorDpi& operator=(const ScopedPerMonitorDpi&) = delete;

 private:
  DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

// Whether this system gives threads a per-monitor DPI awareness.
bool HasThreadDpiAwareness();
// The system's DPI: what the primary monitor had when the user logged on.
int SystemDpi();
// The DPI a window works at: its monitor's for a per-monitor aware window
// (Windows 10 1607 on), the system's otherwise.
int WindowDpi(HWND window);
// A monitor's effective DPI (Windows 8.1 on); 0 where it has none of its own.
int MonitorDpi(HMONITOR monitor);
// A window's answer to WM_DPICHANGED (given its parameters) before it
// scales what it holds: it takes the place and size Windows suggests for
// the new monitor. The new DPI.
int TakeSuggestedRect(HWND window, WPARAM wparam, LPARAM lparam);
// The screen as a window at `dpi` measures its twips: the same screen, with
// that many pixels to the inch.
ScreenMetrics MetricsAt(ScreenMetrics screen, int dpi);

}  // namespace banchiro::win32
