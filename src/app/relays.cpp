#include "app/relays.h"

#include <optional>
#include <string_view>
#include <vector>

#include "common/dev_log.h"
#include "common/function_keys.h"
#include "settings/setting_values.h"
#include "settings/settings_writer.h"

namespace banchiro {
namespace {

// Waits until the relay just started publishes a window of its own; gives
// the published text, "" when it ends or does not publish in time, or
// nothing when its key is taken (it then waits for the user to read so).
std::optional<std::string> WaitForPublishedWindow(Platform& platform, ProcessId relay,
                                                  int timeout_ms) {
  const std::int64_t deadline = platform.clock.NowMs() + timeout_ms;
  const auto published = [&](Key key) -> std::optional<std::string> {
    const std::string text = ReadStored(platform.relay_store, key);
    const WindowHandle window = HandleFromText(text);
    if (window != 0 && platform.processes.WindowOwner(window) == relay) return text;
    return std::nullopt;
  };
  for (;;) {
    if (const auto serving = published(Key::hWindow)) return serving;
    if (published(Key::hTaken)) return std::nullopt;
    if (!platform.processes.IsRunning(relay) || platform.clock.NowMs() >= deadline) return "";
    platform.clock.SleepMs(kRelayPollMs);
  }
}

// Relays left by an earlier run that ended without stopping them hold their
// keys still: they are asked to end, and given a moment to let the keys go.
// Only windows of our own relay program: another program may well name a
// window class as ours does, and must not be told to close.
void CloseStrayRelays(Platform& platform, const std::string& relay_program) {
  const auto strays = [&] {
    std::vector<WindowHandle> found;
    for (const WindowHandle window : platform.windows.TopLevelWindows()) {
      if (platform.windows.Describe(window).class_name == kRelayWindowClassName &&
          platform.processes.OwnerRunsProgram(window, relay_program)) {
        found.push_back(window);
      }
    }
    return found;
  };
  std::vector<WindowHandle> left = strays();
  for (const WindowHandle window : left)
    platform.windows.PostClose(window);
  for (std::int64_t deadline = platform.clock.NowMs() + kStrayRelayTimeoutMs;
       !left.empty() && platform.clock.NowMs() < deadline; left = strays()) {
    platform.clock.SleepMs(kRelayPollMs);
  }
}

}  // namespace

void StartRelays(Platform& platform, const Settings& settings, RelayTable& relays) {
  relays.count = 0;
  relays.stopped = false;
  relays.unserved_keys.clear();
  const std::string folder = platform.process.ProgramFolder();
  const std::string program = folder + "\\" + kRelayProgram;
  CloseStrayRelays(platform, program);
  for (int n = 0; n < kMethodCount && !relays.stopped; ++n) {
    // Only F1..F12 exist; anything else would start a relay that serves no
    // key (an empty or damaged setting).
    const auto key = AssignedKey(settings, n);
    if (!key) continue;
    SettingsWriter(platform.store).Set(Key::SnedDispMethod, settings.D_Method[n]);
    // A handle left from an earlier relay must not be taken for this one's.
    SettingsWriter relay_settings(platform.relay_store);
    relay_settings.Set(Key::hWindow, "");
    relay_settings.Set(Key::hTaken, "");
    const std::string command = std::string(kRelayProgram) + " " + FunctionKeyName(*key);
    const ProcessId relay = platform.processes.Start(program, command, folder, kRelayShowState);
    if (relay == 0) {
      devlog::Failure("relay start", command);
      relays.unserved_keys.push_back(*key);
      continue;
    }
    const int timeout_ms =
        relays.started_before ? kRelayPublishTimeoutMs : kFirstRelayPublishTimeoutMs;
    relays.started_before = true;
    relays.starting = relay;
    const auto published = WaitForPublishedWindow(platform, relay, timeout_ms);
    // The windows answer during the wait; a stop then (the end of the
    // session, a restart) has ended this relay, and no more may start.
    if (relays.stopped) break;
    relays.starting = 0;
    // A relay whose key is taken keeps its message up until it is read, and
    // ends by itself.
    if (!published) {
      devlog::Failure("relay start", command + ": the key is taken");
      continue;
    }
    if (published->empty()) {
      devlog::Failure("relay start", command + ": no window published");
      // Left running, it might still register its key later and could then
      // never be stopped: end it now.
      platform.processes.Terminate(relay);
      relays.unserved_keys.push_back(*key);
      continue;
    }
    relays.entries[relays.count] = RelayEntry{*published, relay};
    ++relays.count;
  }
}

void StopRelays(Platform& platform, RelayTable& relays) {
  relays.stopped = true;
  platform.processes.Terminate(relays.starting);
  relays.starting = 0;
  for (int i = 0; i < relays.count; ++i) {
    const RelayEntry& entry = relays.entries[i];
    const WindowHandle window = HandleFromText(entry.window_text);
    if (entry.process == 0 || window == 0) continue;
    if (platform.processes.WindowOwner(window) != entry.process) {
      devlog::Failure("relay stop", "window " + entry.window_text + " is no longer the relay's");
      continue;
    }
    platform.processes.Terminate(entry.process);
  }
}

std::string UnservedKeysMessage(const std::vector<int>& keys) {
  std::string captions;
  for (const int key : keys)
    captions += (captions.empty() ? "" : "、") + HotKeyCaption(key);
  if (captions.empty()) return {};
  return std::string(kRelayProgram) + " が起動しなかったため、" + captions + " は使用できません。";
}

}  // namespace banchiro
