// The version dialog and the help, from the resident program's menus.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using VersionHelpE2eTest = E2eTest;

// How many pixels of the screen within `area` have exactly this colour.
int PixelsOf(COLORREF colour, RECT area) {
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x)
      count += GetPixel(screen, x, y) == colour;
  }
  ReleaseDC(nullptr, screen);
  return count;
}

// Modal over the bar and centred, at its size in twips; the e-mail pair
// lights up under the mouse and goes back to rest over the background; OK
// closes it and gives the bar back.
TEST_F(VersionHelpE2eTest, TheVersionDialogLightsItsContactsAndCloses) {
  Program program;
  HWND main = program.Main();
  ASSERT_NE(main, nullptr);
  program.Command("mnuHelpAbout");
  HWND dialog = WaitForWindow(program.process().pid(), ui::kVersionClassName, kUiLimitMs);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog), L"ﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_FALSE(IsWindowEnabled(main)) << "not modal";
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 395);  // 5925 x 3915 twips at 15 a pixel
  EXPECT_EQ(client.bottom, 261);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  // The address line, 480 and 2490 twips in: 32 and 166 pixels.
  const RECT address{origin.x + 32, origin.y + 166, origin.x + 200, origin.y + 180};
  const RECT caption{origin.x + 32, origin.y + 151, origin.x + 200, origin.y + 165};
  const COLORREF rest = RGB(192, 255, 192), lit = RGB(0, 255, 0);
  ASSERT_TRUE(Settle(dialog));
  EXPECT_TRUE(WaitUntil([&] { return PixelsOf(rest, address) > 10; }, kUiLimitMs));
  // Moved a pixel at a time over the address: a move to where the pointer
  // already is reaches no window.
  int step = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        Mouse({address.left + 4 + ++step % 2, address.top + 7}, MOUSEEVENTF_MOVE);
        return WaitUntil([&] { return PixelsOf(lit, address) > 10; }, 500) &&
               PixelsOf(lit, caption) > 10;
      },
      kUiLimitMs))
      << "the e-mail pair is not lit";
  Screenshot(L"version", dialog);
  Mouse({origin.x + 330, origin.y + 140}, MOUSEEVENTF_MOVE);
  EXPECT_TRUE(WaitUntil([&] { return PixelsOf(lit, address) == 0; }, kUiLimitMs));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_TRUE(IsWindowEnabled(main));
}

}  // namespace
}  // namespace banchiro::e2e
