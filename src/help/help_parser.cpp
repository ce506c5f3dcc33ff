// The help source: UTF-8 text, one statement a line.
//
//   # ...                  a comment; blank lines are ignored as well
//   title: TEXT            the help file's title (once, before the first topic)
//   contents: ID           the topic the viewer opens first (once, before the
//                          first topic); it must link to every other topic
//   topic: ID TITLE        starts a topic. ID is made of A-Z a-z 0-9 _ and .,
//                          unique regardless of case; "index" and "keywords"
//                          are taken by the HTML pages of those names
//   context: N             the topic's context number, 0..2147483647 (at most
//                          once a topic, unique in the file)
//   keywords: K1; K2; ...  entries of the keyword index that lead to the topic
//   == TEXT                a subheading
//   - TEXT                 an item of a bulleted list
//   TEXT                   any other line is a paragraph of its own
//
// Inside a subheading, an item or a paragraph, [[ID]] links to the
// topic ID with that topic's title as the link's text and [[ID|TEXT]] with
// TEXT. Every topic needs at least one line of text. A byte-order mark at the
// start and carriage returns at line ends are ignored; other control
// characters (tabs too) are refused: the help file separates its strings by
// NUL, and its viewer has no use for the others.
#include <algorithm>
#include <set>
#include <utility>

#include "help/help_document.h"

namespace banchiro::help {
namespace {

constexpr std::int64_t kMaxContext = 2147483647;

struct PendingLink {
  int line;
  std::size_t topic;
  std::size_t paragraph;
  std::size_t span;
};

[[noreturn]] void Fail(int line, const std::string& message) {
  throw HelpError("line " + std::to_string(line) + ": " + message);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Ids are ASCII; two that differ only in case are one id to WinHelp.
std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool IsIdCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.';
}

bool IsValidId(std::string_view id) {
  return !id.empty() && std::all_of(id.begin(), id.end(), IsIdCharacter);
}

class Parser {
 public:
  HelpDocument Run(std::string_view source) {
    if (StartsWith(source, "\xEF\xBB\xBF")) source.remove_prefix(3);
    int line_number = 0;
    while (!source.empty()) {
      const std::size_t end = source.find('\n');
      std::string_view line = source.substr(0, end);
      source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
      ++line_number;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      Statement(line_number, line);
    }
    Finish(line_number);
    return std::move(document_);
  }

 private:
  void Statement(int line, std::string_view text) {
    for (char c : text) {
      if (static_cast<unsigned char>(c) < 0x20) Fail(line, "control character");
    }
    text = Trim(text);
    if (text.empty() || text.front() == '#') return;
    if (StartsWith(text, "title:")) return FileTitle(line, Trim(text.substr(6)));
    if (StartsWith(text, "contents:")) return Contents(line, Trim(text.substr(9)));
    if (StartsWith(text, "topic:")) return NewTopic(line, Trim(text.substr(6)));
    Topic& topic = Current(line);
    if (StartsWith(text, "context:")) return Context(line, topic, Trim(text.substr(8)));
    if (StartsWith(text, "keywords:")) return Keywords(line, topic, text.substr(9));
    if (StartsWith(text, "== "))
      return AddParagraph(line, ParagraphStyle::kHeading, text.substr(3));
    if (StartsWith(text, "- ")) return AddParagraph(line, ParagraphStyle::kBullet, text.substr(2));
    AddParagraph(line, ParagraphStyle::kBody, text);
  }

  void FileTitle(int line, std::string_view title) {
    if (!document_.topics.empty() || !document_.title.empty()) {
      Fail(line, "the title is given once, before the first topic");
    }
    if (title.empty()) Fail(line, "empty title");
    document_.title = title;
  }

  void Contents(int line, std::string_view id) {
    if (!document_.topics.empty() || !contents_id_.empty()) {
      Fail(line, "the contents topic is named once, before the first topic");
    }
    if (id.empty()) Fail(line, "no contents topic named");
    contents_id_ = id;
    contents_line_ = line;
  }

  void NewTopic(int line, std::string_view rest) {
    const std::size_t blank = rest.find(' ');
    const std::string_view id = rest.substr(0, blank);
    const std::string_view title =
        blank == std::string_view::npos ? std::string_view() : Trim(rest.substr(blank));
    if (!IsValidId(id)) Fail(line, "a topic id is made of A-Z, a-z, 0-9, _ and .");
    const std::string key = Lower(id);
    if (key == "index" || key == "keywords") Fail(line, "the id \"" + key + "\" is taken");
    if (!ids_.insert(key).second) Fail(line, "a second topic \"" + std::string(id) + "\"");
    if (title.empty()) Fail(line, "the topic has no title");
    CheckLastTopicHasText();
    document_.topics.push_back(Topic{std::string(id), std::string(title), {}, {}, {}});
    topic_line_ = line;
  }

  Topic& Current(int line) {
    if (document_.topics.empty()) Fail(line, "text before the first topic");
    return document_.topics.back();
  }

  void Context(int line, Topic& topic, std::string_view digits) {
    if (topic.context) Fail(line, "a second context number for the topic");
    if (digits.empty() || digits.size() > 10) Fail(line, "the context number is 0..2147483647");
    std::int64_t value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') Fail(line, "the context number is 0..2147483647");
      value = value * 10 + (c - '0');
    }
    if (value > kMaxContext) Fail(line, "the context number is 0..2147483647");
    if (!contexts_.insert(value).second) Fail(line, "context number used twice");
    topic.context = static_cast<std::int32_t>(value);
  }

  void Keywords(int line, Topic& topic, std::string_view list) {
    while (true) {
      const std::size_t semicolon = list.find(';');
      const std::string keyword(Trim(list.substr(0, semicolon)));
      if (keyword.empty()) Fail(line, "an empty keyword");
      for (const auto& known : topic.keywords) {
        if (known == keyword) Fail(line, "the keyword \"" + keyword + "\" twice in one topic");
      }
      topic.keywords.push_back(keyword);
      if (semicolon == std::string_view::npos) return;
      list.remove_prefix(semicolon + 1);
    }
  }

  void AddParagraph(int line, ParagraphStyle style, std::string_view text) {
    Topic& topic = document_.topics.back();
    Paragraph paragraph{style, {}};
    while (!text.empty()) {
      const std::size_t open = text.find("[[");
      if (open > 0) paragraph.spans.push_back(Span{std::string(text.substr(0, open)), {}});
      if (open == std::string_view::npos) break;
      const std::size_t close = text.find("]]", open);
      if (close == std::string_view::npos) Fail(line, "a link without \"]]\"");
      const std::string_view inside = text.substr(open + 2, close - open - 2);
      const std::size_t bar = inside.find('|');
      const std::string_view id = Trim(inside.substr(0, bar));
      const std::string_view label =
          bar == std::string_view::npos ? std::string_view() : Trim(inside.substr(bar + 1));
      if (bar != std::string_view::npos && label.empty()) Fail(line, "a link without text");
      pending_.push_back(PendingLink{line, document_.topics.size() - 1, topic.paragraphs.size(),
                                     paragraph.spans.size()});
      paragraph.spans.push_back(Span{std::string(label), std::string(id)});
      text.remove_prefix(close + 2);
    }
    topic.paragraphs.push_back(std::move(paragraph));
  }

  // A topic ends where the next one starts, or at the end of the source.
  void CheckLastTopicHasText() {
    if (!document_.topics.empty() && document_.topics.back().paragraphs.empty()) {
      Fail(topic_line_, "the topic \"" + document_.topics.back().id + "\" has no text");
    }
  }

  void Finish(int last_line) {
    if (document_.title.empty()) Fail(last_line, "no \"title:\" line");
    if (document_.topics.empty()) Fail(last_line, "no topic");
    CheckLastTopicHasText();
    ResolveLinks();
    if (contents_id_.empty()) Fail(last_line, "no \"contents:\" line");
    document_.contents = FindTopic(document_, contents_id_);
    if (document_.contents == kNoTopic) Fail(contents_line_, "no topic \"" + contents_id_ + "\"");
    CheckContentsListsAll();
  }

  void ResolveLinks() {
    for (const PendingLink& link : pending_) {
      Span& span = document_.topics[link.topic].paragraphs[link.paragraph].spans[link.span];
      const std::size_t target = FindTopic(document_, span.target);
      if (target == kNoTopic) Fail(link.line, "a link to no topic: \"" + span.target + "\"");
      if (span.text.empty()) span.text = document_.topics[target].title;
    }
  }

  void CheckContentsListsAll() {
    std::set<std::string> linked;
    for (const auto& paragraph : document_.topics[document_.contents].paragraphs) {
      for (const auto& span : paragraph.spans)
        linked.insert(span.target);
    }
    for (std::size_t i = 0; i < document_.topics.size(); ++i) {
      const Topic& topic = document_.topics[i];
      if (i != document_.contents && linked.count(topic.id) == 0) {
        Fail(contents_line_, "the contents topic does not link to \"" + topic.id + "\"");
      }
    }
  }

  HelpDocument document_;
  std::string contents_id_;
  int contents_line_ = 0;
  int topic_line_ = 0;
  std::set<std::string> ids_;
  std::set<std::int64_t> contexts_;
  std::vector<PendingLink> pending_;
};

}  // namespace

std::size_t FindTopic(const HelpDocument& document, std::string_view id) {
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    if (document.topics[i].id == id) return i;
  }
  return kNoTopic;
}

HelpDocument ParseHelpSource(std::string_view source) {
  return Parser().Run(source);
}

}  // namespace banchiro::help
