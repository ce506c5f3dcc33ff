#pragma once

#include <string>

namespace banchiro {

// The program's own process: where it lives, and ending it.
class Process {
 public:
  virtual ~Process() = default;
  // Folder of the running executable, without a trailing backslash.
  virtual std::string ProgramFolder() = 0;
  virtual void SetCurrentFolder(const std::string& folder) = 0;
  // True when another instance of the program is running in this session.
  // The first instance keeps its claim until it ends.
  virtual bool AnotherInstanceRuns() = 0;
  // Ends the process at once with the given exit code. The real process never
  // comes back from here; an in-memory one returns so that callers must stop
  // on their own right after the call.
  virtual void End(int exit_code) = 0;
};

}  // namespace banchiro
