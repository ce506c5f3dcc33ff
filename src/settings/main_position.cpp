#include "settings/main_position.h"

#include "common/numbers.h"
#include "settings/settings_writer.h"

namespace banchiro {

void StoreMainWindowPosition(Settings& settings, SettingsStore& store, const TwipsPoint& place) {
  // Single precision, as the window's own coordinates were kept.
  SettingsWriter writer(settings, store);
  writer.SetTwice(Key::S_Top, FormatSingle(static_cast<float>(place.top)));
  writer.SetTwice(Key::S_Left, FormatSingle(static_cast<float>(place.left)));
}

}  // namespace banchiro
