#pragma once

#include "common/rect.h"
#include "platform/settings_store.h"
#include "settings/settings.h"

namespace banchiro {

// Stores the main window's top and left (twips) as S_Top/S_Left, in the
// record and the store. Hiding the window, ending the program and ending
// the Windows session all keep the place it will reopen at.
void StoreMainWindowPosition(Settings& settings, SettingsStore& store, const TwipsPoint& place);

}  // namespace banchiro
