#include "app/resident.h"

#include <utility>

namespace banchiro {

Resident::Resident(Platform& platform, Settings& settings, ExitTargets targets)
    : platform_(platform),
      settings_(settings),
      exit_(platform, settings, relays_, std::move(targets)) {}

void Resident::StartRelays() {
  if (ending()) return;
  banchiro::StartRelays(platform_, settings_, relays_);
}

}  // namespace banchiro
