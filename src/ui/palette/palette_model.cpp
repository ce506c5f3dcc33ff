#include "ui/palette/palette_model.h"

#include "common/numbers.h"

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

std::string KeyTileCaption(int slot) {
  static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
  const int key = slot + 1;
  if (key < 1 || key > 12) return {};
  return std::string("Ctrl＋Ｆ") + (key <= 9 ? kDigits[key - 1] : std::to_string(key).c_str());
}

std::array<std::string, kPaletteSlots> NameTileCaptions(const Settings& settings) {
  std::array<std::string, kPaletteSlots> captions;
  for (int n = 0; n < kMethodCount; ++n) {
    const std::string& key = settings.Fkey[n];
    const std::string& shown = settings.FkeyDisp[n];
    if (key.empty() || key == "0" || shown.empty() || shown == "0") continue;
    const double k = LeadingNumber(key);
    if (!(k >= 1 && k <= kPaletteSlots)) continue;
    captions[static_cast<int>(k) - 1] = settings.Fname[n];
  }
  return captions;
}

std::uint32_t ColourValue(const std::string& text) {
  const double value = LeadingNumber(text);
  if (!(value >= 0 && value <= 0xFFFFFF)) return 0;
  return static_cast<std::uint32_t>(RoundHalfEven(value));
}

TwipsPoint PalettePosition(const Settings& settings, const ScreenMetrics& screen) {
  if (IsOn(settings.OptCent)) {
    const PaletteSize size = PaletteOuterSize(screen.width_twips());
    return {screen.height_twips() - 1.7 * size.height_twips,
            (screen.width_twips() - size.width_twips) / 2};
  }
  return {LeadingNumber(settings.F_Top), LeadingNumber(settings.F_Left)};
}

std::vector<PixelRect> PaletteRegionRects(const PaletteLayout& layout, double tppx, double tppy) {
  std::vector<PixelRect> rects;
  const auto slots = PaletteSlots(layout);
  const auto add = [&](const TwipsRect& r) {
    rects.push_back({RoundToInt32(r.left / tppx), RoundToInt32(r.top / tppy),
                     RoundToInt32((r.left + r.width) / tppx),
                     RoundToInt32((r.top + r.height) / tppy)});
  };
  for (const auto& slot : slots)
    add(slot.name);
  for (const auto& slot : slots)
    add(slot.key);
  return rects;
}

}  // namespace banchiro
