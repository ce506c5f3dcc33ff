#include "platform/monitors.h"

#include <algorithm>
#include <cstdint>

namespace banchiro {
namespace {

std::int64_t Overlap(const Rect& a, const Rect& b) {
  const std::int64_t across =
      std::min<std::int64_t>(a.right(), b.right()) - std::max<std::int64_t>(a.left, b.left);
  const std::int64_t down =
      std::min<std::int64_t>(a.bottom(), b.bottom()) - std::max<std::int64_t>(a.top, b.top);
  return across > 0 && down > 0 ? across * down : 0;
}

// The squared distance between the nearest points of two rectangles.
std::int64_t Distance(const Rect& a, const Rect& b) {
  const std::int64_t dx = std::max<std::int64_t>(
      {0, std::int64_t{b.left} - a.right(), std::int64_t{a.left} - b.right()});
  const std::int64_t dy = std::max<std::int64_t>(
      {0, std::int64_t{b.top} - a.bottom(), std::int64_t{a.top} - b.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

std::size_t MonitorHolding(const std::vector<Monitor>& monitors, const Rect& rect) {
  // A window no wider or higher than nothing still stands at its corner.
  const Rect probe{rect.left, rect.top, std::max(rect.width, 1), std::max(rect.height, 1)};
  std::size_t best = 0;
  std::int64_t best_overlap = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::int64_t overlap = Overlap(probe, monitors[i].area);
    if (overlap > best_overlap) best = i, best_overlap = overlap;
  }
  if (best_overlap > 0) return best;
  for (std::size_t i = 1; i < monitors.size(); ++i) {
    if (Distance(probe, monitors[i].area) < Distance(probe, monitors[best].area)) best = i;
  }
  return best;
}

}  // namespace banchiro
