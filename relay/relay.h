#pragma once

#include <optional>
#include <string>

#include "relay/launch.h"

namespace banchiro::relay {

// Exit codes of KOVRAN.EXE.
inline constexpr int kExitServed = 0;       // served its key until told to end
inline constexpr int kExitKeyTaken = 1;     // another program holds the key
inline constexpr int kExitBadArgument = 2;  // no F1..F12 on the command line
inline constexpr int kExitFailed = 3;       // no window from the system, or no memory

// What the relay needs from the system; the Win32 side has one window behind
// it, and its handle is what gets published.
class RelayHost {
 public:
  virtual ~RelayHost() = default;
  // The command the starter left for this relay (SnedDispMethod of
  // BANCHIRO's settings).
  virtual std::string ReadHandedOverCommand() = 0;
  // The folder of the relay's own program file.
  virtual std::string ProgramFolder() = 0;
  // Ctrl + the function key, for this relay alone; false when taken.
  virtual bool RegisterHotKey(int key) = 0;
  // Writes the relay's window handle where the starter waits for it: as the
  // serving relay's, or as that of a relay whose key is taken.
  virtual void PublishWindow(bool key_taken) = 0;
  virtual void ShowExclamation(const std::string& text, const std::string& title) = 0;
  // Starts a program; false when it could not be started.
  virtual bool Launch(const LaunchPlan& plan) = 0;
};

enum class StartResult { kServing, kKeyTaken };

// One relay: one hot key, one command.
class Relay {
 public:
  Relay(RelayHost& host, int key) : host_(host), key_(key) {}

  // Takes the handed-over command, then the key, and only then publishes the
  // window: the starter writes the next relay's command as soon as it sees
  // this one's window, and a relay that is published must already serve.
  // When the key is taken it publishes that first, then says so.
  StartResult Start();

  // The hot key was pressed: runs the command taken at the start. A command
  // that cannot be run does nothing; the relay keeps serving.
  void OnHotKey();

 private:
  RelayHost& host_;
  int key_;
  std::optional<LaunchPlan> plan_;
};

}  // namespace banchiro::relay
