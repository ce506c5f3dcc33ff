#pragma once

#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// What the start-up sequence decided, for the entry point to act on.
struct StartupResult {
  bool ended = false;  // the newer-settings guard ended the program
  bool palette_at_startup = false;
};

// The start-up sequence: the program's folder becomes the current folder,
// then the settings are loaded into `settings`.
StartupResult RunStartup(Platform& platform, Settings& settings);

}  // namespace banchiro
