#include "app/exit_sequence.h"

#include <exception>

#include "common/dev_log.h"
#include "settings/main_position.h"
#include "settings/settings_writer.h"

namespace banchiro {

ExitSequence::ExitSequence(Platform& platform, Settings& settings, RelayTable& relays,
                           ExitTargets targets)
    : platform_(platform), settings_(settings), relays_(relays), targets_(std::move(targets)) {}

namespace {

// One step of the end: whatever fails in it, the steps after it still run
// (relays left running would hold their keys; a window left would keep the
// program alive).
template <typename Step>
void Survive(Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    devlog::Failure("exit step", e.what());
  } catch (...) {
    devlog::Failure("exit step", "unknown exception");
  }
}

}  // namespace

void ExitSequence::Run() {
  if (running_) return;
  running_ = true;
  Survive([&] {
    if (!targets_.main_position) return;
    if (const auto position = targets_.main_position()) {
      StoreMainWindowPosition(settings_, platform_.store, *position);
    }
  });
  Survive([&] { StopRelays(platform_, relays_); });
  Survive([&] { SettingsWriter(settings_, platform_.store).SetTwice(Key::OptStat, "0"); });
  for (const auto* unload : {&targets_.unload_version_dialog, &targets_.unload_settings_dialog,
                             &targets_.unload_palette, &targets_.unload_main_window}) {
    Survive([&] {
      if (*unload) (*unload)();
    });
  }
  ran_ = true;
  running_ = false;
}

}  // namespace banchiro
