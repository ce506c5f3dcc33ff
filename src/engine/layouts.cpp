#include "engine/layouts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/numbers.h"
#include "settings/setting_values.h"

namespace banchiro {
namespace {

// Clamped conversion for sums of int32 values that may overflow.
std::int32_t Clamp(double value) {
  return RoundToInt32(value);
}

using M = DisplayMethod;

// The cascades: windows of one size, one step apart from the corner.
std::vector<Rect> Cascade(DisplayMethod corner, int n, const LayoutInputs& in) {
  const double right = in.work_area.right();
  const double bottom = in.work_area.bottom();
  const double k = in.cascade_divisor;
  const std::int32_t wc = Clamp(right / k);
  const std::int32_t hc = Clamp(bottom / k);
  std::vector<Rect> rows(n);
  for (int slot = 1; slot <= n; ++slot) {
    const double step_x = static_cast<double>(slot - 1) * in.dx;
    const double step_y = static_cast<double>(slot - 1) * in.dy;
    const double from_left = static_cast<double>(in.work_area.left) + in.gap_left + step_x;
    const double from_right = right - wc - step_x - in.gap_right;
    const double from_top = static_cast<double>(in.work_area.top) + in.gap_top + step_y;
    const double from_bottom = bottom - hc - step_y - in.gap_bottom;
    // The top corners put the bottom-most window at the corner, so that the
    // topmost one ends up in front at the far end; the bottom corners start
    // with the topmost window.
    const bool top_corner = corner == M::kCascadeFromTopLeft || corner == M::kCascadeFromTopRight;
    const int row = top_corner ? n + 1 - slot : slot;
    const bool left_corner =
        corner == M::kCascadeFromTopLeft || corner == M::kCascadeFromBottomLeft;
    rows[row - 1] = Rect{Clamp(left_corner ? from_left : from_right),
                         Clamp(top_corner ? from_top : from_bottom), wc, hc};
  }
  return rows;
}

// The area the tilings fill, and its parts as the ratios split it: the left
// part takes rL/20 of the width and the upper part rT/20 of the height,
// whichever window stands there.
struct TiledArea {
  double gl, gt, wt, ht;  // left, top, width and height
  Rect left, right, top, bottom;
  Rect top_left, top_right, bottom_left, bottom_right;
};

Rect R(double left, double top, double width, double height) {
  return Rect{Clamp(left), Clamp(top), Clamp(width), Clamp(height)};
}

TiledArea AreaToTile(const LayoutInputs& in) {
  // The tilings measure their gaps from the screen origin, not from the
  // work area's left/top.
  const double gl = in.gap_left, gt = in.gap_top;
  const double wt = static_cast<double>(in.work_area.right()) - in.gap_left - in.gap_right;
  const double ht = static_cast<double>(in.work_area.bottom()) - in.gap_top - in.gap_bottom;
  const double w1 = RoundHalfEven(static_cast<double>(in.ratio_left) * wt / 20);
  const double h1 = RoundHalfEven(static_cast<double>(in.ratio_top) * ht / 20);
  return {gl,
          gt,
          wt,
          ht,
          R(gl, gt, w1, ht),
          R(gl + w1, gt, wt - w1, ht),
          R(gl, gt, wt, h1),
          R(gl, gt + h1, wt, ht - h1),
          R(gl, gt, w1, h1),
          R(gl + w1, gt, wt - w1, h1),
          R(gl, gt + h1, w1, ht - h1),
          R(gl + w1, gt + h1, wt - w1, ht - h1)};
}

// Full width, one above the other; two windows split by the ratio.
std::vector<Rect> Stacked(int n, const TiledArea& a) {
  if (n == 2) return {a.top, a.bottom};
  std::vector<Rect> rows;
  for (int i = 1; i <= n; ++i) {
    const double q = a.ht / n;
    // The product is a single-precision value before the gap is added.
    const float offset = static_cast<float>(q * (i - 1));
    rows.push_back(R(a.gl, RoundHalfEven(a.gt + offset), a.wt, RoundHalfEven(a.ht / n)));
  }
  return rows;
}

// Full height, side by side; two windows split by the ratio.
std::vector<Rect> SideBySide(int n, const TiledArea& a) {
  if (n == 2) return {a.left, a.right};
  std::vector<Rect> rows;
  if (n == 0) return rows;
  const double w = RoundHalfEven(a.wt / n);
  for (int i = 1; i <= n; ++i)
    rows.push_back(R(a.gl + (i - 1) * w, a.gt, w, a.ht));
  return rows;
}

// Three windows: one takes a whole side, the two others share the rest.
std::vector<Rect> SplitInThree(DisplayMethod method, const TiledArea& a) {
  switch (method) {
    case M::kLeftAndStacked:
      return {a.left, a.top_right, a.bottom_right};
    case M::kRightAndStacked:
      return {a.top_left, a.bottom_left, a.right};
    case M::kTopAndSideBySide:
      return {a.top, a.bottom_left, a.bottom_right};
    default:  // kBottomAndSideBySide
      return {a.top_left, a.top_right, a.bottom};
  }
}

// Four windows in reading order.
std::vector<Rect> Grid(const TiledArea& a) {
  return {a.top_left, a.top_right, a.bottom_left, a.bottom_right};
}

}  // namespace

LayoutInputs MakeLayoutInputs(const Settings& settings, const Rect& work_area, bool windows_xp) {
  LayoutInputs in;
  in.work_area = work_area;
  in.gap_left = EdgeGap(settings, Edge::kLeft);
  in.gap_right = EdgeGap(settings, Edge::kRight);
  in.gap_top = EdgeGap(settings, Edge::kTop);
  in.gap_bottom = EdgeGap(settings, Edge::kBottom);
  in.dx = 22;
  in.dy = windows_xp ? 29 : 22;
  in.cascade_divisor = CascadeDivisor(settings);
  in.ratio_top = UpperRatio(settings);
  in.ratio_left = LeftRatio(settings);
  return in;
}

std::optional<int> FixedWindowCount(DisplayMethod method) {
  switch (method) {
    case M::kLeftAndStacked:
    case M::kRightAndStacked:
    case M::kTopAndSideBySide:
    case M::kBottomAndSideBySide:
      return 3;
    case M::kGrid:
      return 4;
    default:
      return std::nullopt;
  }
}

std::optional<std::vector<Rect>> ComputeLayout(DisplayMethod method, int n,
                                               const LayoutInputs& in) {
  if (n < 0) return std::nullopt;
  if (const auto count = FixedWindowCount(method); count && n != *count) return std::nullopt;
  switch (method) {
    case M::kCascadeFromTopLeft:
    case M::kCascadeFromTopRight:
    case M::kCascadeFromBottomRight:
    case M::kCascadeFromBottomLeft:
      return Cascade(method, n, in);
    case M::kStacked:
      return Stacked(n, AreaToTile(in));
    case M::kSideBySide:
      return SideBySide(n, AreaToTile(in));
    case M::kLeftAndStacked:
    case M::kRightAndStacked:
    case M::kTopAndSideBySide:
    case M::kBottomAndSideBySide:
      return SplitInThree(method, AreaToTile(in));
    case M::kGrid:
      return Grid(AreaToTile(in));
    case M::kMinimizeAll:
    case M::kUndo:
    case M::kCloseAll:
      break;
  }
  return std::nullopt;
}

Rect FitToArea(const Rect& target, const Rect& area) {
  Rect r = target;
  r.width = std::clamp(r.width, 1, std::max(area.width, 1));
  r.height = std::clamp(r.height, 1, std::max(area.height, 1));
  r.left = std::clamp(r.left, area.left - r.width, area.right());
  r.top = std::clamp(r.top, area.top - r.height, area.bottom());
  return r;
}

}  // namespace banchiro
