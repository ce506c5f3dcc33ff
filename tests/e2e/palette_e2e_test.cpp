// The function-key palette of a real BANCHIRO.EXE on the Wine desktop.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace banchiro::e2e {
namespace {

constexpr DWORD kLimitMs = 30000;

class PaletteE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteAllSettings();
    SkipSplash();
    SetString(L"FunctionKey", L"Fkey(3)", L"5");
    SetString(L"FunctionKey", L"FkeyDisp(3)", L"1");
    SetString(L"FunctionKey", L"Fkey(10)", L"12");
    SetString(L"FunctionKey", L"FkeyDisp(10)", L"1");
    SetString(L"FunctionKey", L"Fkey(7)", L"2");  // a hot key without a palette mark
    SetString(L"FunctionKey", L"FkeyDisp(7)", L"0");
    SetString(L"Position", L"F_Top", L"9000");
    SetString(L"Position", L"F_Left", L"1500");
  }
  void TearDown() override { DeleteAllSettings(); }

  // The palette once it is shown (it exists a moment earlier, while it loads).
  HWND StartAndFindPalette(Child& child) {
    if (!child.started()) return nullptr;
    HWND palette = WaitForWindow(child.pid(), L"FUNCKEYS", L"ファンクションキー", kLimitMs);
    const ULONGLONG deadline = GetTickCount64() + kLimitMs;
    while (palette && !IsWindowVisible(palette) && GetTickCount64() < deadline)
      Sleep(20);
    // Let it finish what it does on being shown before looking at it.
    DWORD_PTR ignored = 0;
    if (palette) SendMessageTimeoutW(palette, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    return palette;
  }
  static RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  // Ends the program from its main window, which unloads the palette too.
  static bool CloseAndWait(Child& child, HWND) { return CloseProgram(child, kLimitMs); }
};

TEST_F(PaletteE2eTest, WindowShapeTilesAndStoredPosition) {
  Child child(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"");
  HWND palette = StartAndFindPalette(child);
  ASSERT_NE(palette, nullptr) << "no palette shown at start-up";

  // 13360 x 705 twips at 15 twips per pixel, at F_Left/F_Top.
  const RECT r = WindowRect(palette);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 600);
  EXPECT_EQ(r.right - r.left, 891);
  EXPECT_EQ(r.bottom - r.top, 47);
  const LONG style = GetWindowLongW(palette, GWL_STYLE);
  const LONG ex_style = GetWindowLongW(palette, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
  EXPECT_NE(ex_style & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(ex_style & WS_EX_TOPMOST, 0) << "OptGuide \"1\" keeps it in front";
  EXPECT_NE(GetWindow(palette, GW_OWNER), nullptr) << "an owned window has no taskbar button";

  // The window is cut to its tiles: inside a tile is in, the strip between
  // name and key tiles and the gaps between slots and groups are out.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(palette, region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 2);  // 30 twips
  EXPECT_EQ(box.right, 891);
  EXPECT_EQ(box.bottom, 36);  // 370 + 165 twips
  const struct {
    int x, y;
    bool in;
  } points[] = {
      {30, 10, true},  {30, 30, true},   {30, 24, false}, {70, 10, false},  // 67..73 gap
      {75, 10, true},  {295, 10, false}, {302, 10, true}, {595, 10, false},
      {889, 30, true}, {10, 1, false},   {10, 36, false},
  };
  for (const auto& p : points) {
    EXPECT_EQ(PtInRegion(region, p.x, p.y) != 0, p.in) << p.x << "," << p.y;
  }
  DeleteObject(region);

  // Name tiles carry the names of the methods marked for the palette.
  wchar_t text[128];
  for (int i = 0; i < 12; ++i) {
    GetDlgItemTextW(palette, 100 + i, text, 128);
    const std::wstring expected = i == 4    ? L"（左下→右上）重ねて表示"
                                  : i == 11 ? L"４マスに並べて表示"
                                            : L"";
    EXPECT_EQ(std::wstring(text), expected) << "name tile " << i;
  }
  const wchar_t* keys[] = {L"Ctrl＋Ｆ１", L"Ctrl＋Ｆ５", L"Ctrl＋Ｆ９", L"Ctrl＋Ｆ10",
                           L"Ctrl＋Ｆ12"};
  const int key_slots[] = {0, 4, 8, 9, 11};
  for (int k = 0; k < 5; ++k) {
    GetDlgItemTextW(palette, 200 + key_slots[k], text, 128);
    EXPECT_STREQ(text, keys[k]);
  }
  // Colours written on load because none were stored.
  EXPECT_EQ(GetString(L"FunctionKey", L"OptCol(0)"), L"65535");
  EXPECT_EQ(GetString(L"FunctionKey", L"OptCol(1)"), L"0");

  // Dragging any tile with the left button moves the whole palette.
  SetForegroundWindow(palette);
  SetCursorPos(130, 610);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  for (int step = 1; step <= 10; ++step) {
    SetCursorPos(130 + 5 * step, 610 - 10 * step);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    Sleep(20);
  }
  // Let the system's move loop follow the mouse before the button goes up,
  // as a hand would; released early, the loop could miss the release.
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (WindowRect(palette).top != 500 && GetTickCount64() < deadline)
    Sleep(20);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(palette, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
  const RECT moved = WindowRect(palette);
  EXPECT_EQ(moved.left, 150);
  EXPECT_EQ(moved.top, 500);

  // Closing stores the position in twips and ends the run in order.
  ASSERT_TRUE(CloseAndWait(child, palette));
  EXPECT_EQ(GetString(L"Position", L"F_Left"), std::to_wstring(moved.left * 15));
  EXPECT_EQ(GetString(L"Position", L"F_Top"), std::to_wstring(moved.top * 15));
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
}

TEST_F(PaletteE2eTest, CentredWhenAskedAndNotInFrontWithoutTheGuide) {
  SetString(L"Position", L"OptCent", L"1");
  SetString(L"FunctionKey", L"OptGuide", L"0");
  SetString(L"FunctionKey", L"OptCol(0)", L"255");
  Child child(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"");
  HWND palette = StartAndFindPalette(child);
  ASSERT_NE(palette, nullptr);
  // top = 11520 - 1.7 x 705 = 10321.5 twips, left = (15360 - 13360) / 2 twips.
  const RECT r = WindowRect(palette);
  EXPECT_EQ(r.top, 688);
  EXPECT_EQ(r.left, 67);
  EXPECT_EQ(GetWindowLongW(palette, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetString(L"FunctionKey", L"OptCol(0)"), L"255") << "a stored colour stays";
  ASSERT_TRUE(CloseAndWait(child, palette));
}

TEST_F(PaletteE2eTest, TheEndOfTheSessionEndsTheRunInOrder) {
  Child child(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"");
  HWND palette = StartAndFindPalette(child);
  ASSERT_NE(palette, nullptr);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(palette, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer));
  EXPECT_EQ(answer, TRUE) << "the program must not hold up the end of the session";
  // By the time WM_ENDSESSION returns Windows may end the process at once.
  SendMessageTimeoutW(palette, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer);
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"0");
  EXPECT_EQ(GetString(L"Position", L"F_Top"), L"9000");
  EXPECT_EQ(GetString(L"Position", L"F_Left"), L"1500");
  EXPECT_TRUE(child.WaitForExit(kLimitMs));
}

// With an instance resident (its palette up), a start with a letter
// arranges and ends without a palette or any other window of its own.
TEST_F(PaletteE2eTest, AOneShotStartEndsWhileAnInstanceIsResident) {
  Child resident(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"");
  HWND palette = StartAndFindPalette(resident);
  ASSERT_NE(palette, nullptr);
  Child one_shot(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\" G");
  ASSERT_TRUE(one_shot.WaitForExit(kLimitMs)) << "the one-shot instance stayed";
  EXPECT_TRUE(resident.Running());
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"1") << "the resident instance still runs";
  ASSERT_TRUE(CloseAndWait(resident, palette));
  // Once it has ended, a start with a letter goes on as a normal start.
  Child normal(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\" G");
  HWND second = StartAndFindPalette(normal);
  ASSERT_NE(second, nullptr) << "no instance runs, so this one stays";
  EXPECT_TRUE(CloseAndWait(normal, second));
}

TEST_F(PaletteE2eTest, NoPaletteWithoutAMark) {
  SetString(L"FunctionKey", L"FkeyDisp(3)", L"0");
  SetString(L"FunctionKey", L"FkeyDisp(10)", L"0");
  Child child(L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"");
  ASSERT_NE(WaitForMainWindow(child, kLimitMs), nullptr);
  const HWND palette = WaitForWindow(child.pid(), L"FUNCKEYS", nullptr, 0);
  EXPECT_TRUE(!palette || !IsWindowVisible(palette));
  ASSERT_TRUE(CloseProgram(child, kLimitMs));
  EXPECT_FALSE(GetRaw(L"Position", L"F_Top") && GetString(L"Position", L"F_Top") != L"9000");
}

}  // namespace
}  // namespace banchiro::e2e
