#pragma once

#include <string>

#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// Every arrangement request ends here: collect the windows, lay them out and
// move them (0..10), minimise all or undo it (11, 12), or close them all
// (13). Other numbers do nothing. Settings are read at the time of the call.
void ArrangeWindows(int method, Platform& platform, const Settings& settings);

}  // namespace banchiro
