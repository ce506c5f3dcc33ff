#pragma once

#include <functional>
#include <string_view>

#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// What the start-up sequence decided, for the entry point to act on.
struct StartupResult {
  bool ended = false;  // the newer-settings guard ended the program
  bool palette_at_startup = false;
  bool another_instance = false;  // a resident instance runs: this one ends now
};

// The start-up sequence: the program's folder becomes the current folder,
// the settings are loaded into `settings`, a method named on the command
// line is carried out, and then it is decided whether this instance stays.
// `show_splash` shows the splash and returns when it has gone; it is called
// only on a start that should show it.
StartupResult RunStartup(std::string_view command_line, Platform& platform, Settings& settings,
                         const std::function<void()>& show_splash = {});

// The splash belongs to a start after an orderly end: with OptStat still "1"
// another instance runs, or the last run did not end in order.
bool ShouldShowSplash(const Settings& settings);

}  // namespace banchiro
