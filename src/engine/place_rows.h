#pragma once

#include <vector>

#include "common/rect.h"
#include "engine/window_table.h"
#include "platform/platform.h"
#include "platform/window_system.h"
#include "settings/settings.h"

namespace banchiro {

// How long the programs of windows that land on a monitor of another scale
// are given, all together, to take their new DPI before the second move.
inline constexpr int kDpiChangeWaitMs = 500;

// Moves every row's window to its target, in row order (PlaceWindow). A
// window whose target lies on a monitor of another scale than the one it
// stands on takes the new DPI on the way, and a per-monitor aware program
// answers by resizing itself (to about 2/3 or 1.5 times its tile, with a
// frame of the new scale): such windows are moved once more when their
// programs have had the time to, so that each ends exactly at its tile.
// Gives the rectangle each row's window was last moved to.
std::vector<Rect> PlaceRows(WindowSystem& windows, const WindowTable& table);

// PlaceRows for an arrangement, which is remembered first for its undo when
// that choice is on (and otherwise forgets the one before).
void PlaceArrangedRows(Platform& platform, const Settings& settings, const WindowTable& table);

}  // namespace banchiro
