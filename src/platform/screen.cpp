#include "platform/screen.h"

#include <algorithm>
#include <cstdint>

#include "common/numbers.h"

namespace banchiro {

int ScreenMetrics::XPixels(double twips) const {
  return TwipsToPixels(twips, twips_per_pixel_x);
}

int ScreenMetrics::YPixels(double twips) const {
  return TwipsToPixels(twips, twips_per_pixel_y);
}

int ScreenMetrics::Dpi() const {
  return TwipsToPixels(1440.0, twips_per_pixel_y);
}

int ScreenMetrics::FontPixels(double points) const {
  return TwipsToPixels(points * 20.0, twips_per_pixel_y);
}

TwipsPoint OntoAWorkArea(const TwipsRect& window, const ScreenMetrics& screen,
                         const std::vector<Rect>& work_areas) {
  const Rect w{screen.XPixels(window.left), screen.YPixels(window.top),
               screen.XPixels(window.width), screen.YPixels(window.height)};
  const auto gap = [&w](const Rect& a) {
    const std::int64_t dx = std::max({0, a.left - w.right(), w.left - a.right()});
    const std::int64_t dy = std::max({0, a.top - w.bottom(), w.top - a.bottom()});
    return dx * dx + dy * dy;
  };
  const Rect* nearest = nullptr;
  for (const Rect& area : work_areas) {
    const bool shows = w.left < area.right() && area.left < w.right() && w.top < area.bottom() &&
                       area.top < w.bottom();
    if (shows) return {window.top, window.left};
    if (!nearest || gap(area) < gap(*nearest)) nearest = &area;
  }
  if (!nearest) return {window.top, window.left};
  const int left =
      std::clamp(w.left, nearest->left, std::max(nearest->left, nearest->right() - w.width));
  const int top =
      std::clamp(w.top, nearest->top, std::max(nearest->top, nearest->bottom() - w.height));
  return {screen.YTwips(top), screen.XTwips(left)};
}

}  // namespace banchiro
