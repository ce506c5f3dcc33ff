#pragma once

#include <optional>
#include <string>

#include "common/rect.h"

#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// Every arrangement request ends here: collect the windows, lay them out and
// move them (0..10), minimise all or undo it (11, 12), or close them all
// (13). Other numbers do nothing. Settings are read at the time of the call.
// With the monitor under the pointer chosen, `from` (the bar's rectangle,
// for a request from the bar) stands for the pointer.
void ArrangeWindows(int method, Platform& platform, const Settings& settings,
                    const std::optional<Rect>& from = std::nullopt);

}  // namespace banchiro
