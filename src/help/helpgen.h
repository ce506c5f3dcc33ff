#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace banchiro::help {

// The command "helpgen SOURCE [--hlp FILE] [--html FOLDER]" (at least one of
// the two outputs): reads the help source, makes the WinHelp file and the
// HTML pages in memory, and only then writes the files asked for, each to a
// temporary file renamed over its target once every one is written. Returns
// the exit status: 0 when all is written, 1 when the source or an output
// fails, 2 for a wrong command line; says why on `err`.
int RunHelpgen(const std::vector<std::string>& arguments, std::ostream& err);

}  // namespace banchiro::help
