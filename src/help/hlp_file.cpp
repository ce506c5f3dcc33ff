#include "help/hlp_file.h"

#include <algorithm>
#include <map>
#include <vector>

#include "help/btree.h"
#include "help/byte_writer.h"
#include "help/keyword_index.h"
#include "help/shift_jis.h"
#include "help/topic_file.h"

namespace banchiro::help {
namespace {

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::size_t kFileHeaderSize = 16;
constexpr std::size_t kInternalHeaderSize = 9;
constexpr BTreeFormat kContextFormat{0x0002, 0x800, "L4"};
constexpr BTreeFormat kTitleFormat{0x0002, 0x800, "Lz"};
constexpr BTreeFormat kKeywordFormat{0x0002, 0x800, "F24"};

// |SYSTEM: WinHelp 4 (version 1.33), no compression; records of type 1
// title, 3 contents topic, 9 language (Japanese), 11 character set
// (Shift-JIS).
constexpr unsigned kJapanese = 0x0411;
constexpr unsigned kShiftJisCharset = 128;
constexpr char kFaceName[] = "ＭＳ Ｐゴシック";
constexpr std::size_t kFaceNameSize = 32;

void SystemRecord(ByteWriter& out, unsigned type, const std::string& data) {
  out.U16(type);
  out.U16(static_cast<unsigned>(data.size()));
  out.Bytes(data);
}

std::string SystemFile(const std::string& title, std::uint32_t contents) {
  ByteWriter out;
  out.U16(0x036C);
  out.U16(33);
  out.U16(1);
  out.U32(0);  // no date: the same source gives the same file
  out.U16(0);
  ByteWriter text;
  text.Text(title);
  SystemRecord(out, 1, text.Take());
  ByteWriter topic;
  topic.U32(contents);
  SystemRecord(out, 3, topic.Take());
  ByteWriter language;
  language.Zeros(8);
  language.U16(kJapanese);
  SystemRecord(out, 9, language.Take());
  ByteWriter charset;
  charset.U16(kShiftJisCharset);
  SystemRecord(out, 11, charset.Take());
  return out.Take();
}

// One face and the three fonts of topic_file.h: attributes (1 = bold), size
// in half-points, family (3 = swiss), face, text colour, background colour.
std::string FontFile() {
  struct Font {
    unsigned bold, half_points, red, green, blue;
  };
  constexpr Font kFonts[kFontCount] = {{0, 20, 0, 0, 0}, {1, 28, 0, 0, 128}, {1, 22, 0, 0, 96}};
  const std::string face = ToShiftJis(kFaceName);
  ByteWriter out;
  out.U16(1);
  out.U16(kFontCount);
  out.U16(8);
  out.U16(8 + kFaceNameSize);
  out.Bytes(face);
  out.Zeros(kFaceNameSize - face.size());
  for (const Font& font : kFonts) {
    out.U8(font.bold);
    out.U8(font.half_points);
    out.U8(3);
    out.U16(0);
    out.U8(font.red);
    out.U8(font.green);
    out.U8(font.blue);
    out.Zeros(3);
  }
  return out.Take();
}

std::string Number(std::uint32_t value) {
  ByteWriter out;
  out.U32(value);
  return out.Take();
}

std::vector<TopicText> EncodeTopics(const HelpDocument& document) {
  std::vector<TopicText> topics;
  for (const Topic& topic : document.topics) {
    TopicText text{ToShiftJis(topic.title), {}};
    for (const Paragraph& paragraph : topic.paragraphs) {
      TopicParagraph encoded{paragraph.style, {}};
      for (const Span& span : paragraph.spans) {
        TopicRun run{ToShiftJis(span.text), {}};
        if (!span.target.empty()) run.jump = ContextHash(span.target);
        encoded.runs.push_back(std::move(run));
      }
      text.paragraphs.push_back(std::move(encoded));
    }
    topics.push_back(std::move(text));
  }
  return topics;
}

// |CONTEXT: each topic's hash and offset, in the order of the hashes taken
// as signed numbers, which is how the viewer searches them.
std::string ContextFile(const HelpDocument& document, const std::vector<std::uint32_t>& offsets) {
  std::map<std::int32_t, std::size_t> by_hash;
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    const auto hash = static_cast<std::int32_t>(ContextHash(document.topics[i].id));
    const auto [it, added] = by_hash.emplace(hash, i);
    if (!added) {
      throw HelpError("the topics \"" + document.topics[it->second].id + "\" and \"" +
                      document.topics[i].id + "\" have the same context hash");
    }
  }
  std::vector<BTreeEntry> entries;
  for (const auto& [hash, topic] : by_hash) {
    const std::string key = Number(static_cast<std::uint32_t>(hash));
    entries.push_back(BTreeEntry{key, key + Number(offsets[topic])});
  }
  return BuildBTree(kContextFormat, entries).bytes;
}

// |CTXOMAP: the context numbers a program asks for, and their topics.
std::string ContextMapFile(const HelpDocument& document,
                           const std::vector<std::uint32_t>& offsets) {
  std::map<std::int32_t, std::uint32_t> map;
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    if (document.topics[i].context) map.emplace(*document.topics[i].context, offsets[i]);
  }
  ByteWriter out;
  out.U16(static_cast<unsigned>(map.size()));
  for (const auto& [number, offset] : map) {
    out.U32(static_cast<std::uint32_t>(number));
    out.U32(offset);
  }
  return out.Take();
}

std::string TitleFile(const std::vector<TopicText>& topics,
                      const std::vector<std::uint32_t>& offsets) {
  std::vector<BTreeEntry> entries;
  for (std::size_t i = 0; i < topics.size(); ++i) {
    const std::string key = Number(offsets[i]);
    entries.push_back(BTreeEntry{key, key + topics[i].title + '\0'});
  }
  return BuildBTree(kTitleFormat, entries).bytes;
}

// |KWBTREE (keyword, number of topics, where its topics start in |KWDATA),
// |KWDATA (the topic offsets) and |KWMAP (the first keyword of each leaf).
void KeywordFiles(const HelpDocument& document, const std::vector<std::uint32_t>& offsets,
                  std::map<std::string, std::string>& files) {
  ByteWriter data;
  std::vector<BTreeEntry> entries;
  for (const KeywordEntry& keyword : KeywordIndex(document)) {
    const std::string key = ToShiftJis(keyword.keyword) + '\0';
    ByteWriter entry;
    entry.Bytes(key);
    entry.U16(static_cast<unsigned>(keyword.topics.size()));
    entry.U32(static_cast<std::uint32_t>(data.size()));
    for (std::size_t topic : keyword.topics)
      data.U32(offsets[topic]);
    entries.push_back(BTreeEntry{key, entry.Take()});
  }
  const BTree tree = BuildBTree(kKeywordFormat, entries);
  ByteWriter map;
  map.U16(static_cast<unsigned>(tree.leaves.size()));
  for (const auto& [first, page] : tree.leaves) {
    map.U32(first);
    map.U16(page);
  }
  files["|KWBTREE"] = tree.bytes;
  files["|KWDATA"] = data.Take();
  files["|KWMAP"] = map.Take();
}

void InternalFile(ByteWriter& out, const std::string& data) {
  out.U32(static_cast<std::uint32_t>(data.size() + kInternalHeaderSize));
  out.U32(static_cast<std::uint32_t>(data.size()));
  out.U8(0);
  out.Bytes(data);
}

// The file header, the internal files, and last the directory of their
// places, sorted by name.
std::string Assemble(const std::map<std::string, std::string>& files) {
  ByteWriter body;
  std::vector<BTreeEntry> directory;
  for (const auto& [name, data] : files) {
    const std::string key = name + '\0';
    directory.push_back(
        BTreeEntry{key, key + Number(static_cast<std::uint32_t>(kFileHeaderSize + body.size()))});
    InternalFile(body, data);
  }
  const std::uint32_t directory_start = static_cast<std::uint32_t>(kFileHeaderSize + body.size());
  InternalFile(body, BuildBTree(kDirectoryFormat, directory).bytes);
  ByteWriter out;
  out.U32(kFileMagic);
  out.U32(directory_start);
  out.U32(0xFFFFFFFF);  // no free blocks
  out.U32(static_cast<std::uint32_t>(kFileHeaderSize + body.size()));
  out.Bytes(body.bytes());
  return out.Take();
}

}  // namespace

std::uint32_t ContextHash(std::string_view id) {
  std::uint32_t hash = 0;
  for (char c : id) {
    unsigned value = 0;
    if (c >= 'A' && c <= 'Z') value = c - 'A' + 17;
    if (c >= 'a' && c <= 'z') value = c - 'a' + 17;
    if (c >= '1' && c <= '9') value = c - '0';
    if (c == '0') value = 10;
    if (c == '.') value = 12;
    if (c == '_') value = 13;
    if (value != 0) hash = hash * 43 + value;
  }
  return hash;
}

std::string WriteHelpFile(const HelpDocument& document) {
  const std::vector<TopicText> topics = EncodeTopics(document);
  TopicFile topic_file = BuildTopicFile(topics);
  const auto& offsets = topic_file.offsets;
  std::map<std::string, std::string> files;
  files["|CONTEXT"] = ContextFile(document, offsets);
  files["|CTXOMAP"] = ContextMapFile(document, offsets);
  files["|FONT"] = FontFile();
  files["|SYSTEM"] = SystemFile(ToShiftJis(document.title), offsets[document.contents]);
  files["|TTLBTREE"] = TitleFile(topics, offsets);
  KeywordFiles(document, offsets, files);
  files["|TOPIC"] = std::move(topic_file.bytes);
  return Assemble(files);
}

}  // namespace banchiro::help
