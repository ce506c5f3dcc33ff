#pragma once

#include "app/exit_sequence.h"
#include "app/relays.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// What the resident instance owns beyond its windows: the hot-key relays it
// started and its orderly end, which the main window, the palette and the
// end of the Windows session all reach.
class Resident {
 public:
  Resident(Platform& platform, Settings& settings, ExitTargets targets);
  Resident(const Resident&) = delete;
  Resident& operator=(const Resident&) = delete;

  // Starts a relay for every method with a hot key. Nothing once the end has
  // begun: relays started then would outlive the program. Keys whose relay
  // does not come up are reported once in the run, when the program is idle.
  void StartRelays();
  // Ends the relays and starts one for each method that has a key now. A
  // request while relays are being started is not lost: that start ends the
  // relays and begins again, so the relays always end up as the keys now
  // stored say.
  void RestartRelays();
  // The exit sequence; a request while it runs returns at once.
  void End() { exit_.Run(); }
  // True from the moment the end begins.
  bool ending() const { return exit_.begun(); }
  bool ended() const { return exit_.ran(); }

 private:
  Platform& platform_;
  Settings& settings_;
  void ReportUnservedKeys();

  RelayTable relays_;
  bool starting_ = false;
  bool restart_asked_ = false;
  bool reported_ = false;
  ExitSequence exit_;
};

}  // namespace banchiro
