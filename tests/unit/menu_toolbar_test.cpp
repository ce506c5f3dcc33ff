#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <numeric>
#include <set>

#include "engine/layouts.h"
#include "ui/main/main_window_model.h"
#include "ui/main/toolbar_icons.h"
#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

const MenuEntry& At(int position) {
  return MainMenuTree()[position];
}

// Every submenu has entries, a control array is numbered 0, 1, ... and a
// single control -1, and only the item that shows the shown window starts off.
TEST(MenuModelTest, TreeIsWellFormed) {
  std::map<std::string_view, std::vector<int>> indexes;
  for (int i = 0; i < static_cast<int>(MainMenuTree().size()); ++i) {
    EXPECT_EQ(At(i).kind == MenuEntryKind::kSubmenu, !MenuChildren(i).empty()) << At(i).caption;
    EXPECT_EQ(At(i).enabled, At(i).command != MenuCommand::kShowWindow) << At(i).caption;
    indexes[At(i).control].push_back(At(i).index);
  }
  for (const auto& [control, list] : indexes) {
    std::vector<int> numbered(list.size());
    std::iota(numbered.begin(), numbered.end(), list == std::vector{-1} ? -1 : 0);
    EXPECT_EQ(list, numbered) << control;
  }
  EXPECT_TRUE(MenuChildren(static_cast<int>(MainMenuTree().size())).empty());
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
  EXPECT_EQ(general.size(), 12u) << "eleven commands, and none for the separators";
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
}

TEST(MenuModelTest, EachShortcutIsOnTheItemWhoseCommandItNames) {
  using C = MenuCommand;
  const std::pair<const std::string, MenuCommand> expected[] = {{"F1", C::kHelpKeywordSearch},
                                                                {"Ctrl+K", C::kSettings},
                                                                {"Ctrl+I", C::kHideWindow},
                                                                {"Ctrl+R", C::kRestartWindows},
                                                                {"Ctrl+E", C::kShutDownWindows}};
  std::multimap<std::string, MenuCommand> found;
  for (const MenuEntry& e : MainMenuTree()) {
    if (!e.shortcut.empty()) found.emplace(ShortcutText(e.shortcut), e.command);
  }
  EXPECT_EQ(found, std::multimap(std::begin(expected), std::end(expected)));
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

TEST(ToolbarModelTest, EachButtonRunsTheMenuItemOfWhatItStandsFor) {
  for (const auto& [number, method] :
       {std::pair{1, 0}, {6, 5}, {8, 11}, {11, 13}, {13, 6}, {17, 10}}) {
    const MenuEntry* item = ToolbarButtonFor(number)->item;
    EXPECT_TRUE(item >= &MainMenuTree().front() && item <= &MainMenuTree().back()) << number;
    EXPECT_EQ(item->command == MenuCommand::kDisplayMethod ? item->method : -1, method) << number;
  }
  EXPECT_EQ(ToolbarButtonFor(7)->item, FindMenuEntry("mnuOptSettei"));
  EXPECT_EQ(ToolbarButtonFor(10)->item, FindMenuEntry("mnuFileWindows", 2));  // shut down
  EXPECT_EQ(ToolbarButtonFor(12)->item, FindMenuEntry("mnuFileWindows", 1));  // restart
  EXPECT_EQ(ToolbarButtonFor(10)->tooltip + ToolbarButtonFor(7)->tooltip,
            " Microsoft Windows の終了  各種設定 ");
  std::set<const MenuEntry*> items;  // every method once, and the three commands
  for (const ToolbarButton& b : ToolbarButtons())
    items.insert(b.item);
  EXPECT_EQ(items.size() - items.count(nullptr), 17u);
  EXPECT_FALSE(ToolbarButtonFor(0) || ToolbarButtonFor(18));
}

IconPicture PictureOf(int button) {
  const auto picture = ToolbarIconPicture(button);
  EXPECT_TRUE(picture) << button;
  return picture.value_or(IconPicture{});
}

TEST(ToolbarIconsTest, SeventeenDistinctPicturesAndNothingOutsideTheCell) {
  for (int a = 1; a <= kToolbarButtonCount; ++a) {
    for (int b = a + 1; b <= kToolbarButtonCount; ++b)
      EXPECT_NE(PictureOf(a).pixels, PictureOf(b).pixels) << a << " " << b;
  }
  EXPECT_FALSE(ToolbarIconPicture(0) || ToolbarIconPicture(18));
  const IconPicture grid = PictureOf(17);  // drawn to all four edges
  for (const auto& [x, y] : {std::pair{-1, 0}, {16, 0}, {15, 16}, {0, -1}, {INT_MAX, INT_MIN}}) {
    EXPECT_EQ(grid.at(x, y), IconInk::kClear) << x << "," << y;
    EXPECT_NE(grid.at(std::clamp(x, 0, 15), std::clamp(y, 0, 15)), IconInk::kClear);
  }
}

// A layout button's picture is its layout drawn on the 16-pixel square
// (windows of 9 pixels 2 apart for the cascades, even splits without gaps for
// the tilings) from the bottom of the stack up: each window a frame, a title
// strip (the active one for row 1 only; two rows once the inside is six
// high) and a body.
TEST(ToolbarIconsTest, LayoutPicturesShowTheWindowsWhereTheLayoutPutsThem) {
  LayoutInputs in;
  in.work_area = {0, 0, 1600, 1600};  // 100 units a pixel
  in.gap_left = in.gap_right = in.gap_top = in.gap_bottom = 0;
  in.dx = in.dy = 200;
  in.cascade_divisor = 16.0f / 9;
  in.ratio_top = in.ratio_left = 10;
  const auto px = [](int units) { return (units + 50) / 100; };
  for (const ToolbarButton& b : ToolbarButtons()) {
    if (b.item->method < 0 || b.item->method > 10) continue;  // a pictogram
    const auto rows = ComputeLayout(b.item->method, b.item->method == 10 ? 4 : 3, in).value();
    for (int i = 0; i < kToolbarIconSize * kToolbarIconSize; ++i) {
      const int x = i % kToolbarIconSize, y = i / kToolbarIconSize;
      IconInk want = IconInk::kClear;
      for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
        const int left = px(r->left), top = px(r->top), right = px(r->right()),
                  bottom = px(r->bottom());
        if (x < left || x >= right || y < top || y >= bottom) continue;
        const IconInk title = r + 1 == rows.rend() ? IconInk::kTitle : IconInk::kBackTitle;
        want = x == left || x == right - 1 || y == top || y == bottom - 1 ? IconInk::kOutline
               : y <= top + (bottom - top - 2 >= 6 ? 2 : 1)               ? title
                                                                          : IconInk::kBody;
      }
      EXPECT_EQ(PictureOf(b.number).at(x, y), want) << b.number << " at " << x << "," << y;
    }
  }
}

TEST(ToolbarIconsTest, ScaleIsTheNearestWholeMultipleOf96DpiFromOneToEight) {
  const std::pair<int, int> cases[] = {{96, 1},  {120, 1}, {143, 1}, {144, 2},  {192, 2},
                                       {240, 3}, {0, 1},   {768, 8}, {1000, 8}, {INT_MAX, 8}};
  for (const auto& [dpi, scale] : cases)
    EXPECT_EQ(ToolbarIconScale(dpi), scale) << dpi;
}

}  // namespace
}  // namespace banchiro
