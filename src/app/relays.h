#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

inline constexpr const char* kRelayProgram = "KOVRAN.EXE";
inline constexpr int kRelayShowState = 2;  // minimised: the relay must not take the screen
// How long a relay may take to start and publish its window. The run's first
// relay gets longer: at sign-in, and for a freshly unpacked program file that
// the virus scanner reads first, that start alone may take several seconds.
inline constexpr int kRelayPublishTimeoutMs = 5000;
inline constexpr int kFirstRelayPublishTimeoutMs = 15000;
inline constexpr int kRelayPollMs = 20;
// How long relays left by an earlier run are given to end.
inline constexpr int kStrayRelayTimeoutMs = 2000;

// One running relay: the window it published (decimal text, as read) and
// the process that was started for it.
struct RelayEntry {
  std::string window_text;
  ProcessId process = 0;
};

struct RelayTable {
  std::array<RelayEntry, kMethodCount> entries;
  std::int16_t count = 0;
  // The relay started and not yet published, while it is waited for.
  ProcessId starting = 0;
  // Set by a stop: a start under way (further down the stack, the windows
  // answer while it waits) starts no more relays.
  bool stopped = false;
  // Whether a relay has been started in this run (the first waits longer).
  bool started_before = false;
  // The keys (1..12) whose relay could not be started or never published in
  // the last start, in method order.
  std::vector<int> unserved_keys;
};

// Starts one KOVRAN.EXE per display method that has a hot key, in method
// order, each only after the previous one has taken its command and
// published its window. A relay that does not publish in time is ended and
// gets no entry, and its key is noted as unserved; one whose key is taken
// gets none either, but is left to show its message. A stop during the start
// ends the relay waited for, and no more start. Relays of an earlier run
// still running (windows of the relay's class whose process runs our own
// KOVRAN.EXE) are asked to end first.
void StartRelays(Platform& platform, const Settings& settings, RelayTable& relays);

// Ends the relays this run started, the one still starting included. A
// recorded window that now belongs to any other process (the relay died and
// the handle was reused) ends nothing.
void StopRelays(Platform& platform, RelayTable& relays);

// What the user is told, once, about keys no relay serves ("" for none).
std::string UnservedKeysMessage(const std::vector<int>& keys);

}  // namespace banchiro
