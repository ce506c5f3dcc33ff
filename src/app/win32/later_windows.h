#pragma once

#include "settings/settings.h"
#include "ui/main/win32/main_window.h"

namespace banchiro::app {

// The windows that the main window's menu, toolbar and system menu open.
// Each item reaches exactly one of these routines, so the window behind it
// plugs in here without touching the menus.

// Help: 0 keyword search, 1 contents, from the help file beside the program.
void ShowHelp(ui::MainWindow& owner, const Settings& settings, int index);
// The version dialog, modal.
void ShowVersionDialog(ui::MainWindow& owner);

}  // namespace banchiro::app
