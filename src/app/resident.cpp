#include "app/resident.h"

#include <utility>

#include "common/function_keys.h"

namespace banchiro {

Resident::Resident(Platform& platform, Settings& settings, ExitTargets targets)
    : platform_(platform),
      settings_(settings),
      exit_(platform, settings, relays_, std::move(targets)) {}

void Resident::StartRelays() {
  // The windows answer while a relay is waited for: a second request then
  // waits its turn, which has already come.
  if (ending() || starting_) return;
  starting_ = true;
  // A restart asked for meanwhile has stopped this start, and the rows
  // already passed may have changed: start again from the stored keys. The
  // end stops it for good.
  do {
    restart_asked_ = false;
    banchiro::StartRelays(platform_, settings_, relays_);
  } while (restart_asked_ && !ending());
  starting_ = false;
  if (!ending()) ReportUnservedKeys();
}

void Resident::RestartRelays() {
  banchiro::StopRelays(platform_, relays_);
  if (!starting_) return StartRelays();
  // A start is under way, further down this thread's stack: the stop has
  // ended the relay it waits for, and it begins again when it returns.
  restart_asked_ = true;
}

void Resident::ReportUnservedKeys() {
  if (reported_ || relays_.unserved_keys.empty()) return;
  // At sign-in the user is busy elsewhere, and a box now would also hold up
  // the rest of the start: it waits until the program is idle.
  platform_.clock.RunWhenIdle([this] {
    // A start running now reports when it ends, with its own keys.
    if (reported_ || ending() || starting_ || relays_.unserved_keys.empty()) return;
    reported_ = true;
    platform_.message_boxes.Show(UnservedKeysMessage(relays_.unserved_keys), kHotKeyCheckTitle,
                                 MessageButtons::kOk, MessageIcon::kExclamation);
  });
}

MessageAnswer ResidentMessageBoxes::Show(const std::string& text, const std::string& title,
                                         MessageButtons buttons, MessageIcon icon,
                                         DefaultButton default_button) {
  if (resident_.ending()) return MessageAnswer::kCancel;
  return boxes_.Show(text, title, buttons, icon, default_button);
}

}  // namespace banchiro
