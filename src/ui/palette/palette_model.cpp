#include "ui/palette/palette_model.h"

#include "common/numbers.h"
#include "settings/key_table.h"
#include "settings/setting_values.h"
#include "settings/settings_writer.h"

namespace banchiro {

std::array<PaletteSlot, kPaletteSlots> PaletteSlots(const PaletteLayout& l) {
  std::array<PaletteSlot, kPaletteSlots> slots;
  for (int i = 0; i < kPaletteSlots; ++i) {
    // Three groups of four, like the keys on the keyboard: the gap between
    // groups is twice the gap between neighbours.
    double left = static_cast<double>(l.gap + l.tile_width) * i;
    if (i >= 4 && i <= 7) left += l.gap;
    if (i >= 8) left += 2.0 * l.gap;
    slots[i].name = {left, static_cast<double>(l.name_top), static_cast<double>(l.tile_width),
                     static_cast<double>(l.name_height)};
    slots[i].key = {left, static_cast<double>(l.key_top), static_cast<double>(l.tile_width),
                    static_cast<double>(l.key_height)};
  }
  return slots;
}

std::array<std::string, kPaletteSlots> NameTileCaptions(const Settings& settings) {
  std::array<std::string, kPaletteSlots> captions;
  for (int n = 0; n < kMethodCount; ++n) {
    const auto key = AssignedKey(settings, n);
    if (key && MarkedForPalette(settings, n)) captions[*key - 1] = settings.Fname[n];
  }
  return captions;
}

void ReloadPaletteColours(Settings& settings, SettingsStore& store) {
  const KeyDef& key = KeyDefOf(Key::OptCol);
  SettingsWriter writer(settings, store);
  for (int i = 0; i < key.count; ++i) {
    const std::string value = ReadStored(store, Key::OptCol, i);
    if (value.empty()) {
      writer.Set(Key::OptCol, i, key.default_of({}, 0, i));
    } else {
      settings.OptCol[i] = value;
    }
  }
}

void StorePalettePosition(Settings& settings, SettingsStore& store, const TwipsPoint& place) {
  SettingsWriter writer(settings, store);
  writer.Set(Key::F_Top, FormatNumber(place.top));
  writer.Set(Key::F_Left, FormatNumber(place.left));
}

TwipsPoint PalettePosition(const Settings& settings, const ScreenMetrics& screen) {
  if (CentredAtStart(settings)) {
    const PaletteSize size = PaletteOuterSize(screen.width_twips());
    return {screen.height_twips() - 1.7 * size.height_twips,
            (screen.width_twips() - size.width_twips) / 2};
  }
  return StoredPalettePosition(settings);
}

std::vector<PixelRect> PaletteRegionRects(const PaletteLayout& layout,
                                          const ScreenMetrics& screen) {
  std::vector<PixelRect> rects;
  const auto slots = PaletteSlots(layout);
  const auto add = [&](const TwipsRect& r) {
    rects.push_back({screen.XPixels(r.left), screen.YPixels(r.top),
                     screen.XPixels(r.left + r.width), screen.YPixels(r.top + r.height)});
  };
  for (const auto& slot : slots)
    add(slot.name);
  for (const auto& slot : slots)
    add(slot.key);
  return rects;
}

}  // namespace banchiro
