#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/command_split.h"

namespace banchiro::relay {

// The full path of the program that a command's name stands for, never
// searched for. A bare file name lies in `folder` (the relay's own). A fully
// qualified path (C:\..., \\server\share\...) is taken as it stands: the
// user wrote down exactly which program to run. Anything relative to some
// other folder (dir\A.EXE, ..\A.EXE, \A.EXE, C:A.EXE) and names that no
// file can have give nothing. A name without an extension gets ".exe", as
// Windows itself would look for it.
std::optional<std::string> ProgramPath(std::string_view program, std::string_view folder);

// Everything CreateProcess needs to start one command.
struct LaunchPlan {
  std::string application;   // full path of the program file
  std::string command_line;  // the quoted full path, then the arguments
  std::string folder;        // working folder: the relay's own
};

// How the relay in `relay_folder` starts `command`; nothing when the
// command is empty, oddly quoted or names a program it may not run.
std::optional<LaunchPlan> PlanLaunch(std::string_view command, std::string_view relay_folder);

}  // namespace banchiro::relay
