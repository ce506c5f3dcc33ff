#include <gtest/gtest.h>

#include <tuple>

#include "default_settings.h"
#include "platform/fake/fake_platform.h"
#include "ui/palette/palette_model.h"

namespace banchiro {
namespace {

// Screens up to 19200 twips wide (1280 px at 96 dpi) get the small tiles.
TEST(PaletteModelTest, TwelveTilesInGroupsOfFourEndingAtTheRightEdge) {
  for (const auto& [screen_width, width] : {std::pair{19200.0, 13360}, {19215.0, 18390}}) {
    const PaletteLayout l = PaletteLayoutFor(screen_width);
    const auto slots = PaletteSlots(l);
    EXPECT_EQ(slots[11].key.left + slots[11].key.width, width);
    for (int i = 0; i < kPaletteSlots; ++i) {
      const double gap = slots[i].name.left - (i == 0 ? 0 : slots[i - 1].name.left + l.tile_width);
      EXPECT_EQ(gap, i == 0 ? 0 : i % 4 == 0 ? 2 * l.gap : l.gap) << i;
      EXPECT_EQ(slots[i].key.left, slots[i].name.left);
    }
  }
}

TEST(PaletteModelTest, NameTileOfAMarkedMethodOnItsKeyTheHigherMethodWinning) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"5", "1", 4}, {"12", "1", 11}, {"1", "2", 0},  {"0", "1", -1},
      {"", "1", -1}, {"13", "1", -1}, {"5", "0", -1}, {"5", "", -1}};
  for (const auto& [key, mark, tile] : cases) {
    Settings s;
    s.Fkey[7] = s.Fkey[9] = "9", s.FkeyDisp[7] = s.FkeyDisp[9] = "1", s.Fname[9] = "nine";
    s.Fname[3] = "three", s.Fkey[3] = key, s.FkeyDisp[3] = mark;
    std::array<std::string, kPaletteSlots> want;
    want[8] = "nine";
    if (tile >= 0) want[tile] = "three";  // -1: no tile
    EXPECT_EQ(NameTileCaptions(s), want) << key << "/" << mark;
  }
}

// Left, top, right, bottom of the first name tile, the first key tile, the last key tile.
TEST(PaletteModelTest, RegionIsEveryTileInPixelsNameTilesFirst) {
  const std::tuple<double, double, std::vector<int>> cases[] = {
      {19200, 15, {0, 2, 67, 23, 0, 25, 67, 36, 824, 25, 891, 36}},       // 96 dpi
      {19215, 10, {0, 3, 130, 44, 0, 46, 130, 66, 1708, 46, 1839, 66}}};  // 144 dpi
  for (const auto& [screen_width, twips_per_pixel, want] : cases) {
    const auto r = PaletteRegionRects(PaletteLayoutFor(screen_width),
                                      {0, 0, twips_per_pixel, twips_per_pixel});
    ASSERT_EQ(r.size(), 24u);
    std::vector<int> got;
    for (int i : {0, 12, 23})
      got.insert(got.end(), {r[i].left, r[i].top, r[i].right, r[i].bottom});
    EXPECT_EQ(got, want);
  }
}

TEST(PaletteModelTest, StoredColoursWinAndAMissingOneGetsItsDefaultWritten) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"255", "16711680", "255 16711680 "},
      {"", "123", "65535 123 OptCol(0)=65535"},
      {"0", "", "0 0 OptCol(1)=0"}};
  for (const auto& [text, back, want] : cases) {
    FakeSettingsStore store;
    store.Set(kSectionFunctionKey, "OptCol(0)", text);
    store.Set(kSectionFunctionKey, "OptCol(1)", back);
    Settings s;
    s.OptCol = {"1", "2"};  // in memory only, never saved
    ReloadPaletteColours(s, store);
    EXPECT_EQ(s.OptCol[0] + " " + s.OptCol[1] + " " + testing::WritesSince(store), want);
  }
}

TEST(PaletteModelTest, CentredNearTheBottomOrAtTheStoredPlace) {
  Settings s;
  s.OptCent = "1", s.F_Top = "100", s.F_Left = "-12.5";
  const ScreenMetrics screen{1280, 600, 15, 15};  // 19200 x 9000 twips: small tiles
  const auto place = [&] {
    return std::pair(PalettePosition(s, screen).top, PalettePosition(s, screen).left);
  };
  EXPECT_EQ(place(), std::pair(9000 - 1.7 * 705, (19200 - 13360) / 2.0));
  s.OptCent = "0";
  EXPECT_EQ(place(), std::pair(100.0, -12.5));
  // Where the user left it is stored and, for a palette opened again, kept.
  FakeSettingsStore store;
  StorePalettePosition(s, store, {7350, 4500.5});
  EXPECT_EQ(testing::WritesSince(store), "F_Top=7350 F_Left=4500.5");
  EXPECT_EQ(place(), std::pair(7350.0, 4500.5));
}

}  // namespace
}  // namespace banchiro
