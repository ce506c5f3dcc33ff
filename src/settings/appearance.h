#pragma once

#include "platform/system_info.h"
#include "settings/settings.h"

namespace banchiro {

// Takes the current appearance scheme's name into the record; leaves the
// name as it was when Windows has none or it cannot be read.
void ReadAppearanceScheme(Settings& settings, SystemInfo& system);

}  // namespace banchiro
