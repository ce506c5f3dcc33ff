#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/rect.h"
#include "common/window_handle.h"

namespace banchiro {

// The show commands and placement flags the engine looks at.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowNoActivate = 4;  // normal again, not activated
inline constexpr std::uint32_t kPlacementRestoreToMaximized = 2;
inline constexpr std::uint32_t kPlacementAsync = 4;

// The extended styles the collection looks at.
inline constexpr std::uint32_t kExToolWindow = 0x00000080;
inline constexpr std::uint32_t kExAppWindow = 0x00040000;
inline constexpr std::uint32_t kExNoActivate = 0x08000000;

// Mandatory integrity levels, as the last part of a token's label SID.
inline constexpr std::uint32_t kIntegrityLow = 0x1000;
inline constexpr std::uint32_t kIntegrityMedium = 0x2000;
inline constexpr std::uint32_t kIntegrityHigh = 0x3000;

// What the collection reads of a window. Class name and title are cut to
// 127 characters, as the fixed 128-character buffers they are read into.
struct WindowInfo {
  std::string class_name;
  std::string title;
  bool visible = false;
  int show_command = 0;
  Rect rect;  // outer window rectangle, screen pixels
  // Shown by nobody although "visible": a suspended Store app, a window on
  // another virtual desktop.
  bool cloaked = false;
};

// The part of a window's rectangle the system draws nothing in, in pixels
// (Windows 10/11's invisible resize border); all 0 where there is none.
struct FrameMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// A window's placement record. The engine changes only flags and show
// command; the rest travels back unchanged.
struct Placement {
  std::uint32_t flags = 0;
  std::uint32_t show_command = 0;
  std::int32_t min_x = 0, min_y = 0, max_x = 0, max_y = 0;
  std::int32_t normal_left = 0, normal_top = 0, normal_right = 0, normal_bottom = 0;
};

// Holds a setting of the calling thread for as long as it lives, and puts
// back what was there before when it ends.
class ThreadSettingScope {
 public:
  virtual ~ThreadSettingScope() = default;
};

// The desktop's windows, as the arrangement sees and changes them. Nothing
// here waits on another program: a hung program must never stall an
// arrangement.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Every top-level window, topmost first.
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  // What the collection reads; a window that is gone reads as invisible with
  // no class.
  virtual WindowInfo Describe(WindowHandle window) = 0;
  // Work area of the primary display (left, top, width, height).
  virtual Rect WorkArea() = 0;
  virtual Placement GetPlacement(WindowHandle window) = 0;
  // Written as its flags say (with kPlacementAsync without waiting for the
  // window's program); where the placement of another program's window
  // cannot be written, its show command is still carried out.
  virtual void SetPlacement(WindowHandle window, const Placement& placement) = 0;
  // Whether the system holds the window snapped to a side or a corner: it
  // then brings back another size when the window is dragged.
  virtual bool IsSnapped(WindowHandle window) = 0;
  // The WS_EX_ bits.
  virtual std::uint32_t ExtendedStyle(WindowHandle window) = 0;
  // The integrity level of the window's process, and of this process;
  // nothing where the token cannot be read.
  virtual std::optional<std::uint32_t> Integrity(WindowHandle window) = 0;
  virtual std::optional<std::uint32_t> OwnIntegrity() = 0;
  // Moves and sizes the window with repaint, without changing the Z-order or
  // activating it; a window that does not answer takes its place when it wakes.
  virtual void Move(WindowHandle window, const Rect& rect) = 0;
  // Puts the window just below `above` in the Z-order, without activating
  // it or waiting for its program.
  virtual void PlaceBelow(WindowHandle window, WindowHandle above) = 0;
  virtual FrameMargins InvisibleBorder(WindowHandle window) = 0;
  virtual void PostClose(WindowHandle window) = 0;
  virtual void Minimize(WindowHandle window) = 0;
  virtual void Restore(WindowHandle window) = 0;
  virtual bool Exists(WindowHandle window) = 0;
  virtual bool IsMinimized(WindowHandle window) = 0;

  // Held for one arrangement: until it ends, every rectangle read or
  // written here is in its monitor's own pixels, whatever scale that
  // monitor has (nothing changes where the system knows one scale only).
  virtual std::unique_ptr<ThreadSettingScope> MonitorPixels() = 0;
  // The DPI of the monitor holding the largest part of the rectangle (the
  // nearest one when none holds it); 0 where monitors have no scale of their
  // own.
  virtual int MonitorDpi(const Rect& rect) = 0;
  // Gives the programs of these windows, all together, until the time limit
  // to handle what was sent to them (a move, and the DPI change a move to
  // another monitor brings); returns as soon as all have.
  virtual void AwaitWindows(const std::vector<WindowHandle>& windows, int time_limit_ms) = 0;
};

// The shell: its own minimise-all and its undo, false when the shell cannot
// do them (no shell object, or the call failed), and opening what it has a
// program registered for.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool MinimizeAll() = 0;
  virtual bool UndoMinimizeAll() = 0;
  // Opens a link, an address or a file with the program the shell has
  // registered for it ("open"), as `owner`'s; false when none is registered
  // or it could not be started. The shell then shows no error of its own:
  // the caller tells the user.
  virtual bool Open(const std::string& target, WindowHandle owner) = 0;
};

}  // namespace banchiro
