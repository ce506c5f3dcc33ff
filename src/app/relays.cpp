#include "app/relays.h"

#include "common/function_keys.h"
#include "settings/setting_values.h"

namespace banchiro {
namespace {

// Waits until the relay just started publishes a window of its own; gives
// the published text, or "" when it ends or does not publish in time.
std::string WaitForPublishedWindow(Platform& platform, ProcessId relay) {
  const std::int64_t deadline = platform.clock.NowMs() + kRelayPublishTimeoutMs;
  for (;;) {
    const std::string text = platform.relay_store.Read(kSectionHWnd, kPublishedWindowKey);
    const WindowHandle window = HandleFromText(text);
    if (window != 0 && platform.processes.WindowOwner(window) == relay) return text;
    if (!platform.processes.IsRunning(relay) || platform.clock.NowMs() >= deadline) return {};
    platform.clock.SleepMs(kRelayPollMs);
  }
}

}  // namespace

void StartRelays(Platform& platform, const Settings& settings, RelayTable& relays) {
  relays.count = 0;
  const std::string folder = platform.process.ProgramFolder();
  for (int n = 0; n < kMethodCount; ++n) {
    // Only F1..F12 exist; anything else would start a relay that serves no
    // key (an empty or damaged setting).
    const auto key = AssignedKey(settings, n);
    if (!key) continue;
    platform.store.Write(kSectionDispMethod, kHandOverKey, settings.D_Method[n]);
    // A handle left from an earlier relay must not be taken for this one's.
    platform.relay_store.Write(kSectionHWnd, kPublishedWindowKey, "");
    const std::string command = std::string(kRelayProgram) + " " + FunctionKeyName(*key);
    const ProcessId relay =
        platform.processes.Start(folder + "\\" + kRelayProgram, command, folder, kRelayShowState);
    if (relay == 0) continue;
    relays.starting = relay;
    const std::string published = WaitForPublishedWindow(platform, relay);
    // The windows answer during the wait; a stop then (the end of the
    // session, say) has ended this relay, and no more may start.
    if (relays.starting != relay) break;
    relays.starting = 0;
    if (published.empty()) {
      // Left running, it might still register its key later and could then
      // never be stopped: end it now.
      platform.processes.Terminate(relay);
      continue;
    }
    relays.entries[relays.count] = RelayEntry{published, relay};
    ++relays.count;
  }
}

void StopRelays(Platform& platform, RelayTable& relays) {
  if (relays.starting != 0) platform.processes.Terminate(relays.starting);
  relays.starting = 0;
  for (int i = 0; i < relays.count && i < kMethodCount; ++i) {
    const RelayEntry& entry = relays.entries[i];
    const WindowHandle window = HandleFromText(entry.window_text);
    if (entry.process == 0 || window == 0) continue;
    if (platform.processes.WindowOwner(window) != entry.process) continue;
    platform.processes.Terminate(entry.process);
  }
}

}  // namespace banchiro
