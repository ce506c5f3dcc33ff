// The version dialog, the questions that end Windows, and the end of a run.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using VersionHelpE2eTest = E2eTest;

// How many pixels of the screen within `area` have exactly this colour.
int PixelsOf(COLORREF colour, RECT area) {
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      count += GetPixel(screen, x, y) == colour;
  ReleaseDC(nullptr, screen);
  return count;
}

// The dialog of a class of the process once it is up and answering.
HWND DialogOf(Program& program, const wchar_t* class_name) {
  HWND dialog = WaitForWindow(program.process().pid(), class_name, kUiLimitMs);
  return dialog && Settle(dialog) ? dialog : nullptr;
}

// The version dialog from the tray and again from the bar: one, modal over all
// and above all, its contacts lit under the mouse. Enter at the shut-down
// question (checked first: OK would end the runner too). The end while the
// settings dialog's OK waits on its own message: no window returns.
TEST_F(VersionHelpE2eTest, TheDialogsTheQuestionsAndAnEndDuringASave) {
  for (int n = 0; n < kMethodCount; ++n)
    SetString("RightClick", "RgtClick(2," + std::to_string(n) + ")", "0");
  SetString("FunctionKey", "Fkey(0)", "5");
  SetString("FunctionKey", "FkeyDisp(0)", "1");
  Program program;
  HWND main = program.Main(), palette = program.Palette();
  program.Command("mnuOptSettei");
  HWND settings = DialogOf(program, ui::kSettingsClassName);
  TypeAccessKey(TypeAccessKey(ClickTrayIcon(false), L'h', true), L'a');
  HWND dialog = DialogOf(program, ui::kVersionClassName);
  ASSERT_TRUE(main && palette && settings && dialog);
  EXPECT_EQ(Text(dialog), L"ﾊﾞｰｼﾞｮﾝ情報");
  program.Command("mnuHelpAbout");  // handled before the OK posted below
  EXPECT_FALSE(IsWindowEnabled(main) || IsWindowEnabled(settings) || IsWindowEnabled(palette));
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_TRUE(client.right == 395 && client.bottom == 261);  // 5925 x 3915 twips, 15 a pixel
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  // The address line, 480 and 2490 twips in: 32 and 166 pixels.
  const RECT address{origin.x + 32, origin.y + 166, origin.x + 200, origin.y + 180};
  const COLORREF rest = RGB(192, 255, 192), lit = RGB(0, 255, 0);
  // Moved a pixel at a time over the address: a move to where the pointer
  // already is reaches no window.
  int step = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        Mouse({address.left + 4 + ++step % 2, address.top + 7}, MOUSEEVENTF_MOVE);
        return WaitUntil([&] { return PixelsOf(lit, address) > 10; }, 500);
      },
      kUiLimitMs))
      << "the e-mail pair is not lit";
  Screenshot(L"version", dialog);
  Mouse({origin.x + 330, origin.y + 140}, MOUSEEVENTF_MOVE);
  EXPECT_TRUE(WaitUntil([&] { return PixelsOf(rest, address) > 10; }, kUiLimitMs));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && Settle(main); }, kUiLimitMs));
  EXPECT_EQ(WaitForWindow(program.process().pid(), ui::kVersionClassName, 0), nullptr)
      << "a second dialog opened inside the first";
  EXPECT_TRUE(IsWindowEnabled(main) && IsWindowEnabled(settings) && IsWindowEnabled(palette));

  program.Command("mnuFileWindows", 2);  // Ctrl+E
  HWND box = DialogOf(program, L"#32770"), cancel = GetDlgItem(box, IDCANCEL);
  EXPECT_EQ(Text(box), L"終了確認");
  const bool safe = (GetWindowLongW(cancel, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (!safe) PostMessageW(cancel, BM_CLICK, 0, 0);
  ASSERT_TRUE(safe) << "Enter would end the session";
  Screenshot(L"shut-down-question", box);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && Settle(main); }, kUiLimitMs));

  PostMessageW(GetDlgItem(settings, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(Text(DialogOf(program, L"#32770")), L"表示ﾒﾆｭｰ確認");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.process().WaitForExit(kStartLimitMs)) << "a window outlived the end";
  EXPECT_EQ(Relays(), 0);
}

}  // namespace
}  // namespace banchiro::e2e
