#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window_system.h"

namespace banchiro {

// A process this program started, as the process service knows it. Zero
// means none.
using ProcessId = std::uint32_t;

// Starting and ending other processes. Only processes started through this
// service can be ended through it: the service keeps what it needs to tell
// them from unrelated processes that later reuse an identifier.
class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `program` (a full path, never searched for) with the command line
  // and the show state its main window is to take; 0 on failure.
  virtual ProcessId Start(const std::string& program, const std::string& command_line,
                          const std::string& folder, int show_state) = 0;
  // The process that owns a window (0 when the window is gone).
  virtual ProcessId WindowOwner(WindowHandle window) = 0;
  // Whether the process that owns `window` (any process) runs the program
  // file `program`, a full path: the same file, however either path is
  // spelled. False when the window is gone or its process cannot be asked.
  virtual bool OwnerRunsProgram(WindowHandle window, const std::string& program) = 0;
  // Whether a process started here is still running.
  virtual bool IsRunning(ProcessId process) = 0;
  // Ends a process started here (exit code 0) and forgets it; a process not
  // started here is left alone.
  virtual void Terminate(ProcessId process) = 0;
};

// Time, for the few places that must wait for another process. A wait of the
// user-interface thread keeps its windows answering.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
  virtual void SleepMs(int milliseconds) = 0;
  // Runs `task` later on this thread, from its message loop, once the user
  // is in the middle of nothing a message box would get in the way of (a
  // menu, a drag, a move, another box). For news nobody is waiting for.
  virtual void RunWhenIdle(std::function<void()> task) = 0;
};

}  // namespace banchiro
