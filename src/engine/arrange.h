#pragma once

#include <optional>
#include <string>

#include "common/display_methods.h"
#include "common/rect.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// Every arrangement request ends here: collect the windows, lay them out and
// move them (the cascades and tilings), minimise all or undo it, or close
// them all. A value that names no method does nothing. Settings are read at
// the time of the call. With the monitor under the pointer chosen, `from`
// (the bar's rectangle, for a request from the bar) stands for the pointer.
void ArrangeWindows(DisplayMethod method, Platform& platform, const Settings& settings,
                    const std::optional<Rect>& from = std::nullopt);

}  // namespace banchiro
