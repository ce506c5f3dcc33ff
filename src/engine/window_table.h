#pragma once

#include <string>
#include <vector>

#include "common/rect.h"
#include "platform/window_system.h"

namespace banchiro {

inline constexpr int kMaxWindows = 20;

// One request's windows: row 1 (index 0) is the topmost kept window.
struct WindowRow {
  WindowHandle handle = 0;
  Rect target;
};
using WindowTable = std::vector<WindowRow>;

// A handle as the registry record holds it: the signed 32-bit value in
// decimal (window handles carry 32 significant bits, also in 64-bit Windows).
std::string HandleText(WindowHandle handle);
// The handle a stored text names; 0 for empty or non-numeric text.
WindowHandle HandleFromText(const std::string& text);

}  // namespace banchiro
