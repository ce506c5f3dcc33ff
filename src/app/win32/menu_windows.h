#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "settings/settings.h"
#include "ui/main/win32/main_window.h"

namespace banchiro::app {

// The windows that the main window's help menu opens. Each item reaches
// exactly one of these routines.

// Help: 0 keyword search, 1 contents, from the help file beside the program
// (or its HTML pages where no WinHelp viewer works).
void ShowHelp(ui::MainWindow& owner, Platform& platform, const Settings& settings, int index);
// The version dialog, modal.
void ShowVersionDialog(ui::MainWindow& owner, Platform& platform, HINSTANCE instance);

}  // namespace banchiro::app
