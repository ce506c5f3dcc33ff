#include "app/resident.h"

#include <utility>

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
  banchiro::StartRelays(platform_, settings_, relays_);
  starting_ = false;
  // The end may have come meanwhile and stopped only the relays started
  // before it.
  if (ending()) banchiro::StopRelays(platform_, relays_);
}

void Resident::RestartRelays() {
  if (starting_) return;
  banchiro::StopRelays(platform_, relays_);
  StartRelays();
}

MessageAnswer ResidentMessageBoxes::Show(const std::string& text, const std::string& title,
                                         MessageButtons buttons, MessageIcon icon,
                                         DefaultButton default_button) {
  if (resident_.ending()) return MessageAnswer::kCancel;
  return boxes_.Show(text, title, buttons, icon, default_button);
}

}  // namespace banchiro
