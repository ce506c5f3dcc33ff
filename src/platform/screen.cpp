#include "platform/screen.h"

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

}  // namespace banchiro
