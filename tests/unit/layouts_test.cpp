#include "engine/layouts.h"

#include <vector>

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "default_settings.h"

namespace banchiro {
namespace {

// The defaults on a 1024 x 768 screen with a 30-pixel taskbar at the bottom.
LayoutInputs DefaultInputs(bool windows_xp = false, Rect work_area = {0, 0, 1024, 738}) {
  FakePlatform fake;
  Settings settings;
  testing::LoadDefaultSettings(fake, settings);
  return MakeLayoutInputs(settings, work_area, windows_xp);
}

std::vector<Rect> Layout(int method, int n, const LayoutInputs& in = DefaultInputs()) {
  auto rows = ComputeLayout(method, n, in);
  return rows ? *rows : std::vector<Rect>{};
}

TEST(LayoutsTest, DefaultInputs) {
  const LayoutInputs in = DefaultInputs();
  EXPECT_EQ(in.gap_left, 70);
  EXPECT_EQ(in.gap_bottom, 70);
  EXPECT_EQ(in.cascade_divisor, 2.4f);
  EXPECT_EQ(in.dx, 22);
  EXPECT_EQ(in.dy, 22);
  EXPECT_EQ(DefaultInputs(true).dy, 29);
}

TEST(LayoutsTest, CascadeFigures) {
  // 738 / 2.4 would be exactly 307.5; K in single precision is a little
  // above 2.4, so the window is 307 high.
  const struct {
    int method;
    bool xp;
    std::vector<Rect> rows;
  } cases[] = {
      {0, false, {{114, 114, 427, 307}, {92, 92, 427, 307}, {70, 70, 427, 307}}},
      {0, true, {{114, 128, 427, 307}, {92, 99, 427, 307}, {70, 70, 427, 307}}},
      {1, false, {{483, 114, 427, 307}, {505, 92, 427, 307}, {527, 70, 427, 307}}},
      {2, false, {{527, 361, 427, 307}, {505, 339, 427, 307}, {483, 317, 427, 307}}},
      {3, false, {{70, 361, 427, 307}, {92, 339, 427, 307}, {114, 317, 427, 307}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Layout(c.method, 3, DefaultInputs(c.xp)), c.rows) << c.method << " xp " << c.xp;
  }
}

TEST(LayoutsTest, TilingFigures) {
  const struct {
    int method;
    int n;
    std::vector<Rect> rows;
  } cases[] = {
      {4, 1, {{70, 70, 884, 598}}},
      {4, 2, {{70, 70, 884, 359}, {70, 429, 884, 239}}},
      {4, 3, {{70, 70, 884, 199}, {70, 269, 884, 199}, {70, 469, 884, 199}}},
      {5, 1, {{70, 70, 884, 598}}},
      {5, 2, {{70, 70, 354, 598}, {424, 70, 530, 598}}},
      {5, 3, {{70, 70, 295, 598}, {365, 70, 295, 598}, {660, 70, 295, 598}}},
      {6, 3, {{70, 70, 354, 598}, {424, 70, 530, 359}, {424, 429, 530, 239}}},
      {7, 3, {{70, 70, 354, 359}, {70, 429, 354, 239}, {424, 70, 530, 598}}},
      {8, 3, {{70, 70, 884, 359}, {70, 429, 354, 239}, {424, 429, 530, 239}}},
      {9, 3, {{70, 70, 354, 359}, {424, 70, 530, 359}, {70, 429, 884, 239}}},
      {10, 4, {{70, 70, 354, 359}, {424, 70, 530, 359}, {70, 429, 354, 239}, {424, 429, 530, 239}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Layout(c.method, c.n), c.rows) << c.method << "/" << c.n;
}

TEST(LayoutsTest, SplitTilingsNeedTheirWindowCount) {
  for (int method = 6; method <= 9; ++method) {
    for (int n : {0, 1, 2, 4, 5, 20})
      EXPECT_FALSE(ComputeLayout(method, n, DefaultInputs()));
  }
  for (int n : {0, 1, 2, 3, 5})
    EXPECT_FALSE(ComputeLayout(10, n, DefaultInputs()));
  for (int method : {-1, 11, 12, 13})
    EXPECT_FALSE(ComputeLayout(method, 3, DefaultInputs()));
  for (int method = 0; method <= 5; ++method) {
    ASSERT_TRUE(ComputeLayout(method, 0, DefaultInputs()));
    EXPECT_TRUE(ComputeLayout(method, 0, DefaultInputs())->empty());
  }
}

TEST(LayoutsTest, TaskbarOnTheLeft) {
  // Work area (100, 0, 1024, 768): cascades start right of the taskbar, the
  // tilings still at the screen coordinate of the gap.
  const LayoutInputs in = DefaultInputs(false, Rect{100, 0, 924, 768});
  EXPECT_EQ(Layout(0, 1, in)[0], (Rect{170, 70, 427, 320}));
  EXPECT_EQ(Layout(3, 1, in)[0], (Rect{170, 378, 427, 320}));
  EXPECT_EQ(Layout(4, 1, in)[0], (Rect{70, 70, 884, 628}));
}

TEST(LayoutsTest, TilingsCoverTheAreaForEveryCount) {
  const LayoutInputs in = DefaultInputs();
  for (int n = 1; n <= 20; ++n) {
    const auto stacked = Layout(4, n, in);
    const auto side = Layout(5, n, in);
    ASSERT_EQ(stacked.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(stacked[i].left, 70);
      EXPECT_EQ(stacked[i].width, 884);
      EXPECT_EQ(side[i].top, 70);
      EXPECT_EQ(side[i].height, 598);
      if (i > 0) {
        // Neighbours may overlap or part by one pixel, never more.
        EXPECT_LE(std::abs(stacked[i].top - stacked[i - 1].bottom()), 1) << n << " " << i;
        EXPECT_EQ(side[i].left, side[i - 1].right()) << n << " " << i;
      }
    }
    EXPECT_LE(std::abs(stacked.back().bottom() - 668), 1) << n;
    EXPECT_LE(std::abs(side.back().right() - 954), (n + 1) / 2) << n;
  }
}

TEST(LayoutsTest, OutOfRangeSettingsFallBackToDefaults) {
  Settings s;
  s.OptCas = "-1.2";  // K = 0
  s.OptRat = {"12", "8"};
  for (int k = 0; k < 4; ++k) {
    s.OptSat[k] = "1";
    s.OptPix[k] = "70";
    s.OptIval[k] = "0";
  }
  s.OptPix[0] = "40000";  // beyond 16 bits
  s.OptIval[1] = "1e400";
  s.OptSat[2] = "-500";  // -35000
  s.OptIval[3] = "-5";
  LayoutInputs in = MakeLayoutInputs(s, {0, 0, 1024, 738}, false);
  EXPECT_EQ(in.cascade_divisor, 2.4f);
  EXPECT_EQ(in.gap_left, 70);
  EXPECT_EQ(in.gap_right, 70);
  EXPECT_EQ(in.gap_top, 70);
  EXPECT_EQ(in.gap_bottom, 65);
  s.OptCas = "1e39";  // beyond single precision: infinite
  EXPECT_EQ(MakeLayoutInputs(s, {0, 0, 1024, 738}, false).cascade_divisor, 2.4f);
  s.OptCas = "0.3";
  EXPECT_FLOAT_EQ(MakeLayoutInputs(s, {0, 0, 1024, 738}, false).cascade_divisor, 1.5f);
  // A tiny divisor makes huge but well-defined rectangles.
  s.OptCas = "-1.1999999";
  in = MakeLayoutInputs(s, {0, 0, 1024, 738}, false);
  for (int method = 0; method <= 3; ++method)
    EXPECT_EQ(Layout(method, 20, in).size(), 20u);
}

}  // namespace
}  // namespace banchiro
