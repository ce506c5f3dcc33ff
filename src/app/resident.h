#pragma once

#include <functional>

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
  // Shows a window through `show` unless the end has begun. A dialog may
  // finish its work after the end has unloaded it (a box of its own was up
  // meanwhile); a window it showed then would outlive the last one and keep
  // the process alive with nothing left to end it.
  void Show(const std::function<void()>& show) const {
    if (!ending()) show();
  }

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

// The message boxes of a resident run: once the end has begun none is shown,
// for the same reason, and each counts as cancelled, which leaves
// everything as it is.
class ResidentMessageBoxes : public MessageBoxes {
 public:
  ResidentMessageBoxes(MessageBoxes& boxes, const Resident& resident)
      : boxes_(boxes), resident_(resident) {}
  using MessageBoxes::Show;
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon, DefaultButton default_button) override;

 private:
  MessageBoxes& boxes_;
  const Resident& resident_;
};

}  // namespace banchiro
