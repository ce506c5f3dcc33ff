#pragma once

#include <windows.h>

#include <string>

#include "platform/help.h"
#include "platform/system_info.h"

namespace banchiro::win32 {

// Shows a help request for `owner`: in WinHelp where its viewer works and the
// file is there, otherwise the HTML page of the same topic in the browser.
// Failures are not reported; a viewer reports a missing file itself.
// Returns where it was shown.
HelpTarget ShowHelp(HWND owner, SystemInfo& system, const std::string& help_file,
                    HelpRequest request, int context = 0);

}  // namespace banchiro::win32
