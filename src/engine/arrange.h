#pragma once

#include <string>

#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// "Windows 95", "Windows 98", "Windows Me", "Windows NT", "Windows 2000",
// "Windows XP" or "" for the platform's version record.
std::string GetWindowsName(const VersionRecord& version);

// Every arrangement request ends here: collect the windows, lay them out and
// move them (0..10), minimise all or undo it (11, 12), or close them all
// (13). Other numbers do nothing. Settings are read at the time of the call.
void ArrangeWindows(int method, Platform& platform, const Settings& settings);

}  // namespace banchiro
