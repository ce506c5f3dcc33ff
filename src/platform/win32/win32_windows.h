#pragma once

#include "platform/window_system.h"

namespace banchiro::win32 {

// Other programs' top-level windows through user32. No call here waits on
// another program without a time limit: moves are asynchronous, closing is a
// posted message, and a placement with the asynchronous flag is queued.
class Win32Windows : public WindowSystem {
 public:
  std::vector<WindowHandle> TopLevelWindows() override;
  WindowInfo Describe(WindowHandle window) override;
  Rect WorkArea() override;
  Placement GetPlacement(WindowHandle window) override;
  void SetPlacement(WindowHandle window, const Placement& placement) override;
  bool IsSnapped(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  std::optional<std::uint32_t> Integrity(WindowHandle window) override;
  std::optional<std::uint32_t> OwnIntegrity() override;
  void Move(WindowHandle window, const Rect& rect) override;
  void PlaceBelow(WindowHandle window, WindowHandle above) override;
  FrameMargins InvisibleBorder(WindowHandle window) override;
  void PostClose(WindowHandle window) override;
  void Minimize(WindowHandle window) override;
  void Restore(WindowHandle window) override;
  bool Exists(WindowHandle window) override;
  bool IsMinimized(WindowHandle window) override;
  std::unique_ptr<ThreadSettingScope> MonitorPixels() override;
  int MonitorDpi(const Rect& rect) override;
  void AwaitWindows(const std::vector<WindowHandle>& windows, int time_limit_ms) override;
};

// The shell: its automation object (Shell.Application), created for each
// call on a thread with COM initialised for the call's duration, and its
// "open" verb.
class Win32Shell : public Shell {
 public:
  bool MinimizeAll() override;
  bool UndoMinimizeAll() override;
  bool Open(const std::string& target, WindowHandle owner) override;
};

// Opens `target` with the shell's "open" verb, as `owner`'s (0 for none):
// the shell's own dialogs (which program? not found) come over that window.
// With `quiet` the shell shows no error, for a caller that tells the user
// itself. True when a program took it.
bool OpenWithShell(const std::string& target, WindowHandle owner, bool quiet);

}  // namespace banchiro::win32
