#include "app/exit_sequence.h"

#include "settings/main_position.h"

namespace banchiro {

ExitSequence::ExitSequence(Platform& platform, Settings& settings, RelayTable& relays,
                           ExitTargets targets)
    : platform_(platform), settings_(settings), relays_(relays), targets_(std::move(targets)) {}

void ExitSequence::Run() {
  if (running_) return;
  running_ = true;
  if (targets_.main_position) {
    if (const auto position = targets_.main_position()) {
      StoreMainWindowPosition(settings_, platform_.store, *position);
    }
  }
  StopRelays(platform_, relays_);
  settings_.OptStat = "0";
  platform_.store.Write(kSectionConfig, "OptStat", "0");
  if (targets_.unload_settings_dialog) targets_.unload_settings_dialog();
  if (targets_.unload_palette) targets_.unload_palette();
  if (targets_.unload_main_window) targets_.unload_main_window();
  ran_ = true;
  running_ = false;
}

}  // namespace banchiro
