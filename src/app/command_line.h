#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/display_methods.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace banchiro {

// The process command line without the program's name (quoted or not) and
// the blanks that follow it; nothing for a line whose name is oddly quoted,
// which a relay would not have run either.
std::string ArgumentText(std::string_view command_line);

// The display method that an argument text names: exactly one of the 28
// one-letter texts, nothing else ("/M", "MM", "M " and words name none).
std::optional<DisplayMethod> MethodForArgument(std::string_view argument);

// Carries out the method the command line names, if any.
void RunCommandLine(std::string_view command_line, Platform& platform, const Settings& settings);

}  // namespace banchiro
