// The help writer: the generated help file read back the way a WinHelp viewer
// reads it (Wine's winhlp32 is the model).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "help/help_document.h"
#include "help/hlp_file.h"
#include "help/shift_jis.h"

namespace banchiro::help {
namespace {

namespace fs = std::filesystem;
using Bytes = std::string_view;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

unsigned U16(Bytes b, std::size_t at) {
  return static_cast<unsigned char>(b.at(at)) | static_cast<unsigned char>(b.at(at + 1)) << 8;
}
std::uint32_t U32(Bytes b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}
std::string_view CString(Bytes b, std::size_t at) {
  return b.substr(at, b.find('\0', at) - at);
}

std::string RealSource() {
  const fs::path path = fs::path(__FILE__).parent_path() / "../../help/banchiro_help.txt";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// B+ trees: pages follow the 38-byte header; an entry is laid out as the
// tree's structure string says (z and F a text, 2 a short, 4 and L a long).
Bytes TreePage(Bytes tree, unsigned page) {
  return tree.substr(38 + page * U16(tree, 4), U16(tree, 4));
}
Bytes Entry(Bytes tree, Bytes page, std::size_t at) {
  std::size_t size = 0;
  for (char c : CString(tree, 6))
    size += c == 'z' || c == 'F' ? CString(page, at + size).size() + 1 : c == '2' ? 2 : 4;
  return page.substr(at, size);
}

// Every entry from the first leaf along the next links, checking the links
// back and the unused-bytes count of each leaf.
std::vector<Bytes> TreeEntries(Bytes tree) {
  EXPECT_EQ(U16(tree, 0), 0x293Bu);
  EXPECT_EQ(U32(tree, 22), 0u);  // must be zero; no page splits
  EXPECT_EQ(U16(tree, 28), 0xFFFFu);
  unsigned page = U16(tree, 26);
  for (unsigned level = 1; level < U16(tree, 32); ++level)
    page = U16(TreePage(tree, page), 4);
  std::vector<Bytes> entries;
  for (unsigned previous = 0xFFFF; page != 0xFFFF; page = U16(TreePage(tree, page), 6)) {
    const Bytes p = TreePage(tree, page);
    EXPECT_EQ(U16(p, 4), previous);
    std::size_t at = 8;
    for (unsigned i = 0; i < U16(p, 2); ++i)
      at += entries.emplace_back(Entry(tree, p, at)).size();
    EXPECT_EQ(U16(p, 0), p.size() - at);
    previous = page;
  }
  EXPECT_EQ(entries.size(), U32(tree, 34));
  return entries;
}

// The viewer's search by a text key: down the index pages to the leaf whose
// range holds the key, then along that leaf.
Bytes FindEntry(Bytes tree, std::string_view key) {
  unsigned page = U16(tree, 26);
  for (unsigned level = 1; level < U16(tree, 32); ++level) {
    const Bytes p = TreePage(tree, page);
    page = U16(p, 4);
    for (std::size_t i = 0, at = 6; i < U16(p, 2) && CString(p, at) <= key; ++i) {
      page = U16(p, at + CString(p, at).size() + 1);
      at += CString(p, at).size() + 3;
    }
  }
  const Bytes p = TreePage(tree, page);
  for (std::size_t i = 0, at = 8; i < U16(p, 2); ++i, at += Entry(tree, p, at).size())
    if (CString(p, at) == key) return Entry(tree, p, at);
  return {};
}

struct Record {
  std::uint32_t position;
  unsigned type;
  Bytes head;  // after the 21-byte record header
  Bytes text;
  std::uint32_t offset;  // of a topic header: the topic offset the viewer computes
};

// The help file: its header, its directory, its internal files by name.
struct HelpReader {
  std::string bytes;
  std::map<std::string, Bytes, std::less<>> files;

  explicit HelpReader(std::string file) : bytes(std::move(file)) {
    EXPECT_EQ(U32(bytes, 0), 0x00035F3Fu);
    EXPECT_EQ(U32(bytes, 8), kNone);
    EXPECT_EQ(U32(bytes, 12), bytes.size());
    const Bytes directory = Internal(U32(bytes, 4));
    EXPECT_EQ(U16(directory, 2), 0x0402u);
    for (Bytes entry : TreeEntries(directory)) {
      const std::string name(CString(entry, 0));
      EXPECT_TRUE(files.empty() || files.rbegin()->first < name) << name;
      files[name] = Internal(U32(entry, name.size() + 1));
    }
  }
  Bytes Internal(std::uint32_t at) const {
    EXPECT_EQ(U32(bytes, at), U32(bytes, at + 4) + 9);
    return Bytes(bytes).substr(at + 9, U32(bytes, at + 4));
  }
  Bytes File(std::string_view name) const { return files.at(std::string(name)); }

  // |TOPIC from position 12 along the next links, as the viewer loads it; a
  // topic offset counts the text lengths of the block's records before it.
  std::vector<Record> Topic() const {
    const Bytes topic = File("|TOPIC");
    std::vector<Record> records;
    std::uint32_t previous = kNone, characters = 0;
    for (std::uint32_t at = 12; at != kNone && records.size() < 1000;) {
      const std::size_t place = (at >> 14) * 4096 + 12 + ((at - 12) & 0x3FFF);
      const Bytes r = topic.substr(place, U32(topic, place));
      EXPECT_EQ(U32(r, 8), previous);
      EXPECT_EQ(r.size(), U32(r, 16) + U32(r, 4));
      if (records.empty() || at >> 14 != previous >> 14) characters = 0;
      records.push_back({at, static_cast<unsigned char>(r[20]), r.substr(21, U32(r, 16) - 21),
                         r.substr(U32(r, 16)), (at >> 14) * 0x8000 + characters});
      const auto first = static_cast<unsigned char>(r[21 + 2]);
      if (r[20] == 0x20) characters += (first & 1) ? U16(r, 21 + 2) / 2 : first / 2;
      previous = at;
      at = U32(r, 12);
    }
    return records;
  }
};

TEST(HelpFileTest, DirectorySystemAndFontAsTheViewerReadsThem) {
  const HelpReader help(WriteHelpFile(ParseHelpSource(RealSource())));
  EXPECT_EQ(help.files.size(), 9u);  // every one of them is read by name below
  const Bytes system = help.File("|SYSTEM");
  EXPECT_EQ(system.substr(0, 12), Bytes("\x6C\x03\x21\0\1\0\0\0\0\0\0\0", 12));
  std::map<unsigned, Bytes> records;
  for (std::size_t at = 12; at < system.size(); at += 4 + U16(system, at + 2))
    records[U16(system, at)] = system.substr(at + 4, U16(system, at + 2));
  EXPECT_EQ(CString(records[1], 0), ToShiftJis("ばんちろ君 for Win ヘルプ"));
  EXPECT_EQ(U16(records[9], 8), 0x0411u);
  EXPECT_EQ(U16(records[11], 0), 128u);
  const Record contents = help.Topic().front();
  EXPECT_EQ(contents.text, ToShiftJis("ばんちろ君 for Win ヘルプ 目次"));
  EXPECT_EQ(contents.offset, U32(records[3], 0));
  const Bytes font = help.File("|FONT");
  EXPECT_EQ(CString(font, U16(font, 4)), ToShiftJis("ＭＳ Ｐゴシック"));
  // Body text plain, the title and subheadings bold; sizes from the title down.
  const Bytes fonts = font.substr(U16(font, 6));
  EXPECT_EQ(std::string({fonts[0], fonts[11], fonts[22]}), std::string("\0\1\1", 3));
  EXPECT_TRUE(fonts[12] > fonts[23] && fonts[23] > fonts[1]);
}

TEST(HelpFileTest, TopicChainTitlesParagraphsAndJumps) {
  const HelpDocument document = ParseHelpSource(RealSource());
  const HelpReader help(WriteHelpFile(document));
  std::set<std::uint32_t> hashes;
  for (Bytes entry : TreeEntries(help.File("|CONTEXT")))
    hashes.insert(U32(entry, 0));
  const std::vector<Record> records = help.Topic();
  const Bytes blocks = help.File("|TOPIC");
  EXPECT_EQ(blocks.size() % 4096, 0u);
  std::size_t topic = 0, header_at = 0;
  std::uint32_t last_header = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    if (i == 0 || r.position >> 14 != records[i - 1].position >> 14) {  // a block's header
      const Bytes block = blocks.substr((r.position >> 14) * 4096, 12);
      EXPECT_EQ(U32(block, 0), i ? records[i - 1].position : kNone);
      EXPECT_EQ(U32(block, 4), r.position);
      EXPECT_EQ(U32(block, 8), last_header);
    }
    if (r.type == 2) {  // topic header: number, first text, next header
      last_header = r.position;
      header_at = i;
      std::size_t next = i + 1;
      while (next < records.size() && records[next].type != 2)
        ++next;
      EXPECT_EQ(U32(r.head, 12), topic++);
      EXPECT_EQ(U32(r.head, 20), next > i + 1 ? records[i + 1].position : kNone);
      EXPECT_EQ(U32(r.head, 24), next < records.size() ? records[next].position : kNone);
      continue;
    }
    // A text record: one string before each command; jumps lead to topics.
    ASSERT_EQ(r.type, 0x20u);
    ASSERT_EQ(U16(r.head, 0), (r.head.size() - 2 - ((r.head[2] & 1) ? 2 : 1) + 0x4000) * 2);
    std::size_t at = (r.head[2] & 1) ? 4 : 3;
    EXPECT_EQ(r.head.substr(at, 4), Bytes("\0\x80\0\0", 4));
    const unsigned bits = U16(r.head, at + 4);
    EXPECT_EQ(bits & ~0x7Eu, 0u);
    at += 6;
    // One byte per measure, (v + 64) x 2; a list item's bullet hangs: first line = -left.
    EXPECT_TRUE(!(bits & 0x10) || U16(r.head, at + 1) % 256 + U16(r.head, at + 2) % 256 == 256);
    for (unsigned bit = 2; bit <= 0x40; bit <<= 1)
      at += (bits & bit) ? 1 : 0;
    std::size_t commands = 0;
    for (bool end = false; !end; ++commands) {
      const auto c = static_cast<unsigned char>(r.head.at(at));
      if (c == 0xE3) {
        EXPECT_EQ(hashes.count(U32(r.head, at + 1)), 1u);
      }
      at += c == 0x80 ? 3 : c == 0xE3 ? 5 : 1;
      end = c == 0xFF;
      EXPECT_TRUE(c == 0x80 || c == 0xE3 || c == 0x89 || c == 0x82 || end) << int(c);
    }
    EXPECT_EQ(at, r.head.size());
    EXPECT_EQ(r.head.substr(r.head.size() - 2), "\x82\xFF");
    EXPECT_EQ(std::count(r.text.begin(), r.text.end(), '\0'), commands);
    // What the strings show: the title first, then each paragraph.
    std::string shown(r.text);
    shown.erase(std::remove(shown.begin(), shown.end(), '\0'), shown.end());
    const Topic& t = document.topics[topic - 1];
    std::string expected = t.title;
    if (i > header_at + 1) {
      const Paragraph& p = t.paragraphs[i - header_at - 2];
      expected = p.style == ParagraphStyle::kBullet ? "・" : "";
      for (const Span& span : p.spans)
        expected += span.text;
    }
    EXPECT_EQ(shown, ToShiftJis(expected));
    // Menus are named as they show, "(M)": a viewer shows "(&M)" as typed.
    EXPECT_EQ(expected.find("(&"), std::string::npos) << expected;
  }
  EXPECT_EQ(records.back().type, 2u);
  EXPECT_EQ(topic, document.topics.size() + 1);
  const auto titles = TreeEntries(help.File("|TTLBTREE"));
  ASSERT_EQ(titles.size(), document.topics.size());
  for (std::size_t i = 0, t = 0; i + 1 < records.size(); ++i) {
    if (records[i].type != 2) continue;
    EXPECT_EQ(records[i].text, ToShiftJis(document.topics[t].title));
    EXPECT_EQ(CString(titles[t], 4), records[i].text);
    EXPECT_EQ(U32(titles[t++], 0), records[i].offset);
  }
}

TEST(HelpFileTest, ContextHashesSortedSignedAndContextNumbersOpenTheTabs) {
  EXPECT_EQ(ContextHash("A1"), 17u * 43 + 1);
  EXPECT_EQ(ContextHash("_.0"), 24563u);
  EXPECT_EQ(ContextHash("contents"), 636769674u);   // computed apart from this code
  EXPECT_EQ(ContextHash("overview"), 2551221821u);  // negative as a signed number
  EXPECT_EQ(ContextHash("Settings_General"), ContextHash("settings_general"));
  EXPECT_EQ(ContextHash("a-b"), ContextHash("ab"));  // the viewer skips other characters
  const HelpDocument document = ParseHelpSource(RealSource());
  const HelpReader help(WriteHelpFile(document));
  std::map<std::string, std::uint32_t, std::less<>> offset_of;
  for (const Record& r : help.Topic())
    offset_of[std::string(r.text)] = r.offset;
  const auto context = TreeEntries(help.File("|CONTEXT"));
  ASSERT_EQ(context.size(), document.topics.size());
  for (std::size_t i = 1; i < context.size(); ++i)
    EXPECT_LT(static_cast<std::int32_t>(U32(context[i - 1], 0)),
              static_cast<std::int32_t>(U32(context[i], 0)));
  EXPECT_GT(U32(context.front(), 0), 0x7FFFFFFFu);
  std::map<std::uint32_t, std::uint32_t> offset_by_hash;
  for (Bytes entry : context)
    offset_by_hash[U32(entry, 0)] = U32(entry, 4);
  for (const Topic& topic : document.topics)
    EXPECT_EQ(offset_by_hash[ContextHash(topic.id)], offset_of[ToShiftJis(topic.title)])
        << topic.id;
  const Bytes map = help.File("|CTXOMAP");
  const std::pair<std::uint32_t, const char*> tabs[] = {{22, "「ばんちろ対象外」タブ"},
                                                        {26, "「環境設定等」タブ"},
                                                        {38, "「右クリックの追加」タブ"},
                                                        {46, "「Ctrl＋Fxの追加」タブ"}};
  ASSERT_EQ(map.size(), 2u + 8 * 4);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(U32(map, 2 + 8 * i), tabs[i].first);
    EXPECT_EQ(U32(map, 6 + 8 * i), offset_of[ToShiftJis(tabs[i].second)]) << tabs[i].second;
  }
}

TEST(HelpFileTest, KeywordsFoundThroughTheIndexPagesLeadToTheirTopics) {
  const HelpDocument real = ParseHelpSource(RealSource());
  std::string links, topics;  // 30 topics of 20 long keywords each, and one they share
  for (int i = 0; i < 30; ++i) {
    links += "[[t" + std::to_string(i) + "]]";
    topics += "topic: t" + std::to_string(i) + " T" + std::to_string(i) + "\n" +
              std::string(125, 'x') + "\nkeywords: shared";
    for (int k = 0; k < 20; ++k)
      topics += "; " + std::string(90, 'k') + std::to_string(i * 20 + k);
    topics += "\n";
  }
  const std::pair<HelpDocument, std::vector<std::pair<const char*, const char*>>> cases[] = {
      {real,
       {{"ばんちろ対象外", "「ばんちろ対象外」タブ"},
        {"ホットキー", "ホットキー Ctrl＋F1～Ctrl＋F12"},
        {"目次", "ばんちろ君 for Win ヘルプ 目次"},
        {"BANCHIRO.EXE G", "コマンドラインで使う（BANCHIRO.EXE G）"}}},
      {ParseHelpSource("title: T\ncontents: c\ntopic: c C\ncontext: 9\n" + links + "\n" + topics),
       {{"shared", "T0"}, {"shared", "T29"}}},
  };
  for (const auto& [document, lookups] : cases) {
    const HelpReader help(WriteHelpFile(document));
    const Bytes tree = help.File("|KWBTREE");
    EXPECT_GE(U16(tree, 32), 2u);  // the index pages are used
    std::map<std::uint32_t, std::string> title_at;
    for (const Record& r : help.Topic())
      if (r.type == 2) title_at[r.offset] = r.text;
    const auto entries = TreeEntries(tree);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(FindEntry(tree, CString(entries[i], 0)), entries[i]) << i;
      EXPECT_EQ(CString(entries[i], 0).find("(&"), std::string::npos) << i;
    }
    for (const auto& [keyword, title] : lookups) {
      const Bytes entry = FindEntry(tree, ToShiftJis(keyword));
      std::set<std::string> titles;
      for (unsigned i = 0; i < U16(entry, entry.size() - 6); ++i)
        titles.insert(title_at[U32(help.File("|KWDATA"), U32(entry, entry.size() - 4) + 4 * i)]);
      EXPECT_EQ(titles.count(ToShiftJis(title)), 1u) << keyword;
    }
    std::size_t contexts = 0;
    for (const Topic& topic : document.topics)
      contexts += topic.context.has_value();
    EXPECT_EQ(U16(help.File("|CTXOMAP"), 0), contexts);
    const Bytes map = help.File("|KWMAP");
    ASSERT_EQ(map.size(), 2 + 6u * U16(map, 0));
    for (unsigned leaf = 0, first = 0; leaf < U16(map, 0); ++leaf) {
      const Bytes page = TreePage(tree, U16(map, 6 + 6 * leaf));
      EXPECT_EQ(U32(map, 2 + 6 * leaf), first);
      first += U16(page, 2);
    }
  }
}

}  // namespace
}  // namespace banchiro::help
