#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "help/help_document.h"

namespace banchiro::help {

// The fonts of |FONT, by number: what a paragraph of |TOPIC selects.
enum TopicFont : unsigned { kBodyFont = 0, kTitleFont = 1, kHeadingFont = 2, kFontCount = 3 };

// A paragraph's run in Shift-JIS; a jump carries the context hash of its topic.
struct TopicRun {
  std::string text;
  std::optional<std::uint32_t> jump;
};

struct TopicParagraph {
  ParagraphStyle style = ParagraphStyle::kBody;
  std::vector<TopicRun> runs;
};

// One topic as |TOPIC holds it: its title (Shift-JIS) and its paragraphs.
struct TopicText {
  std::string title;
  std::vector<TopicParagraph> paragraphs;
};

struct TopicFile {
  std::string bytes;                   // the whole |TOPIC, in 4096-byte blocks
  std::vector<std::uint32_t> offsets;  // each topic's offset, what the indexes store
};

// |TOPIC of an uncompressed help file: per topic a header record and one
// text record per paragraph, the first showing the title; the chain of
// records ends with an empty topic header. Throws HelpError when a paragraph
// does not fit a block.
TopicFile BuildTopicFile(const std::vector<TopicText>& topics);

}  // namespace banchiro::help
