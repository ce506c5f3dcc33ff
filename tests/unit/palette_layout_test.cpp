#include "settings/palette_layout.h"

#include <gtest/gtest.h>

namespace banchiro {
namespace {

TEST(PaletteLayoutTest, ColumnChosenByScreenWidth) {
  // 1280 px at 15 twips per pixel is still the small layout; one pixel more is not.
  const struct {
    double screen_width;
    int width;
    int gap;
  } cases[] = {
      {19200, 13360, 100}, {19215, 18390, 210}, {15360, 13360, 100},
      {28800, 18390, 210}, {0, 13360, 100},
  };
  for (const auto& c : cases) {
    const auto layout = PaletteLayoutFor(c.screen_width);
    EXPECT_EQ(PaletteWidthTwips(layout), c.width) << c.screen_width;
    EXPECT_EQ(layout.gap, c.gap);
    EXPECT_EQ(PaletteOuterSize(c.screen_width).width_twips, c.width);
    EXPECT_EQ(PaletteOuterSize(c.screen_width).height_twips, 705);
  }
}

TEST(PaletteLayoutTest, TilesFitInsideTheHeight) {
  for (double width : {19200.0, 19215.0}) {
    const auto l = PaletteLayoutFor(width);
    EXPECT_LT(l.name_top + l.name_height, l.key_top) << "name and key tiles must not touch";
    EXPECT_LE(l.key_top + l.key_height, kPaletteHeightTwips);
  }
}

}  // namespace
}  // namespace banchiro
