#pragma once

#include "platform/message_boxes.h"
#include "platform/monitors.h"
#include "platform/process.h"
#include "platform/processes.h"
#include "platform/screen.h"
#include "platform/settings_store.h"
#include "platform/shell_verbs.h"
#include "platform/system_info.h"
#include "platform/volatile_store.h"
#include "platform/window_system.h"

namespace banchiro {

// The services the portable code reaches the system through, borrowed from
// whoever owns them (the Win32 entry point, or a test's fakes).
struct Platform {
  SettingsStore& store;
  Screen& screen;
  MessageBoxes& message_boxes;
  Process& process;
  SystemInfo& system;
  WindowSystem& windows;
  Shell& shell;
  Processes& processes;
  Clock& clock;
  SettingsStore& relay_store;  // the relays' own settings (application KOVRAN)
  ShellVerbs& verbs;
  Monitors& monitors;
  VolatileStore& volatile_store;  // what lasts until sign-out
};

}  // namespace banchiro
