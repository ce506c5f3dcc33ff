#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/display_methods.h"
#include "common/rect.h"
#include "settings/settings.h"

namespace banchiro {

// Everything a layout depends on, gathered once per request.
struct LayoutInputs {
  Rect work_area;  // left/top and exclusive right()/bottom()
  std::int16_t gap_left = 70, gap_right = 70, gap_top = 70, gap_bottom = 70;
  int dx = 22, dy = 22;          // cascade step
  float cascade_divisor = 2.4f;  // K
  float ratio_top = 12;          // rT, twentieths of the height for the upper part
  float ratio_left = 8;          // rL, twentieths of the width for the left part
};

// The inputs from the settings record. A stored value that would make the
// cascade divisor zero or not finite, or an edge gap that does not fit in
// 16 bits, is replaced by its default for this request (K = 2.4, gap 70).
LayoutInputs MakeLayoutInputs(const Settings& settings, const Rect& work_area, bool windows_xp);

// The one window count a layout works for, where it works for only one:
// three for the tilings that split the area into three, four for the grid.
std::optional<int> FixedWindowCount(DisplayMethod method);

// Target rectangles for rows 1..n (index 0 is row 1) of a cascade or tiling,
// or nothing when the method does not apply to n windows (see
// FixedWindowCount) or is not a layout at all.
std::optional<std::vector<Rect>> ComputeLayout(DisplayMethod method, int n, const LayoutInputs& in);

// A computed rectangle as a window may take it: at least a pixel and at most
// the work area in each direction, and no further outside the work area
// than its own size. A layout of settings the dialog can make is unchanged.
Rect FitToArea(const Rect& target, const Rect& work_area);

}  // namespace banchiro
