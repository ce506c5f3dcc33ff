#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace banchiro {

// The toolbar's images are 16 by 16 at 96 dpi and whole multiples of that
// above, so that their single-pixel frames stay sharp.
inline constexpr int kToolbarIconSize = 16;
inline constexpr int kMaxToolbarIconScale = 8;

// What a pixel of a toolbar picture is; the view gives each ink its colour.
// A window is drawn as an outline around a title strip and a light body; the
// topmost window of a layout has the active title, the others the inactive.
enum class IconInk : std::uint8_t {
  kClear,      // transparent: the button face shows through
  kOutline,    // window frames and dark strokes
  kBody,       // the light inside of a window
  kTitle,      // the active window's title strip
  kBackTitle,  // the title strip of a window behind the active one
  kAccent,     // arrows: minimise, undo, restart
  kAlert,      // close and power
};
inline constexpr int kIconInkCount = 7;

struct IconColour {
  std::uint8_t red = 0, green = 0, blue = 0;
};

// The colour of every ink but kClear; nothing for kClear or a value that is
// not an ink.
std::optional<IconColour> IconInkColour(IconInk ink);

struct IconPicture {
  // Row by row from the top-left pixel.
  std::array<IconInk, kToolbarIconSize * kToolbarIconSize> pixels{};

  // kClear for any point outside the picture.
  IconInk at(int x, int y) const;
};

// The picture of toolbar button 1..17; nothing for any other number. A
// display method's picture is its own layout, computed by the layout code on
// a square work area, so the image cannot disagree with what the button does.
std::optional<IconPicture> ToolbarIconPicture(int button_number);

// The whole-number enlargement of the 16-pixel pictures for a screen of this
// many dots per inch: the nearest multiple of 96 dpi, at least 1, at most
// kMaxToolbarIconScale.
int ToolbarIconScale(int dpi);

}  // namespace banchiro
