#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "common/rect.h"
#include "engine/layouts.h"
#include "engine/window_table.h"
#include "platform/monitors.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// The place that decides which monitor a window belongs to: where it
// stands, or for a minimised window where it comes back to. A placement's
// normal rectangle counts from the primary monitor's work area.
Rect DecidingPlace(const WindowInfo& window, const Placement& placement,
                   const Rect& primary_work_area);

// Target rectangles for the rows of `table`, whose monitors (indexes of
// `monitors`) `monitor_of_row` gives: each monitor's rows, in row order,
// laid out in that monitor's work area as if it were the whole screen, so
// that the edge gaps, the cascade's size and the ratios are taken relative
// to it. The rows of a monitor where the method does not take their number
// (a split tiling, the grid) are left out of the result and stay where they
// are.
WindowTable LayOutOnMonitors(DisplayMethod method, const WindowTable& table,
                             const std::vector<std::size_t>& monitor_of_row,
                             const std::vector<Monitor>& monitors, const LayoutInputs& inputs);

// An arrangement on the monitor under the pointer (OptMon "1"; `from`, the
// bar's rectangle, stands for the pointer when the request came from the
// bar), of every method, or on every monitor, each in its own work area
// (OptMon "2"), of a cascade or a tiling. Minimise all and its undo then
// touch only that monitor's windows, without the shell, whose own would
// take every window.
void ArrangeOnMonitors(DisplayMethod method, Platform& platform, const Settings& settings,
                       const std::optional<Rect>& from);

}  // namespace banchiro
