#include "platform/help.h"

namespace banchiro {

std::string HtmlHelpPage(const std::string& help_file, HelpRequest request, int context) {
  const std::size_t slash = help_file.find_last_of("\\/");
  const std::string folder =
      (slash == std::string::npos ? std::string() : help_file.substr(0, slash + 1)) + "help\\";
  switch (request) {
    case HelpRequest::kKeywordSearch:
      return folder + "keywords.html";
    case HelpRequest::kContext:
      return folder + "context-" + std::to_string(context) + ".html";
    case HelpRequest::kContents:
      break;
  }
  return folder + "index.html";
}

HelpTarget ChooseHelp(const std::string& help_file, HelpRequest request, int context,
                      bool winhelp_viewer, bool help_file_exists) {
  if (winhelp_viewer && help_file_exists) return {true, help_file};
  return {false, HtmlHelpPage(help_file, request, context)};
}

}  // namespace banchiro
