#pragma once

#include <cstdint>

namespace banchiro {

// A rectangle in screen pixels as the portable code sees it: left/top corner
// plus width and height, signed 32-bit like the window system's coordinates.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::int32_t right() const { return left + width; }
  std::int32_t bottom() const { return top + height; }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  }
  friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

// A rectangle of one of the program's own windows or controls, in twips
// (1/1440 inch), within its parent's client area.
struct TwipsRect {
  double left = 0, top = 0, width = 0, height = 0;
};

// A place of one of the program's own windows, in twips (1/1440 inch).
struct TwipsPoint {
  double top = 0;
  double left = 0;
};

}  // namespace banchiro
