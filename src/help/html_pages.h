#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "help/help_document.h"

namespace banchiro::help {

struct HtmlPage {
  std::string file_name;
  std::string html;  // UTF-8
};

// The page of a topic: "context-N.html" for a topic with context number N
// (the program opens these by number), "ID.html" for any other.
std::string TopicPageName(const Topic& topic);

// Text with &, <, >, " and ' written as HTML character references.
std::string HtmlEscape(std::string_view text);

// The help as HTML: "index.html" is the contents topic, "keywords.html" the
// keyword index, and every topic has its page as TopicPageName names it.
// Each page links back to the contents and to the keyword index.
std::vector<HtmlPage> HtmlPages(const HelpDocument& document);

}  // namespace banchiro::help
