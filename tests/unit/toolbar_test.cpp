#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

#include "engine/layouts.h"
#include "ui/main/toolbar_icons.h"
#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

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

// A layout button's picture is its layout on the 16-pixel square (windows of
// 9 pixels 2 apart for the cascades, even splits without gaps for the
// tilings). A pixel shows the topmost window over it (row 1 is on top): its
// frame, its title strip along the top of the inside (the active one only
// for row 1), its body along the bottom; clear where there is no window.
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
    const auto rows = ComputeLayout(b.item->method, b.item->method == 10 ? 4 : 3, in);
    ASSERT_TRUE(rows);
    const IconPicture p = PictureOf(b.number);
    for (int i = 0; i < kToolbarIconSize * kToolbarIconSize; ++i) {
      const int x = i % kToolbarIconSize, y = i / kToolbarIconSize;
      const auto w = std::find_if(rows->begin(), rows->end(), [&](const Rect& r) {
        return x >= px(r.left) && x < px(r.right()) && y >= px(r.top) && y < px(r.bottom());
      });
      const IconInk ink = p.at(x, y);
      SCOPED_TRACE(::testing::Message() << "button " << b.number << " at " << x << "," << y);
      if (w == rows->end()) {
        EXPECT_EQ(ink, IconInk::kClear);
        continue;
      }
      const int left = px(w->left), top = px(w->top), right = px(w->right()),
                bottom = px(w->bottom());
      const IconInk title = w == rows->begin() ? IconInk::kTitle : IconInk::kBackTitle;
      const bool frame = x == left || x == right - 1 || y == top || y == bottom - 1;
      EXPECT_TRUE(frame          ? ink == IconInk::kOutline
                  : y == top + 1 ? ink == title
                                 : ink == IconInk::kBody || (ink == title && y < bottom - 2))
          << static_cast<int>(ink);
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
