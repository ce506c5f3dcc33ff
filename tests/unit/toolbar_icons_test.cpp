#include "ui/main/toolbar_icons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "engine/display_methods.h"
#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

constexpr int kN = kToolbarIconSize;

IconPicture PictureOf(int button) {
  const auto picture = ToolbarIconPicture(button);
  if (!picture) ADD_FAILURE() << "no picture for button " << button;
  return picture.value_or(IconPicture{});
}

bool IsTitle(IconInk ink) {
  return ink == IconInk::kTitle || ink == IconInk::kBackTitle;
}
bool IsInside(IconInk ink) {
  return IsTitle(ink) || ink == IconInk::kBody;
}

// The visible inside of one drawn window: a 4-connected run of title and
// body pixels. Frames keep neighbouring and overlapping windows apart.
struct Window {
  int left = kN, top = kN, right = -1, bottom = -1;  // inclusive bounds
  int pixels = 0;
  IconInk title = IconInk::kClear;  // the title ink seen in its top row
  bool full() const { return pixels == (right - left + 1) * (bottom - top + 1); }
  bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  double centre_x() const { return (left + right) / 2.0; }
  double centre_y() const { return (top + bottom) / 2.0; }
};

// Connected regions of pixels for which `keep` holds.
template <typename Keep>
std::vector<Window> Regions(const IconPicture& p, Keep keep) {
  std::vector<Window> out;
  std::vector<bool> seen(kN * kN, false);
  for (int y0 = 0; y0 < kN; ++y0) {
    for (int x0 = 0; x0 < kN; ++x0) {
      if (seen[y0 * kN + x0] || !keep(p.at(x0, y0))) continue;
      Window w;
      std::vector<std::pair<int, int>> todo{{x0, y0}};
      seen[y0 * kN + x0] = true;
      while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        ++w.pixels;
        w.left = std::min(w.left, x), w.right = std::max(w.right, x);
        w.top = std::min(w.top, y), w.bottom = std::max(w.bottom, y);
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& s : steps) {
          const int nx = x + s[0], ny = y + s[1];
          if (nx < 0 || ny < 0 || nx >= kN || ny >= kN) continue;
          if (seen[ny * kN + nx] || !keep(p.at(nx, ny))) continue;
          seen[ny * kN + nx] = true;
          todo.push_back({nx, ny});
        }
      }
      for (int x = w.left; x <= w.right && w.title == IconInk::kClear; ++x) {
        if (IsTitle(p.at(x, w.top))) w.title = p.at(x, w.top);
      }
      out.push_back(w);
    }
  }
  return out;
}

std::vector<Window> WindowsIn(const IconPicture& p) {
  return Regions(p, IsInside);
}
int TitleStrips(const IconPicture& p) {
  return static_cast<int>(Regions(p, IsTitle).size());
}

const Window* Active(const std::vector<Window>& windows) {
  const Window* active = nullptr;
  for (const auto& w : windows) {
    if (w.title != IconInk::kTitle) continue;
    if (active) ADD_FAILURE() << "two active windows";
    active = &w;
  }
  if (!active) ADD_FAILURE() << "no active window";
  return active;
}

int Drawn(const IconPicture& p) {
  return static_cast<int>(std::count_if(p.pixels.begin(), p.pixels.end(),
                                        [](IconInk i) { return i != IconInk::kClear; }));
}

TEST(ToolbarIconsTest, SeventeenPicturesAndNoneForOtherNumbers) {
  for (int b = 1; b <= kToolbarButtonCount; ++b) {
    // Enough drawn to be a picture, with strokes that stand out of the face.
    const IconPicture p = PictureOf(b);
    EXPECT_GE(Drawn(p), 30) << b;
    const auto strokes = std::count_if(p.pixels.begin(), p.pixels.end(), [](IconInk i) {
      return i == IconInk::kOutline || i == IconInk::kAccent || i == IconInk::kAlert;
    });
    EXPECT_GE(strokes, 20) << b;
  }
  for (int b : {0, -1, 18, 100, INT_MIN, INT_MAX})
    EXPECT_FALSE(ToolbarIconPicture(b)) << b;
}

TEST(ToolbarIconsTest, AnyTwoPicturesDifferInManyPixels) {
  // A few pixels apart would be one picture twice to the eye. The closest
  // pair is a split tiling and the grid, told apart by one divider across
  // half the cell (12 pixels of frame).
  for (int a = 1; a <= kToolbarButtonCount; ++a) {
    for (int b = a + 1; b <= kToolbarButtonCount; ++b) {
      const IconPicture pa = PictureOf(a), pb = PictureOf(b);
      int differ = 0;
      for (int i = 0; i < kN * kN; ++i)
        differ += pa.pixels[i] != pb.pixels[i];
      EXPECT_GE(differ, 10) << "buttons " << a << " and " << b;
    }
  }
}

TEST(ToolbarIconsTest, EveryDrawnInkHasAColourOfItsOwn) {
  for (int b = 1; b <= kToolbarButtonCount; ++b) {
    for (IconInk ink : PictureOf(b).pixels) {
      ASSERT_LT(static_cast<int>(ink), kIconInkCount) << b;
      if (ink != IconInk::kClear) {
        ASSERT_TRUE(IconInkColour(ink)) << b;
      }
    }
  }
  EXPECT_FALSE(IconInkColour(IconInk::kClear));
  EXPECT_FALSE(IconInkColour(static_cast<IconInk>(kIconInkCount)));
  EXPECT_FALSE(IconInkColour(static_cast<IconInk>(255)));
  // Inks that met in one colour would merge frames into bodies or titles.
  for (int a = 1; a < kIconInkCount; ++a) {
    for (int b = a + 1; b < kIconInkCount; ++b) {
      const IconColour ca = *IconInkColour(static_cast<IconInk>(a));
      const IconColour cb = *IconInkColour(static_cast<IconInk>(b));
      const int distance =
          std::abs(ca.red - cb.red) + std::abs(ca.green - cb.green) + std::abs(ca.blue - cb.blue);
      EXPECT_GE(distance, 90) << a << " " << b;
    }
  }
}

TEST(ToolbarIconsTest, OutsideTheCellIsClear) {
  // The grid fills the cell to its edges; one step beyond must not wrap round.
  const IconPicture p = PictureOf(17);
  ASSERT_NE(p.at(kN - 1, kN - 1), IconInk::kClear);
  for (const auto& [x, y] : {std::pair{-1, 0},
                             {kN, 0},
                             {0, -1},
                             {0, kN},
                             {kN, kN - 1},
                             {INT_MIN, INT_MIN},
                             {INT_MAX, 0}}) {
    EXPECT_EQ(p.at(x, y), IconInk::kClear) << x << "," << y;
  }
}

TEST(ToolbarIconsTest, CascadesKeepToTheirCornerWithTheTopmostWindowInFront) {
  struct Case {
    int button, method;
    int corner_x, corner_y;  // the corner the cascade starts from
    int front_dx, front_dy;  // where the front window lies from those behind it
    bool front_at_corner;    // the bottom corners start with the topmost window
  };
  const Case cases[] = {
      {1, 0, 0, 0, +1, +1, false},
      {2, 1, kN - 1, 0, -1, +1, false},
      {3, 2, kN - 1, kN - 1, +1, +1, true},
      {4, 3, 0, kN - 1, -1, +1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_EQ(MethodForToolbarButton(c.button), c.method);
    const IconPicture p = PictureOf(c.button);
    const auto windows = WindowsIn(p);
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(TitleStrips(p), 3);
    // A frame sits on the start corner; the far corner is left empty.
    EXPECT_EQ(p.at(c.corner_x, c.corner_y), IconInk::kOutline);
    EXPECT_EQ(p.at(kN - 1 - c.corner_x, kN - 1 - c.corner_y), IconInk::kClear);

    const Window* front = Active(windows);
    ASSERT_NE(front, nullptr);
    // Drawn last, the front window is whole; each one behind is partly covered.
    EXPECT_TRUE(front->full());
    for (const auto& w : windows) {
      if (&w == front) continue;
      EXPECT_FALSE(w.full());
      EXPECT_GT((front->left - w.left) * c.front_dx, 0);
      EXPECT_GT((front->top - w.top) * c.front_dy, 0);
    }
    const int inner_x = c.corner_x == 0 ? 1 : kN - 2;
    const int inner_y = c.corner_y == 0 ? 1 : kN - 2;
    EXPECT_EQ(front->contains(inner_x, inner_y), c.front_at_corner);
  }
}

TEST(ToolbarIconsTest, TilingsFillTheCellWithSeparateWindowsWhereTheLayoutPutsThem) {
  // Where the layout puts row 1, the topmost window: it has the active title.
  enum Where { kTopRow, kLeftColumn, kTopLeft, kBigWindow };
  enum Big { kNone, kLeft, kRight, kTop, kBottom };
  struct Case {
    int button, method, windows;
    Where active;
    Big big;  // the split tilings' full-length window
  };
  const Case cases[] = {
      {5, 4, 3, kTopRow, kNone},    {6, 5, 3, kLeftColumn, kNone}, {13, 6, 3, kBigWindow, kLeft},
      {14, 7, 3, kTopLeft, kRight}, {15, 8, 3, kBigWindow, kTop},  {16, 9, 3, kTopLeft, kBottom},
      {17, 10, 4, kTopLeft, kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_EQ(MethodForToolbarButton(c.button), c.method);
    const IconPicture p = PictureOf(c.button);
    EXPECT_EQ(std::count(p.pixels.begin(), p.pixels.end(), IconInk::kClear), 0);
    const auto windows = WindowsIn(p);
    ASSERT_EQ(static_cast<int>(windows.size()), c.windows);
    EXPECT_EQ(TitleStrips(p), c.windows);
    for (const auto& w : windows) {
      EXPECT_TRUE(w.full()) << "windows of a tiling never overlap";
      EXPECT_NE(w.title, IconInk::kClear) << "title strip on top of every window";
      EXPECT_TRUE(c.active != kTopRow || w.right - w.left == kN - 3) << "stacked, full width";
      EXPECT_TRUE(c.active != kLeftColumn || w.bottom - w.top == kN - 3) << "full height";
    }
    const auto by_size = [](const Window& a, const Window& b) { return a.pixels < b.pixels; };
    const Window& biggest = *std::max_element(windows.begin(), windows.end(), by_size);
    const Window& smallest = *std::min_element(windows.begin(), windows.end(), by_size);
    const Window* active = Active(windows);
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->contains(1, 1), c.active != kBigWindow || c.big == kLeft || c.big == kTop);
    EXPECT_TRUE(c.active != kTopRow || active->right == kN - 2) << "full width";
    EXPECT_TRUE(c.active != kLeftColumn || active->bottom == kN - 2) << "full height";
    EXPECT_TRUE(c.active != kBigWindow || active == &biggest);

    if (c.big == kNone) {
      // An even share each: one row or column of difference at the most.
      EXPECT_LE(biggest.pixels - smallest.pixels, kN - 2);
      continue;
    }
    // The big window runs the whole way along its side; the two small ones
    // share the other half.
    const bool tall = c.big == kLeft || c.big == kRight;
    EXPECT_EQ(tall ? biggest.bottom - biggest.top : biggest.right - biggest.left, kN - 3);
    for (const auto& w : windows) {
      if (&w == &biggest) continue;
      EXPECT_LT(w.pixels, biggest.pixels);
      const bool beyond = c.big == kLeft    ? w.left > biggest.right
                          : c.big == kRight ? w.right < biggest.left
                          : c.big == kTop   ? w.top > biggest.bottom
                                            : w.bottom < biggest.top;
      EXPECT_TRUE(beyond) << w.left << "," << w.top;
    }
  }
}

TEST(ToolbarIconsTest, RoundPictogramsAreSymmetric) {
  // A slip in one row of a hand-drawn picture shows as a lopsided shape.
  struct Case {
    int button;
    bool up_down;
  };
  for (const Case& c : {Case{7, true}, Case{10, false}}) {
    SCOPED_TRACE(c.button);
    const IconPicture p = PictureOf(c.button);
    for (int y = 0; y < kN; ++y) {
      for (int x = 0; x < kN; ++x) {
        EXPECT_EQ(p.at(x, y), p.at(kN - 1 - x, y)) << x << "," << y;
        if (c.up_down) {
          EXPECT_EQ(p.at(x, y), p.at(x, kN - 1 - y)) << x << "," << y;
        }
      }
    }
  }
}

TEST(ToolbarIconsTest, ScaleIsTheNearestWholeMultipleOf96Dpi) {
  const std::pair<int, int> cases[] = {
      {96, 1},  {0, 1},   {-96, 1}, {INT_MIN, 1}, {72, 1},  {120, 1},  {143, 1},     {144, 2},
      {192, 2}, {239, 2}, {240, 3}, {288, 3},     {768, 8}, {1000, 8}, {INT_MAX, 8},
  };
  for (const auto& [dpi, scale] : cases)
    EXPECT_EQ(ToolbarIconScale(dpi), scale) << dpi;
}

}  // namespace
}  // namespace banchiro
