#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace banchiro {

// A command line cut into its program name and the rest.
struct CommandParts {
  std::string program;    // without its quotes
  std::string arguments;  // as written, after the blanks that end the name
};

// Cuts a command line as Windows reads the program name: leading blanks
// skipped, then either a quoted name (which may hold blanks) or everything
// up to the next blank. Odd quoting, which Windows would read into some
// other name than the one written, gives nothing: an unterminated quote, an
// empty quoted name, text glued to the closing quote ("A.EXE"G) or a quote
// inside an unquoted name. No text gives nothing too. The relay cuts the
// commands it runs with this, and the program its own command line, so a
// method letter reaches the program exactly when the relay would pass it.
std::optional<CommandParts> SplitCommand(std::string_view command_line);

}  // namespace banchiro
