#include "settings/key_table.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace banchiro {
namespace {

TEST(KeyTableTest, NamesAreUniqueAndIndexedNamesHaveTheStoredForm) {
  std::set<std::string> names;
  for (const auto& key : KeyTable()) {
    EXPECT_TRUE(names.insert(std::string(key.name)).second) << key.name;
  }
  EXPECT_EQ(KeyName(*FindKey("OptCas"), 0, 0), "OptCas");
  EXPECT_EQ(KeyName(*FindKey("OptTime"), 0, 0), "OptTime(0)");
  EXPECT_EQ(KeyName(*FindKey("RgtClick"), 2, 13), "RgtClick(2,13)");
  EXPECT_EQ(IndexedKeyName("N_Wnd", 20), "N_Wnd(20)");
  EXPECT_EQ(FindKey("NoSuchKey"), nullptr);
}

TEST(KeyTableTest, EveryBoundEntryHasItsOwnField) {
  Settings settings;
  std::set<const std::string*> fields;
  std::size_t entries = 0;
  for (const auto& key : KeyTable()) {
    if (key.field == nullptr) continue;
    const int rows = key.rows > 0 ? key.rows : 1;
    const int count = key.indexed() ? key.count : 1;
    for (int r = 0; r < rows; ++r) {
      for (int i = 0; i < count; ++i) {
        fields.insert(&key.field(settings, r, i));
        ++entries;
      }
    }
  }
  EXPECT_EQ(fields.size(), entries);
  // 20 scalars, then OptTime, the gaps, the size rules, OptRat, the per-method
  // FunctionKey arrays, OptCol, D_Method, RgtClick, OptSepa and JogaiWid.
  EXPECT_EQ(entries, 20u + 2 + 12 + 12 + 2 + 42 + 2 + 14 + 42 + 5 + 100);
}

TEST(KeyTableTest, SectionsOfTheKeys) {
  const struct {
    const char* key;
    std::string_view section;
  } cases[] = {
      {"OptMaj", kSectionConfig},       {"Toolbar", kSectionConfig},
      {"S_Top", kSectionPosition},      {"OptCent", kSectionPosition},
      {"OptCol", kSectionFunctionKey},  {"OptGuide", kSectionFunctionKey},
      {"D_Method", kSectionDispMethod}, {"SnedDispMethod", kSectionDispMethod},
      {"N_Wnd", kSectionHWnd},          {"OptSepa", kSectionRightClick},
      {"JogaiWid", kSectionExclude},
  };
  for (const auto& c : cases) {
    ASSERT_NE(FindKey(c.key), nullptr) << c.key;
    EXPECT_EQ(FindKey(c.key)->section, c.section) << c.key;
  }
}

}  // namespace
}  // namespace banchiro
