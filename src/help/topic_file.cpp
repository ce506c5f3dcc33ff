#include "help/topic_file.h"

#include "help/byte_writer.h"

namespace banchiro::help {
namespace {

constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeaderSize = 12;
constexpr std::size_t kBlockRoom = kBlockSize - kBlockHeaderSize;
// A record's position is block x 0x4000 + 12 + its place in the block; a
// topic offset is block x 0x8000 + the text length of the block before it.
constexpr std::uint32_t kPositionStride = 0x4000;
constexpr std::uint32_t kOffsetStride = 0x8000;
constexpr std::size_t kRecordHeaderSize = 21;
constexpr std::size_t kTopicHeaderSize = 28;
constexpr unsigned kTopicHeaderRecord = 0x02;
constexpr unsigned kTextRecord = 0x20;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

// Paragraph commands.
constexpr unsigned kFontCommand = 0x80;
constexpr unsigned kEndOfParagraph = 0x82;
constexpr unsigned kJumpCommand = 0xE3;
constexpr unsigned kEndOfJump = 0x89;
constexpr unsigned kEndOfCommands = 0xFF;

// Paragraph-info bits for the measures that follow them, in this order.
constexpr unsigned kSpaceAbove = 0x0002;
constexpr unsigned kSpaceBelow = 0x0004;
constexpr unsigned kLeftIndent = 0x0010;
constexpr unsigned kFirstLineIndent = 0x0040;
constexpr char kBulletMark[] = "\x81\x45";  // "・"

struct Record {
  unsigned type;
  std::string formatting;  // what follows the record header
  std::string text;
  std::size_t block = 0;
  std::size_t place = 0;

  std::size_t size() const { return kRecordHeaderSize + formatting.size() + text.size(); }
  std::uint32_t position() const {
    return static_cast<std::uint32_t>(block * kPositionStride + kBlockHeaderSize + place);
  }
};

// Compressed numbers; the low bit of the first byte marks the long form. The
// formatting of a record that fits a block, and the paragraph measures, always
// take the short form of the long and the signed number.
void CompressedLong(ByteWriter& out, std::size_t value) {
  out.U16(static_cast<unsigned>((value + 0x4000) * 2));
}
void CompressedUnsigned(ByteWriter& out, std::size_t value) {
  if (value < 0x80) {
    out.U8(static_cast<unsigned>(value * 2));
  } else {
    out.U16(static_cast<unsigned>(value * 2 + 1));
  }
}
void CompressedSigned(ByteWriter& out, int value) {
  out.U8(static_cast<unsigned>((value + 64) * 2));
}

// How a text record looks: the topic's title above its paragraphs.
enum class Look { kTitle, kBody, kHeading, kBullet };

Look LookOf(ParagraphStyle style) {
  switch (style) {
    case ParagraphStyle::kHeading:
      return Look::kHeading;
    case ParagraphStyle::kBullet:
      return Look::kBullet;
    case ParagraphStyle::kBody:
      break;
  }
  return Look::kBody;
}

// The paragraph info: spacing and, for list items, a hanging indent that
// keeps the bullet out in the margin. Then the font.
void ParagraphStart(ByteWriter& out, Look look) {
  out.U8(0);
  out.U8(0x80);
  out.U16(0);
  unsigned font = kBodyFont;
  switch (look) {
    case Look::kTitle:
      out.U16(kSpaceBelow);
      CompressedSigned(out, 12);
      font = kTitleFont;
      break;
    case Look::kHeading:
      out.U16(kSpaceAbove | kSpaceBelow);
      CompressedSigned(out, 10);
      CompressedSigned(out, 4);
      font = kHeadingFont;
      break;
    case Look::kBullet:
      out.U16(kSpaceBelow | kLeftIndent | kFirstLineIndent);
      CompressedSigned(out, 4);
      CompressedSigned(out, 20);
      CompressedSigned(out, -20);
      break;
    case Look::kBody:
      out.U16(kSpaceBelow);
      CompressedSigned(out, 6);
      break;
  }
  out.U8(kFontCommand);
  out.U16(font);
}

// A text record: the strings of its text, each ended by NUL, are the ones
// shown before each command in turn (the first, before the font, is empty).
Record TextRecord(Look look, const std::vector<TopicRun>& runs) {
  ByteWriter commands;
  ByteWriter text;
  ParagraphStart(commands, look);
  std::string shown = look == Look::kBullet ? kBulletMark : "";
  text.Text("");
  auto command = [&](unsigned code) {
    text.Text(shown);
    shown.clear();
    commands.U8(code);
  };
  for (const TopicRun& run : runs) {
    if (run.jump) {
      command(kJumpCommand);
      commands.U32(*run.jump);
      shown = run.text;
      command(kEndOfJump);
    } else {
      shown += run.text;
    }
  }
  command(kEndOfParagraph);
  command(kEndOfCommands);

  ByteWriter formatting;
  CompressedLong(formatting, commands.size());
  CompressedUnsigned(formatting, text.size());
  formatting.Bytes(commands.bytes());
  return Record{kTextRecord, formatting.Take(), text.Take()};
}

std::vector<Record> Records(const std::vector<TopicText>& topics) {
  std::vector<Record> records;
  for (const TopicText& topic : topics) {
    records.push_back(Record{kTopicHeaderRecord, std::string(kTopicHeaderSize, '\0'), topic.title});
    records.push_back(TextRecord(Look::kTitle, {{topic.title, {}}}));
    for (const TopicParagraph& paragraph : topic.paragraphs) {
      records.push_back(TextRecord(LookOf(paragraph.style), paragraph.runs));
    }
  }
  records.push_back(Record{kTopicHeaderRecord, std::string(kTopicHeaderSize, '\0'), {}});
  return records;
}

// Places the records block by block; one that does not fit the rest of a
// block starts the next.
void Place(std::vector<Record>& records) {
  std::size_t block = 0;
  std::size_t used = 0;
  for (Record& record : records) {
    if (record.size() > kBlockRoom) throw HelpError("a paragraph too long for the help file");
    if (used + record.size() > kBlockRoom) {
      ++block;
      used = 0;
    }
    record.block = block;
    record.place = used;
    used += record.size();
  }
}

// A topic header: the topic's size, no browse sequence, its number, no
// non-scrolling region, where its text starts and where the next topic does.
void FillTopicHeaders(std::vector<Record>& records) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].type != kTopicHeaderRecord) continue;
    std::size_t next = i + 1;
    std::size_t size = records[i].size();
    while (next < records.size() && records[next].type != kTopicHeaderRecord) {
      size += records[next++].size();
    }
    ByteWriter header;
    header.U32(static_cast<std::uint32_t>(size));
    header.U32(kNone);
    header.U32(kNone);
    header.U32(number++);
    header.U32(kNone);
    header.U32(i + 1 < next ? records[i + 1].position() : kNone);
    header.U32(next < records.size() ? records[next].position() : kNone);
    records[i].formatting = header.Take();
  }
}

}  // namespace

TopicFile BuildTopicFile(const std::vector<TopicText>& topics) {
  std::vector<Record> records = Records(topics);
  Place(records);
  FillTopicHeaders(records);

  TopicFile file;
  ByteWriter out;
  std::uint32_t characters = 0;
  std::uint32_t last_header = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& record = records[i];
    if (i == 0 || record.block != records[i - 1].block) {
      out.Zeros(record.block * kBlockSize - out.size());
      out.U32(i == 0 ? kNone : records[i - 1].position());
      out.U32(record.position());
      out.U32(last_header);
      characters = 0;
    }
    if (record.type == kTopicHeaderRecord) {
      if (file.offsets.size() < topics.size()) {
        file.offsets.push_back(static_cast<std::uint32_t>(record.block) * kOffsetStride +
                               characters);
      }
      last_header = record.position();
    } else {
      characters += static_cast<std::uint32_t>(record.text.size());
    }
    out.U32(static_cast<std::uint32_t>(record.size()));
    out.U32(static_cast<std::uint32_t>(record.text.size()));
    out.U32(i == 0 ? kNone : records[i - 1].position());
    out.U32(i + 1 < records.size() ? records[i + 1].position() : kNone);
    out.U32(static_cast<std::uint32_t>(kRecordHeaderSize + record.formatting.size()));
    out.U8(record.type);
    out.Bytes(record.formatting);
    out.Bytes(record.text);
  }
  out.Zeros((records.back().block + 1) * kBlockSize - out.size());
  file.bytes = out.Take();
  return file;
}

}  // namespace banchiro::help
