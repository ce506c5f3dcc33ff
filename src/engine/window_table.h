#pragma once

#include <vector>

#include "platform/window_system.h"

namespace banchiro {

inline constexpr int kMaxWindows = 20;

// One request's windows: row 1 (index 0) is the topmost kept window.
struct WindowRow {
  WindowHandle handle = 0;
};
using WindowTable = std::vector<WindowRow>;

}  // namespace banchiro
