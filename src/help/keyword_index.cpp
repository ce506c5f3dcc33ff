#include "help/keyword_index.h"

#include <algorithm>
#include <map>

#include "help/shift_jis.h"

namespace banchiro::help {
namespace {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Shift-JIS bytes with single-byte lower-case letters raised; the second byte
// of a double-byte character stays as it is, even where it looks like one.
std::string SortKey(const std::string& utf8) {
  std::string key = ToShiftJis(utf8);
  for (std::size_t i = 0; i < key.size(); ++i) {
    const auto c = static_cast<unsigned char>(key[i]);
    if (IsLeadByte(c)) {
      ++i;
    } else if (c >= 'a' && c <= 'z') {
      key[i] = static_cast<char>(c - 'a' + 'A');
    }
  }
  return key;
}

}  // namespace

std::vector<KeywordEntry> KeywordIndex(const HelpDocument& document) {
  std::map<std::string, std::size_t> position;
  std::vector<KeywordEntry> entries;
  for (std::size_t t = 0; t < document.topics.size(); ++t) {
    for (const auto& keyword : document.topics[t].keywords) {
      const auto [it, added] = position.emplace(keyword, entries.size());
      if (added) entries.push_back(KeywordEntry{keyword, {}});
      entries[it->second].topics.push_back(t);
    }
  }
  std::vector<std::pair<std::string, KeywordEntry>> keyed;
  for (auto& entry : entries)
    keyed.emplace_back(SortKey(entry.keyword), std::move(entry));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.keyword < b.second.keyword;
  });
  entries.clear();
  for (auto& [key, entry] : keyed)
    entries.push_back(std::move(entry));
  return entries;
}

}  // namespace banchiro::help
