// The function-key palette of the real program, with only the palette up.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using PaletteE2eTest = E2eTest;

// Its shape is the union of its 24 tiles, the tiles name the marked methods
// on their keys, a drag moves it, and the end of the session (which once
// hung a run whose only window was the palette) ends the run in order with
// the dragged place stored.
TEST_F(PaletteE2eTest, ShapeTilesDragAndTheEndOfTheSession) {
  // Method 0's name takes two lines; the place is in twips, 15 a pixel.
  const char* const settings[][3] = {
      {"FunctionKey", "Fkey(0)", "5"},   {"FunctionKey", "FkeyDisp(0)", "1"},
      {"FunctionKey", "Fkey(10)", "12"}, {"FunctionKey", "FkeyDisp(10)", "1"},
      {"Position", "F_Top", "9000"},     {"Position", "F_Left", "1500"},
      {"Config", "OptWinS", "1"}};
  for (const auto& setting : settings)
    SetString(setting[0], setting[1], setting[2]);
  Program program;
  HWND palette = program.Palette();
  ASSERT_NE(palette, nullptr) << "no palette shown at start-up";
  EXPECT_FALSE(IsWindowVisible(program.Main(false)));
  const Rect at = RectOf(palette);
  EXPECT_EQ(at.left, 100);
  EXPECT_EQ(at.top, 600);
  HRGN shape = CreateRectRgn(0, 0, 0, 0), tiles = CreateRectRgn(0, 0, 0, 0), tile_region;
  ASSERT_NE(GetWindowRgn(palette, shape), ERROR);
  int count = 0;
  for (HWND tile = GetWindow(palette, GW_CHILD); tile;
       tile = GetWindow(tile, GW_HWNDNEXT), ++count) {
    const Rect r = RectOf(tile);
    tile_region =
        CreateRectRgn(r.left - at.left, r.top - at.top, r.right() - at.left, r.bottom() - at.top);
    CombineRgn(tiles, tiles, tile_region, RGN_OR);
    DeleteObject(tile_region);
  }
  EXPECT_EQ(count, 24);
  EXPECT_TRUE(EqualRgn(shape, tiles)) << "the shape is not the union of the tiles";
  DeleteObject(shape);
  DeleteObject(tiles);
  for (int slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(program.TileText(slot, true), slot == 4    ? L"（左上→右下）重ねて表示"
                                            : slot == 11 ? L"４マスに並べて表示"
                                                         : L"")
        << slot;
  }
  EXPECT_EQ(program.TileText(0, false), L"Ctrl＋Ｆ１");
  EXPECT_EQ(program.TileText(11, false), L"Ctrl＋Ｆ12");
  SaveScreenshot(RunnerFolder() + L"\\palette.bmp", palette);

  // Dragged by a tile at a hand's pace (the move loop anchors where it first
  // sees the mouse), and released once the loop has followed, or it could
  // miss the release.
  Mouse({130, 610}, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 10; ++step) {
    Mouse({130 + 5 * step, 610 - 10 * step}, MOUSEEVENTF_MOVE);
    Sleep(20);
  }
  EXPECT_TRUE(WaitUntil([&] { return RectOf(palette).top == 500; }, 5000));
  Mouse({180, 510}, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(Settle(palette));
  const Rect moved = RectOf(palette);
  EXPECT_EQ(moved.left, 150);

  EXPECT_TRUE(EndSession(palette)) << "the end of the session must not be held up";
  EXPECT_EQ(GetString("Config", "OptStat"), "0");
  EXPECT_EQ(GetString("Position", "F_Left"), std::to_string(moved.left * 15));
  EXPECT_EQ(GetString("Position", "F_Top"), std::to_string(moved.top * 15));
  EXPECT_TRUE(program.process().WaitForExit(kStartLimitMs)) << "the run did not end";
  EXPECT_EQ(Relays(), 0);
}

}  // namespace
}  // namespace banchiro::e2e
