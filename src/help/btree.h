#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace banchiro::help {

// How a B+ tree of a help file is marked: the directory has its own flags
// and page size, every index the common ones.
struct BTreeFormat {
  std::uint16_t flags;
  std::uint16_t page_size;
  std::string_view structure;  // "z4", "L4", "Lz", "F24": the entry layout
};

inline constexpr BTreeFormat kDirectoryFormat{0x0402, 0x400, "z4"};

// One entry: its whole bytes on a leaf page, and the bytes of its key, which
// an index page repeats (a leading number or a NUL-terminated text).
struct BTreeEntry {
  std::string key;
  std::string data;
};

struct BTree {
  std::string bytes;  // the 38-byte header and the pages
  // Per leaf page in order: the number of its first entry and its page.
  std::vector<std::pair<std::uint32_t, std::uint16_t>> leaves;
};

// A B+ tree of the entries, which the caller gives in the tree's order: leaf
// pages filled in turn and linked both ways, then as many levels of index
// pages as it takes to end in one root. Throws HelpError when an entry does
// not fit a page.
BTree BuildBTree(BTreeFormat format, const std::vector<BTreeEntry>& entries);

}  // namespace banchiro::help
