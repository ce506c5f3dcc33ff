#pragma once

#include <string>

#include "common/display_methods.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// Every arrangement request ends here: collect the windows, lay them out and
// move them (the cascades and tilings), minimise all or undo it, or close
// them all. A value that names no method does nothing. Settings are read at
// the time of the call.
void ArrangeWindows(DisplayMethod method, Platform& platform, const Settings& settings);

}  // namespace banchiro
