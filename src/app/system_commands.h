#pragma once

#include <functional>
#include <string>

#include "common/rect.h"
#include "platform/platform.h"
#include "platform/session.h"
#include "settings/settings.h"

namespace banchiro {

// The message boxes of the commands that act on Windows: OK/Cancel with the
// question icon; restart and shut-down with Cancel as the default button.
inline constexpr const char* kClearRecentText = "「最近使ったﾌｧｲﾙ履歴」 を初期化しますか？";
inline constexpr const char* kClearRecentTitle = "初期化確認";
inline constexpr const char* kRestartText = "「Microsoft Windows」 を再起動しますか？";
inline constexpr const char* kRestartTitle = "再起動確認";
inline constexpr const char* kShutDownText = "「Microsoft Windows」 を終了しますか？";
inline constexpr const char* kShutDownTitle = "終了確認";

// "hh:mm", hours 00..23: the form the scheduled time is compared in.
std::string ClockText(const TimeOfDay& time);

// The file menu's commands that act on Windows itself, and the main window's
// timer that starts a scheduled restart or shut-down. They belong to the main
// window, which gives its handle (owner of the shell's recycle-bin dialogs)
// and reports its position, saved before Windows goes down.
class SystemCommands {
 public:
  SystemCommands(Platform& platform, SystemSession& session, Settings& settings,
                 WindowHandle main_window, std::function<TwipsPoint()> main_position);

  // Empty the recycle bin; the shell alone talks to the user.
  void EmptyRecycleBin();

  // Each asks first. Restart and shut-down ask only when no scheduled
  // action is pending, since a pending one is the timer's call.
  void ClearRecentDocuments();
  void RestartWindows() { EndWindowsSession(true); }
  void ShutDownWindows() { EndWindowsSession(false); }

  // The 10-second tick: runs the scheduled action once its minute has come.
  void OnClockTick();

 private:
  void EndWindowsSession(bool restart);

  Platform& platform_;
  SystemSession& session_;
  Settings& settings_;
  WindowHandle main_window_;
  std::function<TwipsPoint()> main_position_;
};

}  // namespace banchiro
