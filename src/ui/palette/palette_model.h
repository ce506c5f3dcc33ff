#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/screen.h"
#include "platform/settings_store.h"
#include "settings/setting_values.h"
#include "settings/palette_layout.h"

namespace banchiro {

inline constexpr const char* kPaletteCaption = "ファンクションキー";
inline constexpr const char* kPaletteFontFace = "ＭＳ Ｐゴシック";

// Slot i (0..11) stands for Ctrl+F(i+1): a name tile above a key tile.
struct PaletteSlot {
  TwipsRect name;  // Label1(i)
  TwipsRect key;   // Label2(i)
};
std::array<PaletteSlot, kPaletteSlots> PaletteSlots(const PaletteLayout& layout);

// The name tiles' captions: the palette name of the method on each key when
// that method is marked for the palette; the higher method wins a shared
// key, and a method without a key is shown nowhere.
std::array<std::string, kPaletteSlots> NameTileCaptions(const Settings& settings);

// Takes both colours (OptCol) afresh from the store into the record: a colour
// that only lives in memory, never saved, is not the user's choice and gives
// way to the stored one; one that is not stored gets its default, written.
void ReloadPaletteColours(Settings& settings, SettingsStore& store);

// Stores where the palette stands as F_Top/F_Left, in the record too: a
// palette opened again in this run (after a save of the function-key tab)
// stays where the user left it.
void StorePalettePosition(Settings& settings, SettingsStore& store, const TwipsPoint& place);

// The palette's top/left in twips when it loads: centred near the bottom of
// the screen with OptCent "1", otherwise the stored F_Top/F_Left.
TwipsPoint PalettePosition(const Settings& settings, const ScreenMetrics& screen);

// Pixel rectangles (left, top, right, bottom) whose union is the palette's
// visible shape: every tile, in control order (name tiles, then key tiles).
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
std::vector<PixelRect> PaletteRegionRects(const PaletteLayout& layout, const ScreenMetrics& screen);

}  // namespace banchiro
