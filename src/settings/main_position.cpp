#include "settings/main_position.h"

#include "common/numbers.h"

namespace banchiro {

void StoreMainWindowPosition(Settings& settings, SettingsStore& store, const TwipsPoint& place) {
  // Single precision, as the window's own coordinates were kept.
  settings.S_Top = FormatSingle(static_cast<float>(place.top));
  settings.S_Left = FormatSingle(static_cast<float>(place.left));
  WriteTwice(store, kSectionPosition, "S_Top", settings.S_Top);
  WriteTwice(store, kSectionPosition, "S_Left", settings.S_Left);
}

}  // namespace banchiro
