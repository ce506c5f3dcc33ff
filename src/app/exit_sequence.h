#pragma once

#include <functional>
#include <optional>

#include "app/relays.h"
#include "common/rect.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// The windows the exit sequence stores and unloads; each is optional because
// not every window is loaded in every run.
struct ExitTargets {
  // The main window's top/left in twips, when it is loaded (shown or not).
  std::function<std::optional<TwipsPoint>()> main_position;
  std::function<void()> unload_settings_dialog;
  std::function<void()> unload_palette;  // stores F_Top/F_Left itself
  std::function<void()> unload_main_window;
  // Unloaded first of the windows, before the settings dialog: the dialogs
  // go before the palette and the main window, so that none is left open,
  // or still at work, once those have gone.
  std::function<void()> unload_version_dialog;
};

// Ends a resident run in order: positions, relays, running flag, windows.
// Unloading the main window asks to close it, and the close request runs
// this sequence again; that nested run returns at once.
class ExitSequence {
 public:
  ExitSequence(Platform& platform, Settings& settings, RelayTable& relays, ExitTargets targets);
  void Run();
  bool ran() const { return ran_; }
  // True from the moment the sequence starts: nothing may be started anew.
  bool begun() const { return running_ || ran_; }

 private:
  Platform& platform_;
  Settings& settings_;
  RelayTable& relays_;
  ExitTargets targets_;
  bool running_ = false;
  bool ran_ = false;
};

}  // namespace banchiro
