#pragma once

#include <cstddef>
#include <vector>

#include "common/rect.h"

namespace banchiro {

// A point on the virtual screen, in pixels.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// One display monitor: its whole area and the part of it that the taskbar
// and docked bars leave free, both in pixels on the virtual screen (a
// monitor left of or above the primary one has negative coordinates).
struct Monitor {
  Rect area;
  Rect work_area;
  bool primary = false;
};

// The monitors of the desktop, and where the pointer is.
class Monitors {
 public:
  virtual ~Monitors() = default;
  // Every monitor, the primary one first; never empty (where the system
  // names none, the primary screen stands in).
  virtual std::vector<Monitor> All() = 0;
  // The monitor holding the point, or the nearest one when none does.
  virtual Monitor At(const ScreenPoint& point) = 0;
  virtual ScreenPoint Pointer() = 0;
};

// The monitor holding the largest part of the rectangle (the first of
// equals); for a rectangle on none of them, the nearest. An index of
// `monitors`, which must not be empty.
std::size_t MonitorHolding(const std::vector<Monitor>& monitors, const Rect& rect);

}  // namespace banchiro
