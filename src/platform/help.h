#pragma once

#include <string>

namespace banchiro {

// What the user asks of the help: its contents, its keyword search, or the
// topic of a context number (the settings dialog's tabs).
enum class HelpRequest { kContents, kKeywordSearch, kContext };

// Where a help request is shown: the WinHelp file with the request, or the
// HTML page of the same topic, opened in the user's browser.
struct HelpTarget {
  bool winhelp = false;
  std::string file;
};

// The folder "help" beside the WinHelp file holds the same topics as HTML:
// index.html (contents), keywords.html (the keyword index) and
// context-N.html (the topic of context number N).
std::string HtmlHelpPage(const std::string& help_file, HelpRequest request, int context);

// The WinHelp file where a WinHelp viewer works and the file is there;
// otherwise the HTML page. Windows 10 and 11 ship no working viewer.
HelpTarget ChooseHelp(const std::string& help_file, HelpRequest request, int context,
                      bool winhelp_viewer, bool help_file_exists);

}  // namespace banchiro
