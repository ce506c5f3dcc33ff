#include "ui/main/menu_model.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ui/main/main_window_model.h"

namespace banchiro {
namespace {

const MenuEntry& At(int position) {
  return MainMenuTree()[position];
}

// The tray's popups are the first two menus on the bar: the general menu
// with every command but the methods, and the display menu with each method
// once, the access key "(&X)" of its item being the method's letter.
TEST(MenuModelTest, TrayPopupsAreTheGeneralAndTheDisplayMenu) {
  const auto top = MenuChildren(-1);
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(At(top[kGeneralMenuPosition]).caption, "総合ﾒﾆｭｰ(&M)");
  std::set<MenuCommand> general;
  for (int i : MenuChildren(top[kGeneralMenuPosition])) {
    for (int j : MenuChildren(i))
      general.insert(At(j).command);
  }
  general.erase(MenuCommand::kNone);  // the separators
  EXPECT_EQ(general.size(), 11u);
  EXPECT_EQ(general.count(MenuCommand::kDisplayMethod), 0u);
  std::set<int> methods;
  std::string access_keys, letters;
  for (int i : MenuChildren(top[kDisplayMenuPosition])) {
    if (At(i).kind == MenuEntryKind::kSeparator) continue;
    methods.insert(At(i).method);
    access_keys += At(i).caption.substr(At(i).caption.find("(&") + 2, 2);
    letters += std::string(1, DisplayMethods().at(At(i).method).letter) + ")";
  }
  EXPECT_EQ(methods.size(), 14u);
  EXPECT_EQ(access_keys, letters);
  EXPECT_TRUE(MenuChildren(static_cast<int>(MainMenuTree().size())).empty());
}

TEST(MenuModelTest, EachShortcutIsOnTheItemWhoseCommandItNames) {
  using C = MenuCommand;
  const std::multimap<std::string, MenuCommand> expected = {{"F1", C::kHelpKeywordSearch},
                                                            {"Ctrl+K", C::kSettings},
                                                            {"Ctrl+I", C::kHideWindow},
                                                            {"Ctrl+R", C::kRestartWindows},
                                                            {"Ctrl+E", C::kShutDownWindows}};
  std::multimap<std::string, MenuCommand> found;
  for (const MenuEntry& e : MainMenuTree()) {
    if (!e.shortcut.empty()) found.emplace(ShortcutText(e.shortcut), e.command);
  }
  EXPECT_EQ(found, expected);
  EXPECT_EQ(ShortcutText({false, 0, 12}) + ShortcutText({false, 0, 13}), "F12");
}

// Items and separators that are off are left out; those that are on stay
// wherever they land, first, last or next to each other.
TEST(MenuModelTest, DisplayMenuShowsWhatRowTwoAndTheSeparatorsSay) {
  const struct {
    std::vector<int> methods, separators;
    const char *on, *shown;
  } cases[] = {{{}, {}, "1", ""},
               {{13}, {0, 1, 2, 3, 4}, "1", "|0 |1 |2 |3 |4 13"},
               {{4}, {0, 1, 3}, "01", "|0 4 |1 |3"},
               {{3, 4}, {1}, " 1", "3 4 |1"},
               {{0, 12}, {4}, "1.0", "0 12 |4"},
               {{0, 12}, {4}, "10", ""}};
  for (const auto& c : cases) {
    Settings s;
    s.RgtClick[0].fill("1");  // the other rows are not the menu's
    s.RgtClick[1].fill("1");
    for (int m : c.methods)
      s.RgtClick[2][m] = c.on;
    for (int k : c.separators)
      s.OptSepa[k] = c.on;
    std::string shown;
    for (const MenuEntry* e : DisplayMenuEntries(s)) {
      shown += (shown.empty() ? "" : " ") +
               (e->separator >= 0 ? "|" + std::to_string(e->separator) : std::to_string(e->method));
    }
    EXPECT_EQ(shown, c.shown);
  }
}

}  // namespace
}  // namespace banchiro
