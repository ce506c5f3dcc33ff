#pragma once

#include "engine/window_table.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"

namespace banchiro {

// Moves and sizes one window to its target, as a normal window: one that
// is maximised or snapped is restored first, without being activated.
// Nothing waits for the window's program. Gives the window rectangle it was
// moved to.
Rect PlaceWindow(WindowSystem& windows, WindowHandle window, const Rect& target);

// Minimise all and its undo. The shell does it where it can; where it
// cannot, the collected windows are minimised here and remembered in the
// store, so that the undo restores exactly those of them still minimised.
void MinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store,
                        const WindowTable& table);
void UndoMinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store);

// Asks every collected window, in row order, to close as if the user had
// clicked its close box, so that each program can ask about unsaved work.
void CloseAllWindows(WindowSystem& windows, const WindowTable& table);

}  // namespace banchiro
