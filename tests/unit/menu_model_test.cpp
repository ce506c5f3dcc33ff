#include "ui/main/menu_model.h"

#include <gtest/gtest.h>

#include <set>

#include "default_settings.h"

namespace banchiro {
namespace {

using K = MenuEntryKind;

// The access-key letter of "...(&X)" or "...(&X)...", or 0.
char AccessKey(std::string_view caption) {
  const auto at = caption.find("(&");
  if (at == std::string_view::npos || at + 3 >= caption.size() || caption[at + 3] != ')') return 0;
  return caption[at + 2];
}

int DisplayMenuPosition() {
  const auto top = MenuChildren(-1);
  return top.size() >= 2 ? top[1] : -1;
}

TEST(MenuModelTest, TreeIsWellFormed) {
  const auto& tree = MainMenuTree();
  ASSERT_FALSE(tree.empty());
  EXPECT_EQ(tree.front().level, 1);
  for (size_t i = 0; i < tree.size(); ++i) {
    const MenuEntry& e = tree[i];
    const int next_level = i + 1 < tree.size() ? tree[i + 1].level : 1;
    EXPECT_LE(next_level, e.level + (e.kind == K::kSubmenu ? 1 : 0)) << MenuControlId(e);
    if (e.kind == K::kSubmenu) {
      EXPECT_EQ(next_level, e.level + 1) << MenuControlId(e) << " has no entries";
      EXPECT_EQ(e.command, MenuCommand::kNone);
    } else {
      EXPECT_GE(e.level, 2) << "only menus stand on the bar";
    }
    if (e.kind == K::kSeparator) {
      EXPECT_EQ(e.caption, "-");
      EXPECT_EQ(e.command, MenuCommand::kNone);
    }
    if (e.kind == K::kItem) {
      EXPECT_NE(e.command, MenuCommand::kNone) << MenuControlId(e);
    }
    EXPECT_EQ(e.command == MenuCommand::kDisplayMethod, e.method >= 0) << MenuControlId(e);
  }
}

TEST(MenuModelTest, TrayPopupsFindTheirMenusByPosition) {
  const auto top = MenuChildren(-1);
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(MainMenuTree()[top[0]].caption, "総合ﾒﾆｭｰ(&M)");
  EXPECT_EQ(MainMenuTree()[top[1]].caption, "表示(&D)");
  EXPECT_EQ(MainMenuTree()[top[1]].control, "mnuDisplay");
  const auto general = MenuChildren(top[0]);
  ASSERT_EQ(general.size(), 3u);
  for (int i : general)
    EXPECT_EQ(MainMenuTree()[i].kind, K::kSubmenu);
  EXPECT_TRUE(MenuChildren(static_cast<int>(MainMenuTree().size())).empty());
  const MenuEntry* item = FindMenuEntry("mnuFileEnd");
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(MenuChildren(static_cast<int>(item - MainMenuTree().data())).empty());
}

TEST(MenuModelTest, EveryMethodOnceInMethodOrderWithItsTableCaption) {
  const auto& tree = MainMenuTree();
  int expected = 0;
  for (int i : MenuChildren(DisplayMenuPosition())) {
    if (tree[i].kind == K::kSeparator) continue;
    ASSERT_EQ(tree[i].method, expected);
    EXPECT_EQ(tree[i].caption, DisplayMethods()[expected].menu_caption);
    // The access key is the method's command-line letter.
    EXPECT_EQ(AccessKey(tree[i].caption), DisplayMethods()[expected].letter);
    ++expected;
  }
  EXPECT_EQ(expected, kMethodCount);
}

TEST(MenuModelTest, SeparatorsDivideTheFiveGroups) {
  // Separator k stands right after the last method of group k.
  const int last_of_group[kSeparatorCount] = {3, 5, 9, 10, 12};
  const auto& tree = MainMenuTree();
  const auto items = MenuChildren(DisplayMenuPosition());
  int seen = 0;
  for (size_t j = 0; j < items.size(); ++j) {
    const MenuEntry& e = tree[items[j]];
    if (e.kind != K::kSeparator) continue;
    ASSERT_EQ(e.separator, seen);
    ASSERT_GT(j, 0u);
    EXPECT_EQ(tree[items[j - 1]].method, last_of_group[seen]);
    ++seen;
  }
  EXPECT_EQ(seen, kSeparatorCount);
  EXPECT_EQ(tree[items.back()].method, 13) << "close all ends the menu";
}

TEST(MenuModelTest, AccessKeysAreUniqueWithinEachMenu) {
  const auto& tree = MainMenuTree();
  std::vector<int> parents = {-1};
  for (int i = 0; i < static_cast<int>(tree.size()); ++i)
    if (tree[i].kind == K::kSubmenu) parents.push_back(i);
  for (int parent : parents) {
    std::set<char> keys;
    for (int i : MenuChildren(parent)) {
      if (tree[i].kind == K::kSeparator) continue;
      const char key = AccessKey(tree[i].caption);
      EXPECT_NE(key, 0) << MenuControlId(tree[i]);
      EXPECT_TRUE(keys.insert(key).second) << MenuControlId(tree[i]) << " repeats " << key;
    }
  }
}

TEST(MenuModelTest, ShortcutsAreUniqueAndWhereTheUserExpectsThem) {
  std::set<std::string> texts;
  for (const auto& e : MainMenuTree()) {
    if (e.shortcut.empty()) continue;
    EXPECT_EQ(e.kind, K::kItem);
    EXPECT_TRUE(texts.insert(ShortcutText(e.shortcut)).second) << ShortcutText(e.shortcut);
  }
  EXPECT_EQ(texts.size(), 5u);
  const std::pair<const char*, int> items[] = {
      {"mnuHelpContent_KeyWord", 0}, {"mnuOptSettei", -1},  {"mnuFileShow_Hide", 1},
      {"mnuFileWindows", 1},         {"mnuFileWindows", 2},
  };
  const char* expected[] = {"F1", "Ctrl+K", "Ctrl+I", "Ctrl+R", "Ctrl+E"};
  for (size_t i = 0; i < std::size(items); ++i) {
    const MenuEntry* e = FindMenuEntry(items[i].first, items[i].second);
    ASSERT_NE(e, nullptr) << items[i].first;
    EXPECT_EQ(ShortcutText(e->shortcut), expected[i]);
  }
  EXPECT_EQ(ShortcutText(MenuShortcut{}), "");
}

TEST(MenuModelTest, OnlyShowingTheShownWindowStartsDisabled) {
  for (const auto& e : MainMenuTree()) {
    const bool show_item = e.control == "mnuFileShow_Hide" && e.index == 0;
    EXPECT_EQ(e.enabled, !show_item) << MenuControlId(e);
  }
  EXPECT_FALSE(ShowHideStateFor(false).show_enabled);
  EXPECT_TRUE(ShowHideStateFor(false).hide_enabled);
  EXPECT_TRUE(ShowHideStateFor(true).show_enabled);
  EXPECT_FALSE(ShowHideStateFor(true).hide_enabled);
  Settings s;
  for (const char* text : {"0", "", "01", "1 "}) {
    s.OptWinS = text;
    EXPECT_FALSE(StartsHidden(s)) << '"' << text << '"';
  }
  s.OptWinS = "1";
  EXPECT_TRUE(StartsHidden(s));
}

TEST(MenuModelTest, Lookups) {
  const MenuEntry* e = FindMenuEntry("mnuFileDustEmpty");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->caption, "ごみ箱を空にする(&B)...");
  EXPECT_EQ(e->command, MenuCommand::kEmptyRecycleBin);
  EXPECT_EQ(FindMenuEntry("mnuFileWindows"), nullptr) << "an array needs its index";
  EXPECT_EQ(FindMenuEntry("mnuNothing"), nullptr);
  ASSERT_NE(FindMenuEntry("mnuFileWindows", 1), nullptr);
  EXPECT_EQ(MenuControlId(*FindMenuEntry("mnuFileWindows", 1)), "mnuFileWindows(1)");
  EXPECT_EQ(MenuControlId(*FindMenuEntry("mnuDispMethod_Ex5")), "mnuDispMethod_Ex5");
  EXPECT_EQ(FindMenuEntry("mnuDispMethod_Ex4", 3)->method, 9);
  EXPECT_EQ(FindMenuEntry("mnuDispMethod_Ex3")->method, 13);
}

TEST(MenuModelTest, CaptionWithoutAccessKey) {
  const std::pair<const char*, const char*> cases[] = {
      {"各種設定(&K)", "各種設定"},
      {"ﾊﾞｰｼﾞｮﾝ情報(&A)...", "ﾊﾞｰｼﾞｮﾝ情報"},
      {"Microsoft Windows の終了(&E)...", "Microsoft Windows の終了"},
      {"plain", "plain"},
      {"-", "-"},
      {"(&X)", ""},
      {"a(&)", "a(&)"},
      {"", ""},
  };
  for (const auto& [caption, text] : cases)
    EXPECT_EQ(CaptionWithoutAccessKey(caption), text) << caption;
}

// The display menu as built: methods by control, separators as "|k".
std::vector<std::string> Shown(const Settings& s) {
  std::vector<std::string> out;
  for (const MenuEntry* e : DisplayMenuEntries(s))
    out.push_back(e->kind == K::kSeparator ? "|" + std::to_string(e->separator)
                                           : std::to_string(e->method));
  return out;
}

Settings AllOff() {
  Settings s;
  for (auto& row : s.RgtClick)
    row.fill("0");
  s.OptSepa.fill("0");
  return s;
}

TEST(MenuModelTest, DisplayMenuFollowsTheSettingsExactly) {
  Settings s = AllOff();
  EXPECT_TRUE(Shown(s).empty()) << "the menu stays, with nothing in it";
  s.RgtClick[0].fill("1");
  s.RgtClick[1].fill("1");
  EXPECT_TRUE(Shown(s).empty()) << "only row 2 belongs to the menu";

  // Separators are kept first, doubled and last.
  s = AllOff();
  s.OptSepa.fill("1");
  s.RgtClick[2][13] = "1";
  using V = std::vector<std::string>;
  EXPECT_EQ(Shown(s), (V{"|0", "|1", "|2", "|3", "|4", "13"}));
  s.RgtClick[2][13] = "0";
  s.RgtClick[2][4] = "1";
  s.OptSepa[2] = "0";
  EXPECT_EQ(Shown(s), (V{"|0", "4", "|1", "|3", "|4"}));

  // Hidden separators leave neighbouring groups touching.
  s = AllOff();
  s.RgtClick[2][3] = "1";
  s.RgtClick[2][4] = "1";
  s.OptSepa[1] = "1";
  EXPECT_EQ(Shown(s), (V{"3", "4", "|1"}));
}

TEST(MenuModelTest, DisplayMenuReadsSettingsAsNumbers) {
  const std::pair<const char*, bool> cases[] = {
      {"1", true},    {"01", true},   {" 1", true},   {"1.0", true}, {"1abc", true},
      {"", false},    {"yes", false}, {"0", false},   {"2", false},  {"-1", false},
      {"0.5", false}, {"10", false},  {"1e1", false},
  };
  for (const auto& [text, visible] : cases) {
    Settings s = AllOff();
    s.RgtClick[2][7] = text;
    s.OptSepa[4] = text;
    const auto shown = Shown(s);
    EXPECT_EQ(shown, visible ? (std::vector<std::string>{"7", "|4"}) : std::vector<std::string>{})
        << '"' << text << '"';
  }
}

TEST(MenuModelTest, DefaultsShowTheWholeDisplayMenu) {
  FakePlatform fake;
  Settings s;
  ASSERT_TRUE(testing::LoadDefaultSettings(fake, s));
  const auto shown = DisplayMenuEntries(s);
  const auto all = MenuChildren(DisplayMenuPosition());
  ASSERT_EQ(shown.size(), all.size());
  for (size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(shown[i], &MainMenuTree()[all[i]]) << MenuControlId(*shown[i]);
}

}  // namespace
}  // namespace banchiro
