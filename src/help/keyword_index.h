#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "help/help_document.h"

namespace banchiro::help {

// One entry of the keyword index: the keyword (UTF-8) and the topics that
// list it, in the order of the source.
struct KeywordEntry {
  std::string keyword;
  std::vector<std::size_t> topics;
};

// Every keyword of the document once, in the order of its Shift-JIS bytes
// with ASCII letters compared regardless of case: the order of kana and of
// the first-level kanji is the Japanese reading order, and the help file's
// index and the HTML index list the keywords alike.
std::vector<KeywordEntry> KeywordIndex(const HelpDocument& document);

}  // namespace banchiro::help
