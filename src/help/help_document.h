#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace banchiro::help {

// Any fault in the help source or in producing the help files. The message
// says what is wrong and, for the source, on which line.
class HelpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A run of a paragraph's text (UTF-8). A link when `target` names a topic.
struct Span {
  std::string text;
  std::string target;
};

enum class ParagraphStyle { kBody, kHeading, kBullet };

struct Paragraph {
  ParagraphStyle style = ParagraphStyle::kBody;
  std::vector<Span> spans;
};

struct Topic {
  std::string id;  // letters, digits, '_' and '.': what WinHelp hashes
  std::string title;
  std::optional<std::int32_t> context;  // the number a program asks the help for
  std::vector<std::string> keywords;
  std::vector<Paragraph> paragraphs;
};

struct HelpDocument {
  std::string title;
  std::size_t contents = 0;  // the topic the viewer opens first
  std::vector<Topic> topics;
};

inline constexpr std::size_t kNoTopic = static_cast<std::size_t>(-1);

// The index of the topic with this id, or kNoTopic.
std::size_t FindTopic(const HelpDocument& document, std::string_view id);

// Reads the help source (see help_parser.cpp for its markup) into a document
// whose links all lead to topics; throws HelpError on the first fault.
HelpDocument ParseHelpSource(std::string_view source);

}  // namespace banchiro::help
