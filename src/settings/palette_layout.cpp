#include "settings/palette_layout.h"

namespace banchiro {

PaletteLayout PaletteLayoutFor(double screen_width_twips) {
  if (screen_width_twips > kPaletteSmallLayoutMaxWidthTwips) {
    return PaletteLayout{210, 1305, 10, 30, 405, 10, 465, 195};
  }
  return PaletteLayout{100, 1005, 8, 30, 315, 9, 370, 165};
}

int PaletteWidthTwips(const PaletteLayout& layout) {
  return kPaletteSlots * layout.tile_width + (kPaletteSlots + 1) * layout.gap;
}

PaletteSize PaletteOuterSize(double screen_width_twips) {
  return PaletteSize{static_cast<double>(PaletteWidthTwips(PaletteLayoutFor(screen_width_twips))),
                     static_cast<double>(kPaletteHeightTwips)};
}

}  // namespace banchiro
