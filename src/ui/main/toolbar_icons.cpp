#include "ui/main/toolbar_icons.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/layouts.h"
#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

constexpr int kSize = kToolbarIconSize;

// The layouts are computed on a square work area of this many units per
// picture pixel, fine enough that the layout code's own rounding is not what
// decides where a pixel edge falls.
constexpr int kUnitsPerPixel = 100;
constexpr int kWorkAreaSide = kSize * kUnitsPerPixel;

// Cascaded windows of 9 pixels, 2 pixels apart: three of them leave a
// 3-pixel band free at the far side, so the corner a cascade keeps to shows.
constexpr int kCascadeWindowPixels = 9;
constexpr int kCascadeStepPixels = 2;

LayoutInputs IconLayoutInputs() {
  LayoutInputs in;
  in.work_area = Rect{0, 0, kWorkAreaSide, kWorkAreaSide};
  // No gaps: the cell is small enough without them, and the tilings then
  // fill it edge to edge as they fill the screen.
  in.gap_left = in.gap_right = in.gap_top = in.gap_bottom = 0;
  in.dx = in.dy = kCascadeStepPixels * kUnitsPerPixel;
  in.cascade_divisor = static_cast<float>(kSize) / kCascadeWindowPixels;
  // Even splits: a user's own ratio is not the button's business.
  in.ratio_top = 10;
  in.ratio_left = 10;
  return in;
}

// A layout that takes only one count of windows is shown with that many;
// the others with three, which show a cascade's steps and a tiling's
// repetition best.
int WindowsShown(DisplayMethod method) {
  return FixedWindowCount(method).value_or(3);
}

void Put(IconPicture& picture, int x, int y, IconInk ink) {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
  picture.pixels[static_cast<std::size_t>(y * kSize + x)] = ink;
}

// Layout units to a picture pixel edge, rounding to the nearest edge.
int ToPixelEdge(std::int32_t units) {
  return static_cast<int>(std::floor(static_cast<double>(units) / kUnitsPerPixel + 0.5));
}

// One window over whatever is below it: frame, title strip, body. Parts
// outside the cell are cut off.
void DrawWindow(IconPicture& picture, const Rect& rect, IconInk title) {
  const int left = ToPixelEdge(rect.left);
  const int top = ToPixelEdge(rect.top);
  const int right = ToPixelEdge(rect.right());  // exclusive
  const int bottom = ToPixelEdge(rect.bottom());
  // Two rows of title once the inside is tall enough to keep a body of
  // several rows; a single row otherwise.
  const int title_rows = bottom - top - 2 >= 6 ? 2 : 1;
  for (int y = std::max(top, 0); y < std::min(bottom, kSize); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, kSize); ++x) {
      const bool edge = x == left || x == right - 1 || y == top || y == bottom - 1;
      const IconInk ink = edge ? IconInk::kOutline : y <= top + title_rows ? title : IconInk::kBody;
      Put(picture, x, y, ink);
    }
  }
}

std::optional<IconPicture> LayoutPicture(DisplayMethod method) {
  const auto rows = ComputeLayout(method, WindowsShown(method), IconLayoutInputs());
  if (!rows || rows->empty()) return std::nullopt;
  IconPicture picture;
  // Row 1 is the topmost window: draw from the bottom of the stack up, so
  // each window covers those behind it as it will on the screen.
  for (std::size_t i = rows->size(); i-- > 0;) {
    DrawWindow(picture, (*rows)[i], i == 0 ? IconInk::kTitle : IconInk::kBackTitle);
  }
  return picture;
}

// Pictograms for the buttons that are not layouts, one character a pixel:
//   .  clear     #  outline    w  body     b  title
//   g  back title  a  accent   r  alert
using Art = std::array<std::string_view, kSize>;

constexpr bool IsInkChar(char c) {
  return c == '.' || c == '#' || c == 'w' || c == 'b' || c == 'g' || c == 'a' || c == 'r';
}

constexpr bool WellFormed(const Art& art) {
  for (std::string_view row : art) {
    if (row.size() != static_cast<std::size_t>(kSize)) return false;
    for (char c : row) {
      if (!IsInkChar(c)) return false;
    }
  }
  return true;
}

IconInk InkFor(char c) {
  switch (c) {
    case '#':
      return IconInk::kOutline;
    case 'w':
      return IconInk::kBody;
    case 'b':
      return IconInk::kTitle;
    case 'g':
      return IconInk::kBackTitle;
    case 'a':
      return IconInk::kAccent;
    case 'r':
      return IconInk::kAlert;
  }
  return IconInk::kClear;
}

IconPicture FromArt(const Art& art) {
  IconPicture picture;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x)
      Put(picture, x, y, InkFor(art[y][x]));
  }
  return picture;
}

// The settings dialog: a gear.
constexpr Art kSettingsArt = {
    "................",  //
    "......####......",  //
    "..##..####..##..",  //
    "..############..",  //
    "...##########...",  //
    "...##########...",  //
    ".######ww######.",  //
    ".#####wwww#####.",  //
    ".#####wwww#####.",  //
    ".######ww######.",  //
    "...##########...",  //
    "...##########...",  //
    "..############..",  //
    "..##..####..##..",  //
    "......####......",  //
    "................",  //
};

// Minimise all: the windows go down into the taskbar.
constexpr Art kMinimizeAllArt = {
    "................",  //
    "...##########...",  //
    "...#bbbbbbbb#...",  //
    "...#wwwwwwww#...",  //
    "...#wwwwwwww#...",  //
    "...##########...",  //
    ".......aa.......",  //
    ".......aa.......",  //
    ".....aaaaaa.....",  //
    "......aaaa......",  //
    ".......aa.......",  //
    "................",  //
    "################",  //
    "#bbbbb##gggggww#",  //
    "################",  //
    "................",  //
};

// Undo: an arrow that turns back.
constexpr Art kUndoArt = {
    "................",  //
    "................",  //
    "....a...........",  //
    "...aa...........",  //
    "..aaa...........",  //
    ".aaaaaaaaaa.....",  //
    ".aaaaaaaaaaaa...",  //
    "..aaa......aaa..",  //
    "...aa.......aa..",  //
    "....a.......aa..",  //
    "............aa..",  //
    "...........aaa..",  //
    "........aaaaa...",  //
    "......aaaaaa....",  //
    "................",  //
    "................",  //
};

// Shut down: the power symbol.
constexpr Art kShutDownArt = {
    "................",  //
    ".......rr.......",  //
    ".......rr.......",  //
    "...rr..rr..rr...",  //
    "..rrr..rr..rrr..",  //
    ".rrr...rr...rrr.",  //
    ".rr....rr....rr.",  //
    ".rr....rr....rr.",  //
    ".rr..........rr.",  //
    ".rr..........rr.",  //
    ".rrr........rrr.",  //
    "..rrr......rrr..",  //
    "...rrrrrrrrrr...",  //
    ".....rrrrrr.....",  //
    "................",  //
    "................",  //
};

// Close all: windows with a cross over them.
constexpr Art kCloseAllArt = {
    "##########......",  //
    "#gggggggg#......",  //
    "#wwww###########",  //
    "#wwww#bbbbbbbbb#",  //
    "#wwww#bbbbbbbbb#",  //
    "#wwww#wwwwwwwww#",  //
    "######wrrwwwrrw#",  //
    ".....#wwrrwrrww#",  //
    ".....#wwwrrrwww#",  //
    ".....#wwrrwrrww#",  //
    ".....#wrrwwwrrw#",  //
    ".....#wwwwwwwww#",  //
    ".....###########",  //
    "................",  //
    "................",  //
    "................",  //
};

// Restart: an arrow going round.
constexpr Art kRestartArt = {
    "................",  //
    ".......a........",  //
    ".......aa.......",  //
    "....aaaaaa......",  //
    "...aaaaaaaa.....",  //
    "..aaa..aa.......",  //
    "..aa...a........",  //
    ".aa.............",  //
    ".aa...........aa",  //
    ".aa...........aa",  //
    ".aa...........aa",  //
    "..aa.........aa.",  //
    "..aaa.......aaa.",  //
    "...aaaaaaaaaaa..",  //
    ".....aaaaaaa....",  //
    "................",  //
};

static_assert(WellFormed(kSettingsArt) && WellFormed(kMinimizeAllArt) && WellFormed(kUndoArt) &&
                  WellFormed(kShutDownArt) && WellFormed(kCloseAllArt) && WellFormed(kRestartArt),
              "every pictogram row is 16 known ink characters");

std::optional<IconPicture> MethodPicture(DisplayMethod method) {
  if (IsLayout(method)) return LayoutPicture(method);
  switch (method) {
    case DisplayMethod::kMinimizeAll:
      return FromArt(kMinimizeAllArt);
    case DisplayMethod::kUndo:
      return FromArt(kUndoArt);
    case DisplayMethod::kCloseAll:
      return FromArt(kCloseAllArt);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<IconColour> IconInkColour(IconInk ink) {
  switch (ink) {
    case IconInk::kOutline:
      return IconColour{64, 64, 64};
    case IconInk::kBody:
      return IconColour{255, 255, 255};
    case IconInk::kTitle:
      return IconColour{0, 102, 204};
    case IconInk::kBackTitle:
      return IconColour{150, 176, 208};
    case IconInk::kAccent:
      return IconColour{24, 148, 56};
    case IconInk::kAlert:
      return IconColour{214, 36, 36};
    case IconInk::kClear:
      break;
  }
  return std::nullopt;
}

IconInk IconPicture::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return IconInk::kClear;
  return pixels[static_cast<std::size_t>(y * kSize + x)];
}

std::optional<IconPicture> ToolbarIconPicture(int button_number) {
  // The picture follows what the button does, not where it sits.
  const auto button = ToolbarButtonFor(button_number);
  if (!button || !button->item) return std::nullopt;
  switch (button->item->command) {
    case MenuCommand::kDisplayMethod:
      return MethodPicture(*button->item->method);
    case MenuCommand::kSettings:
      return FromArt(kSettingsArt);
    case MenuCommand::kShutDownWindows:
      return FromArt(kShutDownArt);
    case MenuCommand::kRestartWindows:
      return FromArt(kRestartArt);
    default:
      return std::nullopt;
  }
}

int ToolbarIconScale(int dpi) {
  constexpr int kBaseDpi = 96;
  if (dpi <= kBaseDpi) return 1;
  if (dpi >= kMaxToolbarIconScale * kBaseDpi) return kMaxToolbarIconScale;
  return (dpi + kBaseDpi / 2) / kBaseDpi;
}

}  // namespace banchiro
