#pragma once

#include <functional>

#include "engine/window_table.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"

namespace banchiro {

// Moves and sizes one window so that the frame a user sees takes its target
// (its invisible resize border, where it has one, lies outside), as a
// normal window: one that is maximised or snapped is restored first, without
// being activated. Nothing waits for the window's program. Gives the window
// rectangle it was moved to.
Rect PlaceWindow(WindowSystem& windows, WindowHandle window, const Rect& target);

// Minimise all and its undo. The shell does it where it can; where it
// cannot, the collected windows are minimised here and remembered in the
// store (added to those of a press not undone yet), so that the undo
// restores exactly the remembered windows still minimised.
void MinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store,
                        const WindowTable& table);
void UndoMinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store);
// The same without the shell, for some windows only: the collected ones are
// minimised and added to what is remembered; the undo restores the
// remembered windows that `wanted` takes (all without it) and keeps
// remembering the others.
void MinimizeWindows(WindowSystem& windows, SettingsStore& store, const WindowTable& table);
void RestoreMinimizedWindows(WindowSystem& windows, SettingsStore& store,
                             const std::function<bool(WindowHandle)>& wanted = {});

// Asks every collected window, in row order, to close as if the user had
// clicked its close box, so that each program can ask about unsaved work.
void CloseAllWindows(WindowSystem& windows, const WindowTable& table);

}  // namespace banchiro
