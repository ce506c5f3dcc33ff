#pragma once

#include <vector>

#include "common/rect.h"

namespace banchiro {

// The primary screen's size. The program's own windows are measured in
// twips (1/1440 inch), so the twips per pixel (1440 / DPI) come with it.
struct ScreenMetrics {
  int width_px = 0;
  int height_px = 0;
  double twips_per_pixel_x = 15.0;
  double twips_per_pixel_y = 15.0;

  double width_twips() const { return width_px * twips_per_pixel_x; }
  double height_twips() const { return height_px * twips_per_pixel_y; }

  // Twips to whole pixels, to the nearest (an exact half to the even one).
  int XPixels(double twips) const;
  int YPixels(double twips) const;
  double XTwips(int pixels) const { return pixels * twips_per_pixel_x; }
  double YTwips(int pixels) const { return pixels * twips_per_pixel_y; }
  // Dots per inch, and the pixel height of a font of this many points.
  int Dpi() const;
  int FontPixels(double points) const;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ScreenMetrics Metrics() = 0;
  // The work area of every monitor, in pixels on the virtual screen.
  virtual std::vector<Rect> WorkAreas() = 0;
};

// Where one of the program's windows opens (place and size in twips): where
// it was, when that shows on some work area; otherwise (its monitor has
// gone) wholly inside the nearest work area.
TwipsPoint OntoAWorkArea(const TwipsRect& window, const ScreenMetrics& screen,
                         const std::vector<Rect>& work_areas);

}  // namespace banchiro
