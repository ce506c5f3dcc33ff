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

std::vector<Rect> Cascade(int method, int n, const LayoutInputs& in) {
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
    const bool top_corner = method == 0 || method == 1;
    const int row = top_corner ? n + 1 - slot : slot;
    const bool left_corner = method == 0 || method == 3;
    rows[row - 1] = Rect{Clamp(left_corner ? from_left : from_right),
                         Clamp(top_corner ? from_top : from_bottom), wc, hc};
  }
  return rows;
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

std::optional<std::vector<Rect>> ComputeLayout(int method, int n, const LayoutInputs& in) {
  if (n < 0 || method < 0 || method > 10) return std::nullopt;
  if (method <= 3) return Cascade(method, n, in);

  // The tilings measure their gaps from the screen origin, not from the
  // work area's left/top.
  const double gl = in.gap_left, gt = in.gap_top;
  const double wt = static_cast<double>(in.work_area.right()) - in.gap_left - in.gap_right;
  const double ht = static_cast<double>(in.work_area.bottom()) - in.gap_top - in.gap_bottom;
  const double w1 = RoundHalfEven(static_cast<double>(in.ratio_left) * wt / 20);
  const double h1 = RoundHalfEven(static_cast<double>(in.ratio_top) * ht / 20);
  const auto R = [](double left, double top, double width, double height) {
    return Rect{Clamp(left), Clamp(top), Clamp(width), Clamp(height)};
  };
  const Rect top_left = R(gl, gt, w1, h1);
  const Rect top_right = R(gl + w1, gt, wt - w1, h1);
  const Rect bottom_left = R(gl, gt + h1, w1, ht - h1);
  const Rect bottom_right = R(gl + w1, gt + h1, wt - w1, ht - h1);

  std::vector<Rect> rows;
  switch (method) {
    case 4:  // stacked
      if (n == 2) return std::vector<Rect>{R(gl, gt, wt, h1), R(gl, gt + h1, wt, ht - h1)};
      for (int i = 1; i <= n; ++i) {
        const double q = ht / n;
        // The product is a single-precision value before the gap is added.
        const float offset = static_cast<float>(q * (i - 1));
        rows.push_back(R(gl, RoundHalfEven(gt + offset), wt, RoundHalfEven(ht / n)));
      }
      return rows;
    case 5: {  // side by side
      if (n == 2) return std::vector<Rect>{R(gl, gt, w1, ht), R(gl + w1, gt, wt - w1, ht)};
      if (n == 0) return rows;
      const double w = RoundHalfEven(wt / n);
      for (int i = 1; i <= n; ++i)
        rows.push_back(R(gl + (i - 1) * w, gt, w, ht));
      return rows;
    }
    case 6:  // one left, two stacked right
      if (n != 3) return std::nullopt;
      return std::vector<Rect>{R(gl, gt, w1, ht), top_right, bottom_right};
    case 7:  // two stacked left, one right
      if (n != 3) return std::nullopt;
      return std::vector<Rect>{top_left, bottom_left, R(gl + w1, gt, wt - w1, ht)};
    case 8:  // one on top, two side by side below
      if (n != 3) return std::nullopt;
      return std::vector<Rect>{R(gl, gt, wt, h1), bottom_left, bottom_right};
    case 9:  // two side by side, one below
      if (n != 3) return std::nullopt;
      return std::vector<Rect>{top_left, top_right, R(gl, gt + h1, wt, ht - h1)};
    case 10:  // two-by-two grid in reading order
      if (n != 4) return std::nullopt;
      return std::vector<Rect>{top_left, top_right, bottom_left, bottom_right};
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
