#include "app/system_commands.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "settings/main_position.h"
#include "settings/setting_values.h"
#include "settings/settings_writer.h"

namespace banchiro {
namespace {

// The versions without a power-off of their own shut down plainly; Windows 95
// and an unknown system are not asked at all.
std::optional<SessionEnd> ShutDownFor(WindowsName windows) {
  switch (windows) {
    case WindowsName::k98:
    case WindowsName::kMe:
    case WindowsName::kNT:
      return SessionEnd::kShutDown;
    case WindowsName::k2000:
    case WindowsName::kXP:
      return SessionEnd::kPowerOff;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string ClockText(const TimeOfDay& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
  return text;
}

SystemCommands::SystemCommands(Platform& platform, SystemSession& session, Settings& settings,
                               WindowHandle main_window, std::function<TwipsPoint()> main_position)
    : platform_(platform),
      session_(session),
      settings_(settings),
      main_window_(main_window),
      main_position_(std::move(main_position)) {}

void SystemCommands::EmptyRecycleBin() {
  session_.EmptyRecycleBin(main_window_);
}

void SystemCommands::ClearRecentDocuments() {
  // Enabled up front here too, as for the two ends of the session.
  session_.EnableShutdownPrivilege();
  if (platform_.message_boxes.Show(kClearRecentText, kClearRecentTitle, MessageButtons::kOkCancel,
                                   MessageIcon::kQuestion) == MessageAnswer::kOk) {
    session_.ClearRecentDocuments();
  }
}

void SystemCommands::EndWindowsSession(bool restart) {
  // Enabled up front, whatever follows: a failure only shows as Windows
  // refusing to end the session.
  session_.EnableShutdownPrivilege();
  if (ScheduledAction(settings_) == ScheduledEnd::kNone) {
    // Cancel is the default: a key pressed a moment too late, Enter after
    // the shortcut Ctrl+E, must not end every program of the session.
    const MessageAnswer answer = platform_.message_boxes.Show(
        restart ? kRestartText : kShutDownText, restart ? kRestartTitle : kShutDownTitle,
        MessageButtons::kOkCancel, MessageIcon::kQuestion, DefaultButton::kSecond);
    if (answer != MessageAnswer::kOk) return;
  }

  // Cleared first, so that the timer's later ticks in the same minute, and
  // the next start, find nothing pending.
  SettingsWriter writer(settings_, platform_.store);
  writer.Set(Key::OptRun, "2");
  if (main_position_) {
    StoreMainWindowPosition(settings_, platform_.store, main_position_());
  }
  // The coming end is an orderly one.
  writer.Set(Key::OptStat, "0");

  const std::optional<SessionEnd> how =
      restart ? std::optional<SessionEnd>(SessionEnd::kRestart)
              : ShutDownFor(GetWindowsName(platform_.system.Version()));
  if (how && session_.EndSession(*how)) return;
  // Windows goes on and so does this instance: its running flag must say so
  // again, or every hot-key start would take it for a first start and show
  // the splash.
  writer.Set(Key::OptStat, "1");
}

void SystemCommands::OnClockTick() {
  const ScheduledEnd action = ScheduledAction(settings_);
  if (action == ScheduledEnd::kNone) return;
  const std::string now = ClockText(session_.LocalTime());
  if (now != settings_.OptTime[0] + ":" + settings_.OptTime[1]) return;
  EndWindowsSession(action == ScheduledEnd::kRestart);
}

}  // namespace banchiro
