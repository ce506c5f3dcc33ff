#include "help/btree.h"

#include <cstddef>

#include "help/byte_writer.h"
#include "help/help_document.h"

namespace banchiro::help {
namespace {

constexpr std::uint16_t kMagic = 0x293B;
constexpr std::size_t kStructureSize = 16;
constexpr std::size_t kLeafHeaderSize = 8;
constexpr std::size_t kIndexHeaderSize = 6;
constexpr std::uint16_t kNoPage = 0xFFFF;

// The first key below a page, and the page.
using Child = std::pair<std::string, std::uint16_t>;

std::string Page(std::size_t page_size, std::size_t header_size, std::string_view body,
                 std::initializer_list<unsigned> header_fields) {
  ByteWriter page;
  page.U16(static_cast<unsigned>(page_size - header_size - body.size()));  // unused bytes
  for (unsigned field : header_fields)
    page.U16(field);
  page.Bytes(body);
  page.Zeros(page_size - page.size());
  return page.Take();
}

}  // namespace

BTree BuildBTree(BTreeFormat format, const std::vector<BTreeEntry>& entries) {
  const std::size_t leaf_room = format.page_size - kLeafHeaderSize;
  std::vector<std::vector<const BTreeEntry*>> leaves(1);
  std::size_t used = 0;
  for (const BTreeEntry& entry : entries) {
    if (entry.data.size() > leaf_room) {
      throw HelpError("an entry of a \"" + std::string(format.structure) +
                      "\" index is longer than a page");
    }
    if (used + entry.data.size() > leaf_room) {
      leaves.emplace_back();
      used = 0;
    }
    leaves.back().push_back(&entry);
    used += entry.data.size();
  }

  BTree tree;
  std::vector<std::string> pages;
  std::vector<Child> level;
  std::uint32_t first_entry = 0;
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    std::string body;
    for (const BTreeEntry* entry : leaves[i])
      body += entry->data;
    const auto page = static_cast<std::uint16_t>(i);
    const unsigned previous = i == 0 ? kNoPage : page - 1;
    const unsigned next = i + 1 < leaves.size() ? page + 1 : kNoPage;
    const auto count = static_cast<unsigned>(leaves[i].size());
    pages.push_back(Page(format.page_size, kLeafHeaderSize, body, {count, previous, next}));
    tree.leaves.emplace_back(first_entry, page);
    level.emplace_back(leaves[i].empty() ? std::string() : leaves[i].front()->key, page);
    first_entry += count;
  }

  // Each index page leads to its first child through its header and to every
  // further child through an entry: that child's first key and page.
  unsigned levels = 1;
  const std::size_t index_room = format.page_size - kIndexHeaderSize;
  while (level.size() > 1) {
    ++levels;
    std::vector<Child> upper;
    for (std::size_t i = 0; i < level.size();) {
      const Child first = level[i++];
      ByteWriter body;
      unsigned count = 0;
      while (i < level.size() && body.size() + level[i].first.size() + 2 <= index_room) {
        body.Bytes(level[i].first);
        body.U16(level[i].second);
        ++count;
        ++i;
      }
      upper.emplace_back(first.first, static_cast<std::uint16_t>(pages.size()));
      pages.push_back(
          Page(format.page_size, kIndexHeaderSize, body.bytes(), {count, first.second}));
    }
    level = std::move(upper);
  }

  ByteWriter out;
  out.U16(kMagic);
  out.U16(format.flags);
  out.U16(format.page_size);
  out.Bytes(format.structure);
  out.Zeros(kStructureSize - format.structure.size());
  out.U16(0);  // must be zero
  out.U16(0);  // page splits
  out.U16(level.front().second);
  out.U16(kNoPage);
  out.U16(static_cast<unsigned>(pages.size()));
  out.U16(levels);
  out.U32(static_cast<std::uint32_t>(entries.size()));
  for (const auto& page : pages)
    out.Bytes(page);
  tree.bytes = out.Take();
  return tree;
}

}  // namespace banchiro::help
