#pragma once

#include "engine/window_table.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"

namespace banchiro {

// How long a window's program may take to answer before the engine treats
// it as hung and leaves its placement alone (it is still moved, later).
inline constexpr int kRespondTimeoutMs = 100;

// Moves and sizes one window to its target. The placement flags are turned
// round first (restore-to-maximised -> asynchronous and shown normal, and
// back), and written back in every case, when the window answers.
void PlaceWindow(WindowSystem& windows, WindowHandle window, const Rect& target);

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
