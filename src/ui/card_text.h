#pragma once

#include <cstdint>
#include <string>

namespace banchiro {

// A text drawn on a title card (the splash, the version dialog): transparent,
// on one line, with an optional black shadow offset behind it.
struct CardText {
  std::string text;
  const char* face;
  double points;
  bool bold;
  std::uint32_t colour;                 // 0x00BBGGRR
  double left, top, width, height;      // twips in the client area; width 0: the text's own
  double shadow_dx = 0, shadow_dy = 0;  // twips; both 0: no shadow
};

inline constexpr std::uint32_t kCardYellow = 0x00FFFF;
inline constexpr std::uint32_t kCardLightYellow = 0xC0FFFF;  // red 255, green 255, blue 192
inline constexpr std::uint32_t kCardGrey = 0x808080;

}  // namespace banchiro
