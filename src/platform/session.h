#pragma once

#include "platform/window_system.h"

namespace banchiro {

// How the Windows session is to end.
enum class SessionEnd {
  kRestart,
  kShutDown,  // shut down, leaving the machine on
  kPowerOff,  // shut down and switch the machine off
};

// The local wall-clock time of day, to the minute.
struct TimeOfDay {
  int hour = 0;  // 0..23
  int minute = 0;
};

// What the program asks of Windows itself: the recycle bin, the history of
// recent documents, the end of the session, and the local time of day at
// which a scheduled end is due.
class SystemSession {
 public:
  virtual ~SystemSession() = default;
  // Empties every drive's recycle bin; the shell asks for confirmation, shows
  // its progress and plays its sound itself, with `owner` as their parent.
  virtual void EmptyRecycleBin(WindowHandle owner) = 0;
  virtual void ClearRecentDocuments() = 0;
  // Enables the shut-down privilege in the process's own token; it stays
  // enabled. False where that failed (or there are no process tokens).
  virtual bool EnableShutdownPrivilege() = 0;
  // Asks Windows to end the session; true when Windows took the request.
  virtual bool EndSession(SessionEnd how) = 0;
  virtual TimeOfDay LocalTime() = 0;
};

}  // namespace banchiro
