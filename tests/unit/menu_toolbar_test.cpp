#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <set>
#include <tuple>

#include "engine/layouts.h"
#include "ui/main/main_window_model.h"
#include "ui/main/toolbar_icons.h"
#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

const std::vector<MenuEntry>& tree = MainMenuTree();

// Every submenu has entries; only the item that shows the shown window starts disabled; every
// item is the one found by its command (and method): no command is carried twice.
TEST(MenuModelTest, TreeIsWellFormed) {
  for (int i = 0; i < static_cast<int>(tree.size()); ++i) {
    const MenuEntry& e = tree[i];
    EXPECT_EQ(e.kind == MenuEntryKind::kSubmenu, !MenuChildren(i).empty()) << e.caption;
    EXPECT_EQ(e.enabled, e.command != MenuCommand::kShowWindow) << e.caption;
    if (e.kind == MenuEntryKind::kItem) {
      EXPECT_EQ(FindMenuItem(e.command, e.method ? MethodIndex(*e.method) : -1), &e) << e.caption;
    }
  }
}

// The tray's popups are the first two menus: the general one with every command but the methods,
// the display one with the methods in order, each item's access key "(&X)" its method's letter.
TEST(MenuModelTest, TrayPopupsAreTheGeneralAndTheDisplayMenu) {
  const auto top = MenuChildren(-1);
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(tree[top[kGeneralMenuPosition]].caption, "総合ﾒﾆｭｰ(&M)");
  std::size_t general = 0;
  for (int i : MenuChildren(top[kGeneralMenuPosition]))
    general += MenuChildren(i).size();
  EXPECT_EQ(general, 14u) << "11 commands and three separators";
  std::string access_keys, letters;  // of the display menu's items, and of the methods in order
  for (int i : MenuChildren(top[kDisplayMenuPosition])) {
    if (tree[i].kind != MenuEntryKind::kSeparator)
      access_keys += tree[i].caption.substr(tree[i].caption.find("(&") + 2, 2);
  }
  for (const auto& m : DisplayMethods())
    letters += std::string(1, m.letter) + ")";
  EXPECT_EQ(access_keys, letters);
}

TEST(MenuModelTest, ShortcutTextsAndCaptionsWithoutTheirAccessKeys) {
  EXPECT_EQ(ShortcutText(FindMenuItem(MenuCommand::kHelpKeywordSearch)->shortcut) + " " +
                ShortcutText(FindMenuItem(MenuCommand::kSettings)->shortcut),
            "F1 Ctrl+K");
  EXPECT_EQ(CaptionWithoutAccessKey("ﾊﾞｰｼﾞｮﾝ情報(&A)...") + CaptionWithoutAccessKey("(&X)"),
            "ﾊﾞｰｼﾞｮﾝ情報");
}

// Entries that are off are left out; a separator that is on shows only between two items.
TEST(MenuModelTest, DisplayMenuShowsWhatRowTwoAndTheSeparatorsSay) {
  const std::tuple<std::vector<int>, std::vector<int>, const char*, const char*> cases[] = {
      {{}, {}, "1", ""},
      {{13}, {0, 1, 2, 3, 4}, "1", "13"},
      {{0, 13}, {0, 1, 2, 3, 4}, "1", "0 |0 13"},
      {{4}, {0, 1, 3}, "01", "4"},
      {{3, 4, 5, 6}, {0, 1}, " 1", "3 |0 4 5 |1 6"},
      {{9, 10, 11, 13}, {2, 3, 4}, "1.0", "9 |2 10 |3 11 |4 13"},
      {{0, 12}, {0, 4}, "10", ""}};
  for (const auto& [methods, separators, on, want] : cases) {
    Settings s;
    for (int m : methods)
      s.RgtClick[2][m] = on;
    for (int k : separators)
      s.OptSepa[k] = on;
    std::string shown;
    for (const MenuEntry* e : DisplayMenuEntries(s)) {
      shown += (shown.empty() ? "" : " ") + (e->separator >= 0
                                                 ? "|" + std::to_string(e->separator)
                                                 : std::to_string(MethodIndex(*e->method)));
    }
    EXPECT_EQ(shown, want);
  }
}

// Seventeen buttons, each with its own item (every method once and three
// commands) and its own picture.
TEST(ToolbarIconsTest, SeventeenButtonsDistinctPicturesNothingOutsideTheCellAndPlainColours) {
  std::set<const MenuEntry*> items;
  std::set<std::array<IconInk, kToolbarIconSize * kToolbarIconSize>> pictures;
  for (const ToolbarButton& b : ToolbarButtons())
    items.insert(b.item), pictures.insert(ToolbarIconPicture(b.number).value().pixels);
  EXPECT_EQ(items.size() - items.count(nullptr) + pictures.size(), 34u);
  EXPECT_FALSE(ToolbarButtonFor(0) || ToolbarButtonFor(18));
  EXPECT_FALSE(ToolbarIconPicture(0) || ToolbarIconPicture(18));
  const IconPicture grid = ToolbarIconPicture(17).value();  // drawn to all four edges
  for (const auto& [x, y] : {std::pair{-1, 0}, {16, 0}, {15, 16}, {0, -1}, {INT_MAX, INT_MIN}}) {
    EXPECT_EQ(grid.at(x, y), IconInk::kClear) << x << "," << y;
    EXPECT_NE(grid.at(std::clamp(x, 0, 15), std::clamp(y, 0, 15)), IconInk::kClear);
  }
  // Frames are a neutral grey, the alert a pure red.
  const IconColour frame = IconInkColour(IconInk::kOutline).value(),
                   alert = IconInkColour(IconInk::kAlert).value();
  EXPECT_TRUE(frame.red == frame.green && frame.green == frame.blue);
  EXPECT_TRUE(alert.green == alert.blue && alert.red > 4 * alert.green);
}

// A layout button shows its layout, computed on a cell of 100 units a pixel: ink only where a
// window stands, and the active title only in row 1, the topmost window.
TEST(ToolbarIconsTest, LayoutPicturesShowTheWindowsWhereTheLayoutPutsThem) {
  const LayoutInputs in{{0, 0, 1600, 1600}, 0, 0, 0, 0, 200, 200, 16.0f / 9, 10, 10};
  const auto covers = [](const Rect& r, int x, int y) {
    return x * 100 + 50 > r.left && x * 100 + 50 <= r.right() && y * 100 + 50 > r.top &&
           y * 100 + 50 <= r.bottom();
  };
  for (const ToolbarButton& b : ToolbarButtons()) {
    const auto method = b.item->method;
    if (!method || !IsLayout(*method)) continue;  // a pictogram
    const auto rows = ComputeLayout(*method, FixedWindowCount(*method).value_or(3), in).value();
    const IconPicture picture = ToolbarIconPicture(b.number).value();
    int titles = 0;
    for (int y = 0; y < kToolbarIconSize; ++y) {
      for (int x = 0; x < kToolbarIconSize; ++x) {
        const bool on_a_window =
            std::any_of(rows.begin(), rows.end(), [&](const Rect& r) { return covers(r, x, y); });
        EXPECT_EQ(picture.at(x, y) != IconInk::kClear, on_a_window)
            << b.number << " " << x << "," << y;
        if (picture.at(x, y) != IconInk::kTitle) continue;
        ++titles;
        EXPECT_TRUE(covers(rows[0], x, y)) << b.number << " " << x << "," << y;
      }
    }
    // One row of title on the stacked windows, five pixels tall; two on the grid's, eight tall.
    EXPECT_EQ(titles, b.number == 5 ? 14 : b.number == 17 ? 12 : std::max(titles, 1)) << b.number;
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
