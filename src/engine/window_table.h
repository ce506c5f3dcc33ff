#pragma once

#include <vector>

#include "common/rect.h"
#include "platform/window_system.h"

namespace banchiro {

inline constexpr int kMaxWindows = 20;

// One request's windows: row 1 (index 0) is the topmost kept window.
struct WindowRow {
  WindowHandle handle = 0;
  Rect target;  // the place the request gives it
};
using WindowTable = std::vector<WindowRow>;

}  // namespace banchiro
