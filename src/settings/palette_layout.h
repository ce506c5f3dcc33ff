#pragma once

namespace banchiro {

// The function-key palette's layout constants in twips (font sizes in
// points). The column is chosen once at load by the screen width: screens
// wider than 19200 twips (1280 px at 96 DPI) get the large tiles.
struct PaletteLayout {
  int gap;               // g: between neighbouring tiles; group gaps are 2 g
  int tile_width;        // w: both labels of a slot
  int name_font_points;  // Label1
  int name_top;
  int name_height;
  int key_font_points;  // Label2
  int key_top;
  int key_height;
};

inline constexpr int kPaletteSlots = 12;
inline constexpr int kPaletteHeightTwips = 705;
inline constexpr double kPaletteSmallLayoutMaxWidthTwips = 19200;

PaletteLayout PaletteLayoutFor(double screen_width_twips);

// 12 w + 13 g: the last tile ends exactly at the palette's right edge.
int PaletteWidthTwips(const PaletteLayout& layout);

// The palette's outer size, computable before its window exists.
struct PaletteSize {
  double width_twips = 0;
  double height_twips = 0;
};
PaletteSize PaletteOuterSize(double screen_width_twips);

}  // namespace banchiro
