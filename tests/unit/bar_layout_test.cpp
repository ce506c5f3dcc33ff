#include "ui/main/bar_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace banchiro {
namespace {

using W = WindowsName;
constexpr const char* kClassic = "Windows Standard";  // XP without its visual styles

TEST(BarLayoutTest, SizeByBarsAndLookMenusHiddenOnlyWithToolbarOnAndMenuBarOff) {
  const struct {
    bool toolbar, menu_bar;
    W windows;
    const char* scheme;
    int width, height;
    bool menus;
  } cases[] = {{true, true, W::k98, "", 2500, 1000, true},
               {true, true, W::kXP, "", 2520, 1140, true},
               {true, true, W::kXP, kClassic, 2520, 1000, true},
               {true, true, W::k2000, "", 2500, 1000, true},
               {true, false, W::kXP, "", 2520, 840, false},
               {true, false, W::kNone, kClassic, 2500, 700, false},
               {false, true, W::kXP, kClassic, 2240, 620, true},
               {false, true, W::kXP, "", 2520, 740, true},
               {false, true, W::k2000, kClassic, 2280, 620, true},
               {false, false, W::kNT, "", 2300, 620, true}};  // both off: the menus stay
  for (const auto& c : cases) {
    const BarLayout l = BarLayoutFor(c.toolbar, c.menu_bar, c.windows, c.scheme);
    EXPECT_EQ(std::tuple(l.size.width, l.size.height, l.menus_visible),
              std::tuple(c.width, c.height, c.menus));
  }
  Settings s;  // OptTBar "1", OptMBar not: the record's scheme, empty here, is XP's styles
  s.OptTBar = "1";
  EXPECT_EQ(BarLayoutFor(s, W::kXP).size.height, 840);
  EXPECT_FALSE(BarLayoutFor(s, W::kXP).menus_visible);
  s = Settings{};
  s.OptMBar = "1";
  s.appearance_scheme = kClassic;
  EXPECT_EQ(BarLayoutFor(s, W::kXP).size.width, 2240);
}

TEST(BarLayoutTest, CentredOnTheScreenOrAtTheStoredPlace) {
  Settings s;
  s.S_Top = "300";
  s.S_Left = "-45.5";
  const ScreenMetrics screen{1024, 768, 15, 15};  // 15360 x 11520 twips
  for (const char* cent : {"1", "0", ""}) {
    s.OptCent = cent;
    const TwipsPoint p = MainWindowPositionFor(s, screen, {2500, 1000});
    EXPECT_EQ(p.top, s.OptCent == "1" ? 5260 : 300) << cent;
    EXPECT_EQ(p.left, s.OptCent == "1" ? 6430 : -45.5) << cent;
  }
}

}  // namespace
}  // namespace banchiro
