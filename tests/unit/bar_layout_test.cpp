#include "ui/main/bar_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace banchiro {
namespace {

struct Look {
  const char* windows;
  const char* scheme;
};
// Both XP looks, 2000 (with and without a scheme: it does not matter there),
// and names that fall into "any other".
constexpr Look kLooks[] = {
    {"Windows XP", "Windows Standard"},
    {"Windows XP", ""},
    {"Windows 2000", "x"},
    {"Windows 2000", ""},
    {"Windows 98", "x"},
    {"Windows NT", ""},
    {"", ""},
    {"windows xp", ""},
    {"Windows XP ", ""},
};

TEST(BarLayoutTest, MenusHideOnlyWithToolbarOnAndMenuBarOff) {
  for (const auto& look : kLooks) {
    for (int bits = 0; bits < 4; ++bits) {
      const bool toolbar = bits & 1, menu_bar = bits & 2;
      EXPECT_EQ(BarLayoutFor(toolbar, menu_bar, look.windows, look.scheme).menus_visible,
                !(toolbar && !menu_bar))
          << look.windows << " " << bits;
    }
  }
}

TEST(BarLayoutTest, HeightGrowsWithEachBarAndWidthDoesNotDependOnTheMenuBar) {
  for (const auto& look : kLooks) {
    const auto off = BarLayoutFor(false, true, look.windows, look.scheme).size;
    const auto off_both = BarLayoutFor(false, false, look.windows, look.scheme).size;
    const auto tool = BarLayoutFor(true, false, look.windows, look.scheme).size;
    const auto both = BarLayoutFor(true, true, look.windows, look.scheme).size;
    EXPECT_EQ(off.width, off_both.width) << look.windows;
    EXPECT_EQ(off.height, off_both.height) << look.windows;
    EXPECT_LT(off.height, tool.height) << look.windows;
    EXPECT_EQ(both.height - tool.height, 300) << "one menu bar " << look.windows;
    EXPECT_EQ(tool.width, both.width) << look.windows;
  }
}

TEST(BarLayoutTest, ExactFigures) {
  struct Case {
    bool toolbar, menu_bar;
    const char* windows;
    const char* scheme;
    int width, height;
  };
  // Both switches off cannot be saved from the dialog but may be in the
  // store: the toolbar-off row applies, menus visible.
  const Case cases[] = {
      {false, false, "Windows 98", "", 2300, 620},
      {false, false, "Windows 2000", "", 2280, 620},
      {false, false, "Windows XP", "Windows Standard", 2240, 620},
      {false, false, "Windows XP", "", 2520, 740},
      {true, false, "Windows XP", "", 2520, 840},
      {true, false, "Windows 2000", "", 2500, 700},
      {true, true, "Windows XP", "Windows Standard", 2520, 1000},
      {true, true, "Windows XP", "", 2520, 1140},
      {true, true, "", "", 2500, 1000},
  };
  for (const auto& c : cases) {
    const auto layout = BarLayoutFor(c.toolbar, c.menu_bar, c.windows, c.scheme);
    EXPECT_EQ(layout.size.width, c.width) << c.windows << c.toolbar << c.menu_bar;
    EXPECT_EQ(layout.size.height, c.height) << c.windows << c.toolbar << c.menu_bar;
  }
  EXPECT_TRUE(BarLayoutFor(false, false, "Windows 98", "").menus_visible);
}

TEST(BarLayoutTest, SettingsSwitchesAreOnOnlyWhenExactlyOne) {
  Settings s;
  s.OptTBar = "1";
  s.OptMBar = "1";
  s.appearance_scheme = "";
  EXPECT_EQ(BarLayoutFor(s, "Windows XP").size.height, 1140) << "the record's scheme is used";
  s.appearance_scheme = "Windows Standard";
  EXPECT_EQ(BarLayoutFor(s, "Windows XP").size.height, 1000);
  for (const char* text : {"01", " 1", "", "yes", "0"}) {
    s.OptMBar = text;
    EXPECT_FALSE(BarLayoutFor(s, "Windows 98").menus_visible) << '"' << text << '"';
    s.OptMBar = "1";
    s.OptTBar = text;
    EXPECT_EQ(BarLayoutFor(s, "Windows 98").size.height, 620) << '"' << text << '"';
    s.OptTBar = "1";
  }
}

TEST(BarLayoutTest, PixelsRoundToTheNearestHalvesToEven) {
  const struct {
    TwipsSize twips;
    double tppx, tppy;
    int width, height;
  } cases[] = {
      {{2500, 1000}, 15, 15, 167, 67},  // 166.67, 66.67
      {{2520, 1140}, 12, 12, 210, 95},  // 120 DPI, exact
      {{2300, 620}, 8, 8, 288, 78},     // 287.5 and 77.5 go up to even
      {{2500, 700}, 8, 16, 312, 44},    // 312.5 goes down to even; 43.75
      {{2240, 620}, 15, 7.5, 149, 83},  // 149.33, 82.67
  };
  for (const auto& c : cases) {
    const PixelSize px = ToPixels(c.twips, c.tppx, c.tppy);
    EXPECT_EQ(px.width, c.width) << c.twips.width << "/" << c.tppx;
    EXPECT_EQ(px.height, c.height) << c.twips.height << "/" << c.tppy;
  }
  const double bad[] = {0, -15, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
  for (double tpp : bad) {
    EXPECT_EQ(ToPixels({2500, 1000}, tpp, 15).width, 0) << tpp;
    EXPECT_EQ(ToPixels({2500, 1000}, 15, tpp).height, 0) << tpp;
  }
}

TEST(BarLayoutTest, PositionCentredOrStored) {
  Settings s;
  s.OptCent = "1";
  s.S_Top = "300";
  s.S_Left = "400";
  const ScreenMetrics screen{1024, 768, 15, 15};  // 15360 x 11520 twips
  auto p = MainWindowPositionFor(s, screen, {2500, 1000});
  EXPECT_EQ(p.top, 5260);
  EXPECT_EQ(p.left, 6430);
  p = MainWindowPositionFor(s, ScreenMetrics{1023, 767, 15, 15}, {2520, 1140});
  EXPECT_EQ(p.top, (11505 - 1140) / 2.0) << "half twips stay for the pixel conversion";
  EXPECT_EQ(p.left, (15345 - 2520) / 2.0);

  const struct {
    const char *cent, *top, *left;
    double want_top, want_left;
  } stored[] = {
      {"0", "300", "400", 300, 400},    {"01", "300", "400", 300, 400},     {"", "abc", "", 0, 0},
      {"0", " 45px", "-120", 45, -120}, {"yes", "12.5", "1e3", 12.5, 1000},
  };
  for (const auto& c : stored) {
    s.OptCent = c.cent;
    s.S_Top = c.top;
    s.S_Left = c.left;
    p = MainWindowPositionFor(s, screen, {2500, 1000});
    EXPECT_EQ(p.top, c.want_top) << c.cent << " " << c.top;
    EXPECT_EQ(p.left, c.want_left) << c.cent << " " << c.left;
  }
}

}  // namespace
}  // namespace banchiro
