#include "ui/palette/palette_model.h"

#include <gtest/gtest.h>

namespace banchiro {
namespace {

TEST(PaletteModelTest, SlotsInThreeGroupsEndAtTheRightEdge) {
  for (double screen_width : {19200.0, 19215.0}) {
    const PaletteLayout l = PaletteLayoutFor(screen_width);
    const auto slots = PaletteSlots(l);
    EXPECT_EQ(slots[0].name.left, 0);
    EXPECT_EQ(slots[11].key.left + slots[11].key.width, PaletteWidthTwips(l));
    for (int i = 1; i < kPaletteSlots; ++i) {
      const double gap = slots[i].name.left - (slots[i - 1].name.left + l.tile_width);
      EXPECT_EQ(gap, (i == 4 || i == 8) ? 2 * l.gap : l.gap) << i;
      EXPECT_EQ(slots[i].key.left, slots[i].name.left);
    }
  }
  const auto small = PaletteSlots(PaletteLayoutFor(19200));
  EXPECT_EQ(small[0].name.top + small[0].name.height, 345);
  EXPECT_EQ(small[0].key.top, 370);
  EXPECT_EQ(small[5].name.left, 5 * 1105 + 100);
  const auto large = PaletteSlots(PaletteLayoutFor(19215));
  EXPECT_EQ(large[0].name.top + large[0].name.height, 435);
  EXPECT_EQ(large[0].key.top, 465);
  EXPECT_EQ(large[9].name.left, 9 * 1515 + 420);
}

TEST(PaletteModelTest, KeyCaptions) {
  EXPECT_EQ(KeyTileCaption(0), "Ctrl＋Ｆ１");
  EXPECT_EQ(KeyTileCaption(4), "Ctrl＋Ｆ５");
  EXPECT_EQ(KeyTileCaption(8), "Ctrl＋Ｆ９");
  EXPECT_EQ(KeyTileCaption(9), "Ctrl＋Ｆ10");
  EXPECT_EQ(KeyTileCaption(11), "Ctrl＋Ｆ12");
  EXPECT_EQ(KeyTileCaption(12), "");
}

TEST(PaletteModelTest, NameTiles) {
  Settings s;
  s.Fkey.fill("0");
  s.FkeyDisp.fill("0");
  for (int n = 0; n < kMethodCount; ++n)
    s.Fname[n] = "name" + std::to_string(n);
  EXPECT_EQ(NameTileCaptions(s), (std::array<std::string, 12>{}));

  s.Fkey[3] = "5";
  s.FkeyDisp[3] = "1";
  auto captions = NameTileCaptions(s);
  EXPECT_EQ(captions[4], "name3");
  for (int i = 0; i < 12; ++i) {
    if (i == 4) continue;
    EXPECT_EQ(captions[i], "") << i;
  }
  s.FkeyDisp[3] = "0";  // the key still works, the palette shows nothing
  EXPECT_EQ(NameTileCaptions(s)[4], "");

  s.FkeyDisp[3] = "1";
  s.Fkey[2] = "5";
  s.FkeyDisp[2] = "1";
  s.Fkey[7] = "5";
  s.FkeyDisp[7] = "1";
  EXPECT_EQ(NameTileCaptions(s)[4], "name7") << "the higher method wins a shared key";

  Settings odd = s;
  odd.Fkey = {"13", "-1", "x", "", "12", "1", "0", "0", "0", "0", "0", "0", "0", "0"};
  odd.FkeyDisp.fill("1");
  odd.FkeyDisp[5] = "";
  captions = NameTileCaptions(odd);
  EXPECT_EQ(captions[11], "name4");
  EXPECT_EQ(captions[0], "") << "an empty FkeyDisp is not a mark";
  int shown = 0;
  for (const auto& c : captions)
    shown += c.empty() ? 0 : 1;
  EXPECT_EQ(shown, 1);
}

TEST(PaletteModelTest, Colours) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"65535", 65535},       {"0", 0},        {"abc", 0},     {"-1", 0},
      {"16777215", 0xFFFFFF}, {"16777216", 0}, {"255.4", 255}, {" 128px", 128},
  };
  for (const auto& [text, colour] : cases)
    EXPECT_EQ(ColourValue(text), colour) << text;
}

TEST(PaletteModelTest, Position) {
  Settings s;
  s.OptCent = "1";
  s.F_Top = "100";
  s.F_Left = "200";
  // 600 px at 15 twips: 9000 twips high; 1280 px: the small layout.
  const ScreenMetrics screen{1280, 600, 15, 15};
  TwipsPoint p = PalettePosition(s, screen);
  EXPECT_DOUBLE_EQ(p.top, 7801.5);
  EXPECT_DOUBLE_EQ(p.left, (19200 - 13360) / 2.0);
  s.OptCent = "0";
  p = PalettePosition(s, screen);
  EXPECT_EQ(p.top, 100);
  EXPECT_EQ(p.left, 200);
  s.F_Top = "abc";
  s.F_Left = "-12.5";
  p = PalettePosition(s, screen);
  EXPECT_EQ(p.top, 0);
  EXPECT_EQ(p.left, -12.5);
}

TEST(PaletteModelTest, RegionIsEveryTileInPixels) {
  const auto small = PaletteRegionRects(PaletteLayoutFor(19200), 15, 15);
  ASSERT_EQ(small.size(), 24u);
  EXPECT_EQ(small[0].left, 0);
  EXPECT_EQ(small[0].top, 2);
  EXPECT_EQ(small[0].right, 67);
  EXPECT_EQ(small[0].bottom, 23);
  EXPECT_EQ(small[12].top, 25);  // 370 / 15 = 24.67
  EXPECT_EQ(small[12].bottom, 36);
  EXPECT_EQ(small[23].right, 13360 / 15 + 1);  // 890.67 rounds up
  const auto hidpi = PaletteRegionRects(PaletteLayoutFor(19215), 7.5, 7.5);
  EXPECT_EQ(hidpi[23].right, 18390 / 7.5);
  EXPECT_EQ(hidpi[12].top, 62);
  for (const auto& r : hidpi)
    EXPECT_LT(r.left, r.right);
}

}  // namespace
}  // namespace banchiro
