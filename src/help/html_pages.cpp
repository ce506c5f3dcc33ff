#include "help/html_pages.h"

#include "help/keyword_index.h"

namespace banchiro::help {
namespace {

constexpr std::string_view kContentsPage = "index.html";
constexpr std::string_view kKeywordsPage = "keywords.html";
constexpr std::string_view kContentsLabel = "目次";
constexpr std::string_view kKeywordsLabel = "キーワード";
constexpr std::string_view kStyle =
    "body{font-family:\"Meiryo\",\"MS PGothic\",sans-serif;max-width:46em;margin:1em auto;"
    "padding:0 1em;line-height:1.7;color:#222}"
    "nav{font-size:90%;border-bottom:1px solid #ccc;padding-bottom:.3em}"
    "h1{font-size:1.5em;color:#006}h2{font-size:1.15em;color:#004;margin-top:1.4em}"
    "a{color:#05a}li{margin:.2em 0}";

// Links to the contents topic lead to the contents page.
std::string PageOf(const HelpDocument& document, std::size_t topic) {
  return topic == document.contents ? std::string(kContentsPage)
                                    : TopicPageName(document.topics[topic]);
}

std::string Link(const std::string& page, std::string_view text) {
  return "<a href=\"" + HtmlEscape(page) + "\">" + HtmlEscape(text) + "</a>";
}

std::string Page(const HelpDocument& document, std::string_view title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         HtmlEscape(title) + " - " + HtmlEscape(document.title) + "</title>\n<style>" +
         std::string(kStyle) + "</style>\n</head>\n<body>\n<nav>" +
         Link(std::string(kContentsPage), kContentsLabel) + " | " +
         Link(std::string(kKeywordsPage), kKeywordsLabel) + "</nav>\n<h1>" + HtmlEscape(title) +
         "</h1>\n" + body + "</body>\n</html>\n";
}

std::string Spans(const HelpDocument& document, const Paragraph& paragraph) {
  std::string out;
  for (const Span& span : paragraph.spans) {
    out += span.target.empty()
               ? HtmlEscape(span.text)
               : Link(PageOf(document, FindTopic(document, span.target)), span.text);
  }
  return out;
}

// Paragraphs, subheadings, and the items of a list gathered in one list.
std::string TopicBody(const HelpDocument& document, const Topic& topic) {
  std::string out;
  bool in_list = false;
  for (const Paragraph& paragraph : topic.paragraphs) {
    const bool item = paragraph.style == ParagraphStyle::kBullet;
    if (item != in_list) out += item ? "<ul>\n" : "</ul>\n";
    in_list = item;
    const std::string text = Spans(document, paragraph);
    switch (paragraph.style) {
      case ParagraphStyle::kHeading:
        out += "<h2>" + text + "</h2>\n";
        break;
      case ParagraphStyle::kBullet:
        out += "<li>" + text + "</li>\n";
        break;
      case ParagraphStyle::kBody:
        out += "<p>" + text + "</p>\n";
        break;
    }
  }
  if (in_list) out += "</ul>\n";
  return out;
}

// A keyword of one topic is a link to it; one of several lists them.
std::string KeywordsBody(const HelpDocument& document) {
  std::string out = "<ul>\n";
  for (const KeywordEntry& entry : KeywordIndex(document)) {
    if (entry.topics.size() == 1) {
      out += "<li>" + Link(PageOf(document, entry.topics[0]), entry.keyword) + "</li>\n";
      continue;
    }
    out += "<li>" + HtmlEscape(entry.keyword) + "<ul>\n";
    for (std::size_t topic : entry.topics) {
      out += "<li>" + Link(PageOf(document, topic), document.topics[topic].title) + "</li>\n";
    }
    out += "</ul></li>\n";
  }
  return out + "</ul>\n";
}

}  // namespace

std::string TopicPageName(const Topic& topic) {
  return topic.context ? "context-" + std::to_string(*topic.context) + ".html" : topic.id + ".html";
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::vector<HtmlPage> HtmlPages(const HelpDocument& document) {
  std::vector<HtmlPage> pages;
  const Topic& contents = document.topics[document.contents];
  pages.push_back(HtmlPage{std::string(kContentsPage),
                           Page(document, contents.title, TopicBody(document, contents))});
  pages.push_back(
      HtmlPage{std::string(kKeywordsPage), Page(document, kKeywordsLabel, KeywordsBody(document))});
  for (const Topic& topic : document.topics) {
    pages.push_back(
        HtmlPage{TopicPageName(topic), Page(document, topic.title, TopicBody(document, topic))});
  }
  return pages;
}

}  // namespace banchiro::help
