// The help source's keyword order and refusals, its HTML pages, and helpgen.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <random>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "help/help_document.h"
#include "help/helpgen.h"
#include "help/hlp_file.h"
#include "help/html_pages.h"
#include "help/keyword_index.h"

namespace banchiro::help {
namespace {

namespace fs = std::filesystem;

// What writing the help file of this source refuses.
std::string ErrorOf(const std::string& source) {
  try {
    WriteHelpFile(ParseHelpSource(source));
  } catch (const HelpError& error) {
    return error.what();
  }
  return "no error";
}

TEST(HelpSourceTest, KeywordsInShiftJisOrderWithAsciiLettersOfEitherCase) {
  std::vector<std::string> order;
  for (const auto& entry : KeywordIndex(
           ParseHelpSource("title: T\ncontents: c\ntopic: c C\nkeywords: ツ; b; （; ェ; abc; "
                           "あ; ー; ABC\nx\n")))
    order.push_back(entry.keyword);
  // Second bytes that look like letters stay as they are: "ツ" 83 63, "（" 81 69.
  EXPECT_EQ(order, (std::vector<std::string>{"ABC", "abc", "b", "ー", "（", "あ", "ェ", "ツ"}));
}

TEST(HelpSourceTest, Refusals) {
  const std::string c = "title: T\ncontents: c\ntopic: c C\n";  // lines 1 to 3
  const std::pair<std::string, const char*> cases[] = {
      {"topic: c C\nx\n", "line 2: no \"title:\" line"},
      {"title: T\ntopic: c C\nx\n", "line 3: no \"contents:\" line"},
      {"title: T\ncontents: c\nx\n", "line 3: text before the first topic"},
      {c, "line 3: the topic \"c\" has no text"},
      {c + "topic: d D\nx\n", "line 3: the topic \"c\" has no text"},  // not only the last
      {"title: T\ncontents: c\ntopic: c-1 C\nx\n", "line 3: a topic id"},
      {"title: T\ncontents: c\ntopic: c\nx\n", "line 3: the topic has no title"},
      {"title: T\ncontents: c\ntopic: Index I\nx\n", "\"index\" is taken"},
      {c + "[[C]]\ntopic: C D\nx\n", "line 5: a second topic"},
      {"title: T\ncontents: d\ntopic: c C\nx\n", "line 2: no topic \"d\""},
      {"title: T\ncontents: c\ntopic: d D\ny\ntopic: c C\nx\n", "does not link to \"d\""},
      {c + "[[d]]\n", "line 4: a link to no topic"},
      {c + "[[c\n", "line 4: a link without"},
      {c + "[[c| ]]\n", "line 4: a link without text"},
      {c + "context: 2147483648\nx\n", "line 4: the context"},
      {c + "context: 1x\nx\n", "line 4: the context"},
      {c + "context: 1\ncontext: 2\nx\n", "line 5: a second"},
      {c + "context: 5\n[[d]]\ntopic: d D\ncontext: 5\nx\n", "line 7: context number used twice"},
      {c + "keywords: a;;b\nx\n", "line 4: an empty keyword"},
      {c + "keywords: a; a\nx\n", "\"a\" twice"},
      {c + "x\ttab\n", "line 4: control character"},
      {"title: T\ntitle: U\n", "line 2: the title is given once"},
      {"title: \n", "line 1: empty title"},
      {"title: T\ncontents:\n", "line 2: no contents topic named"},
      {"title: T\ncontents: c\ncontents: c\n", "line 3: the contents topic is named once"},
      {c + "ok\xF0\x9F\x98\x80\n", "no Shift-JIS code after \"ok\" in"},
      {c + std::string(5000, 'x') + "\n", "a paragraph too long"},
      // Two ids of one hash (found by a search apart from this code).
      {c + "[[pkaifrr]] [[griyloy]]\ntopic: pkaifrr X\nx\ntopic: griyloy Y\ny\n",
       "\"pkaifrr\" and \"griyloy\" have the same context hash"},
  };
  for (const auto& [source, message] : cases) {
    EXPECT_NE(ErrorOf(source).find(message), std::string::npos) << source;
  }
}

// The markup's forms and the HTML they make: a byte-order mark, comments, CR
// LF, statements with or without a blank after the colon.
TEST(HtmlPagesTest, MarkupNamesLinksAndEscaping) {
  const HelpDocument d = ParseHelpSource(
      "\xEF\xBB\xBF# comment\r\ntitle:T\ncontents:c\r\ntopic:c C<&>\n[[x]] [[k|\"q\" 'a']]\n"
      "keywords:both\ntopic: x X\ncontext:2147483647\n- a < b\n- [[c]]\nkeywords: both ;one\n"
      "topic: k K\n== H & I\nkeywords: z\n");
  std::map<std::string, std::string> pages;
  for (HtmlPage& page : HtmlPages(d))
    pages[page.file_name] = page.html;
  EXPECT_EQ(pages.size(), 5u);
  EXPECT_EQ(pages["index.html"], pages["c.html"]);
  const std::pair<std::string, std::string> expected[] = {
      {"k.html", "<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">"},
      {"keywords.html", "<nav><a href=\"index.html\">目次</a> | <a href=\"keywords.html\">"},
      {"index.html", "<h1>C&lt;&amp;&gt;</h1>"},
      {"index.html",
       "<a href=\"context-2147483647.html\">X</a> <a href=\"k.html\">&quot;q&quot; "
       "&#39;a&#39;</a>"},
      {"context-2147483647.html",
       "<ul>\n<li>a &lt; b</li>\n<li><a href=\"index.html\">C&lt;&amp;&gt;</a></li>\n</ul>"},
      {"k.html", "<title>K - T</title>"},
      {"k.html", "<h2>H &amp; I</h2>\n</body>"},
      {"keywords.html",
       "<li>both<ul>\n<li><a href=\"index.html\">C&lt;&amp;&gt;</a></li>\n"
       "<li><a href=\"context-2147483647.html\">X</a></li>\n</ul></li>\n"
       "<li><a href=\"context-2147483647.html\">one</a></li>\n<li><a href=\"k.html\">z</a>"},
  };
  for (const auto& [page, html] : expected)
    EXPECT_NE(pages[page].find(html), std::string::npos) << page << ": " << html;
}

TEST(HelpgenTest, WritesEverythingOrNothing) {
  const fs::path dir =
      fs::temp_directory_path() / ("helpgen_test_" + std::to_string(std::random_device()()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  };
  const std::string good = write("good.txt", "title: T\ncontents: c\ntopic: c C\nx\n");
  const std::string bad = write("bad.txt", "title: T\ncontents: c\ntopic: c C\n\xF0\x9F\x98\x80\n");
  const std::string hlp = (dir / "out" / "H.HLP").string(), html = (dir / "out" / "h").string();
  const std::tuple<std::vector<std::string>, int, const char*> runs[] = {
      {{}, 2, "usage:"},
      {{good}, 2, "usage:"},
      {{good, "--hlp"}, 2, "usage:"},
      {{good, "--hlp", hlp, "--hlp", hlp}, 2, "usage:"},
      {{good, "-x", hlp}, 2, "usage:"},
      {{good, bad, "--hlp", hlp}, 2, "usage:"},
      {{(dir / "missing.txt").string(), "--hlp", hlp}, 1, "cannot read the source"},
      {{dir.string(), "--hlp", hlp}, 1, "cannot read the source"},
      {{bad, "--hlp", hlp, "--html", html}, 1, "bad.txt: a character that has no Shift-JIS"},
      {{good, "--hlp", hlp, "--html", good}, 1, "cannot make the folder"},
      {{good, "--html", html, "--hlp", (dir / "none" / "H.HLP").string()}, 1, "cannot write"},
  };
  for (const auto& [arguments, status, message] : runs) {
    std::ostringstream err;
    EXPECT_EQ(RunHelpgen(arguments, err), status) << err.str();
    EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
  }
  EXPECT_FALSE(fs::exists(hlp));
  EXPECT_TRUE(fs::is_empty(html));
  std::ostringstream err;
  ASSERT_EQ(RunHelpgen({good, "--hlp", hlp, "--html", html}, err), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  std::ifstream in(hlp, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            WriteHelpFile(ParseHelpSource("title: T\ncontents: c\ntopic: c C\nx\n")));
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(html))
    names.insert(entry.path().filename());
  EXPECT_EQ(names, (std::set<std::string>{"c.html", "index.html", "keywords.html"}));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace banchiro::help
