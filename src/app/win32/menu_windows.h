#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "settings/settings.h"
#include "ui/version/win32/version_dialog.h"

namespace banchiro::app {

// The windows that the main window's help menu opens. Each item reaches
// exactly one of these routines.
class HelpMenuWindows {
 public:
  HelpMenuWindows(Platform& platform, const Settings& settings, HINSTANCE instance);

  // Help: 0 keyword search, 1 contents, from the help file beside the
  // program (or its HTML pages where no WinHelp viewer works).
  void ShowHelp(HWND owner, int index);
  // The version dialog of this build, modal; a request while it is open
  // brings it forward.
  void ShowVersionDialog(HWND owner) { version_dialog_.Show(owner); }
  void UnloadVersionDialog() { version_dialog_.Unload(); }

 private:
  Platform& platform_;
  const Settings& settings_;
  ui::VersionDialog version_dialog_;
};

}  // namespace banchiro::app
