// The resident BANCHIRO.EXE: its first start, its bar and toolbar, the tray
// icon, the palette, a one-shot start beside it, and every way its run
// ends with its relays.
#include <cmath>

#include "drivers.h"

namespace banchiro::e2e {
namespace {

using ProgramE2eTest = E2eTest;

// The splash at a first start, then the bar at its first place at 96 and at
// 144 DPI (Wine reads the DPI as a program starts): its width in twips, its
// height just the caption, the menu bar and the whole toolbar; the defaults
// are written (UTF-8 text as UTF-16 values), and the place is stored at the
// end.
TEST_F(ProgramE2eTest, FirstStartAtTwoDpiSettings) {
  for (const DWORD dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
    DeleteAllSettings();
    if (dpi != 96) SetString("Config", "OptStat", "1");  // one splash is enough
    // A method letter with no instance resident: it arranges (nothing here)
    // and goes on as a normal start.
    Program program(L"G");
    HWND splash =
        dpi == 96 ? WaitForWindow(program.process().pid(), L"INITDISP", kStartLimitMs) : nullptr;
    ASSERT_TRUE(splash || dpi != 96) << "no splash";
    if (splash) Screenshot(L"splash", splash);
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindow(splash));
    const double tpp = 1440.0 / dpi;  // twips per pixel
    const auto px = [&](double twips) { return static_cast<int>(std::lround(twips / tpp)); };
    const Rect bar = RectOf(main);
    EXPECT_NEAR(bar.width, px(2520), 1);
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.bottom, RectOf(program.Toolbar()).height)
        << "the toolbar cut, or a strip below";
    EXPECT_NEAR(bar.left, px((1024 * tpp - 2300) / 2), 1);
    EXPECT_NEAR(bar.top, px((768 * tpp - 620) / 2), 1);
    Screenshot(L"bar-" + std::to_wstring(dpi), main);
    EXPECT_EQ(GetString("FunctionKey", "Fname(0)"), "（左上→右下）重ねて表示");
    EXPECT_FALSE(GetString("Position", "S_Top")) << "computed on every start until stored";
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(GetString("Position", "S_Top"), std::to_string(std::lround(bar.top * tpp)));
    EXPECT_EQ(GetString("Position", "S_Left"), std::to_string(std::lround(bar.left * tpp)));
  }
}

// The toolbar shows the arrangement stored by its own save (3 buttons), and a
// real click on its first place runs button 5, which stacks. The tray's right
// button gives the display menu as the settings make it (one item here),
// whose item arranges; its left button gives "総合ﾒﾆｭｰ".
TEST_F(ProgramE2eTest, ToolbarAndTrayIcon) {
  StoreToolbarOrder({5, 1, 17});
  SetDisplayMenuTo(5);
  for (int k = 0; k < 5; ++k)
    SetString("RightClick", "OptSepa(" + std::to_string(k) + ")", "0");
  Program program;
  HelperWindows helper(3);
  HWND toolbar = program.Toolbar();
  ASSERT_TRUE(toolbar && helper.ready());
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) == 3; }, 5000));
  const auto size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
  POINT first{LOWORD(size) / 2, HIWORD(size) / 2};
  ClientToScreen(toolbar, &first);
  Mouse(first);
  ExpectArranged(helper.rows(), 'G');

  HWND display = ClickTrayIcon(true);
  ASSERT_NE(display, nullptr) << "no popup from a right click";
  EXPECT_LT(RectOf(display).height, 40) << "hidden items must be absent";
  TypeAccessKey(display, L'o');
  ExpectArranged(helper.rows(), 'O');
  EXPECT_NE(TypeAccessKey(ClickTrayIcon(false), L'f', true), nullptr) << "no left-click menu";
  Screenshot(L"tray-popup");
  // Enter on the icon, reported with the icon's place, gives "総合ﾒﾆｭｰ" there.
  Popups(true);
  PostMessageW(WaitForWindow(program.process().pid(), ui::kTrayOwnerClassName, kUiLimitMs, false),
               ui::kTrayCallbackMessage, MAKEWPARAM(600, 300),
               MAKELPARAM(kTrayKeySelect, kTrayIconId));
  ASSERT_TRUE(WaitUntil([] { return !Popups().empty(); }, kUiLimitMs)) << "no menu from Enter";
  EXPECT_EQ(std::pair(RectOf(Popups()[0]).left, RectOf(Popups()[0]).top), std::pair(600, 300));
  EXPECT_NE(TypeAccessKey(Popups()[0], L'f', true), nullptr);
}

// The palette, the only window up: its shape is the union of its 24 tiles,
// the tiles name the marked methods on their keys, a drag moves it, and the
// end of the session (which once hung such a run) ends the run in order
// with the dragged place stored.
TEST_F(ProgramE2eTest, PaletteShapeTilesDragAndTheEndOfTheSession) {
  // Method 0's name takes two lines; the place is in twips, 15 a pixel.
  SetStrings({{"FunctionKey", "Fkey(0)", "5"},
              {"FunctionKey", "FkeyDisp(0)", "1"},
              {"FunctionKey", "Fkey(10)", "12"},
              {"FunctionKey", "FkeyDisp(10)", "1"},
              {"Position", "F_Top", "9000"},
              {"Position", "F_Left", "1500"},
              {"Config", "OptWinS", "1"}});
  Program program;
  HWND palette = program.Palette();
  ASSERT_NE(palette, nullptr) << "no palette shown at start-up";
  EXPECT_FALSE(IsWindowVisible(program.Main(false)));
  const Rect at = RectOf(palette);
  EXPECT_EQ(std::pair(at.left, at.top), std::pair(100, 600));
  HRGN shape = CreateRectRgn(0, 0, 0, 0), tiles = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(palette, shape), ERROR);
  int count = 0;
  for (HWND w = GetWindow(palette, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT), ++count) {
    const Rect r = RectOf(w);
    HRGN tile =
        CreateRectRgn(r.left - at.left, r.top - at.top, r.right() - at.left, r.bottom() - at.top);
    CombineRgn(tiles, tiles, tile, RGN_OR);
    DeleteObject(tile);
  }
  EXPECT_EQ(count, 24);
  EXPECT_TRUE(EqualRgn(shape, tiles)) << "the shape is not the union of the tiles";
  DeleteObject(shape), DeleteObject(tiles);
  std::wstring names;  // slots 4 and 11 named
  for (int slot = 0; slot < 12; ++slot)
    names += program.TileText(slot, true) + L"|";
  EXPECT_EQ(names, L"||||（左上→右下）重ねて表示|||||||４マスに並べて表示|");
  EXPECT_EQ(program.TileText(0, false) + program.TileText(11, false), L"Ctrl＋Ｆ１Ctrl＋Ｆ12");
  Screenshot(L"palette", palette);

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
  const Rect moved = Settle(palette) ? RectOf(palette) : Rect{};
  EXPECT_EQ(moved.left, 150);

  EXPECT_TRUE(EndSession(palette)) << "the end of the session must not be held up";
  EXPECT_EQ(GetString("Config", "OptStat"), "0");
  EXPECT_EQ(GetString("Position", "F_Left"), std::to_string(moved.left * 15));
  EXPECT_EQ(GetString("Position", "F_Top"), std::to_string(moved.top * 15));
  EXPECT_TRUE(program.process().WaitForExit(kStartLimitMs)) << "the run did not end";
  EXPECT_EQ(Relays(), 0);
}

// WM_DPICHANGED as Windows sends it, its suggested rectangle in the
// window's own process.
void SendDpiChanged(HWND window, int dpi, const RECT& suggested) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  ASSERT_NE(process, nullptr);
  void* there = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
  ASSERT_TRUE(there && WriteProcessMemory(process, there, &suggested, sizeof suggested, nullptr));
  DWORD_PTR result = 0;
  const bool handled = SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                           reinterpret_cast<LPARAM>(there), SMTO_ABORTIFHUNG,
                                           kStartLimitMs, &result);
  EXPECT_TRUE(handled);
  // Still queued, the message would read freed memory later.
  if (handled) VirtualFreeEx(process, there, 0, MEM_RELEASE);
  CloseHandle(process);
}

// Moved onto a monitor at 150 %, the bar takes the place Windows suggests
// and its size at 144 dpi: the rule's width, the caption and menu bar of
// that scale and the toolbar with its 32-pixel pictures; the palette takes
// its 144-dpi size, tiles and shape.
TEST_F(ProgramE2eTest, BarAndPaletteFollowAMoveToAMonitorOfAnotherScale) {
  SetStrings({{"FunctionKey", "Fkey(0)", "5"}, {"FunctionKey", "FkeyDisp(0)", "1"}});
  Program program;
  HWND main = program.Main(), palette = program.Palette();
  ASSERT_TRUE(main && palette);
  HWND toolbar = program.Toolbar();
  const int button_height = HIWORD(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
  SendDpiChanged(main, 144, {40, 60, 300, 200});
  const Rect bar = RectOf(main);
  RECT frame{};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(main, GWL_STYLE)), TRUE,
                           static_cast<DWORD>(GetWindowLongPtrW(main, GWL_EXSTYLE)), 144);
  EXPECT_EQ(std::pair(bar.left, bar.top), std::pair(40, 60));
  EXPECT_EQ(bar.width, 252);  // 2520 twips
  EXPECT_EQ(bar.height, frame.bottom - frame.top + RectOf(toolbar).height);
  EXPECT_GE(HIWORD(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0)), button_height + 16);
  Screenshot(L"bar-after-dpi-change", main);

  SendDpiChanged(palette, 144, {20, 300, 1000, 400});
  const ScreenMetrics at_144{1024, 768, 10, 10};
  const PaletteLayout layout = PaletteLayoutFor(15360);  // 1024 pixels at 96 dpi
  const Rect strip = RectOf(palette);
  EXPECT_EQ(std::pair(strip.left, strip.top), std::pair(20, 300));
  EXPECT_EQ(
      std::pair(strip.width, strip.height),
      std::pair(at_144.XPixels(PaletteWidthTwips(layout)), at_144.YPixels(kPaletteHeightTwips)));
  const PixelRect last = PaletteRegionRects(layout, at_144).back();
  const Rect key = RectOf(GetDlgItem(palette, ui::kKeyTileId + 11));
  EXPECT_EQ(std::pair(key.right() - strip.left, key.bottom() - strip.top),
            std::pair(last.right, last.bottom));
  RECT shape{};
  EXPECT_NE(GetWindowRgnBox(palette, &shape), ERROR);
  EXPECT_EQ((std::pair<int, int>(shape.right, shape.bottom)), std::pair(last.right, last.bottom));
  Screenshot(L"palette-after-dpi-change", palette);

  // The settings dialog places its controls at the new scale, in the
  // rectangle suggested.
  HWND dialog = program.OpenSettings();
  ASSERT_NE(dialog, nullptr);
  SendDpiChanged(dialog, 144, {0, 0, 1000, 740});
  const DialogControl& tabs = SettingsDialogControls()[0];
  EXPECT_EQ(RectOf(GetDlgItem(dialog, 1000)).width, at_144.XPixels(tabs.rect.width));
  Screenshot(L"settings-after-dpi-change", dialog);
}

enum class Ending { kEndCommand, kCloseBox, kSessionEnd };

class EndingE2eTest : public E2eTest, public ::testing::WithParamInterface<Ending> {};

// However it ends, it ends in order: the running flag cleared, the bar's
// place stored, its relay and its icon gone; only the end command asks. The
// end of the session is sent as soon as the window answers, which may be
// while the load still runs: no relay may start after it.
TEST_P(EndingE2eTest, EndsInOrder) {
  SetString("FunctionKey", "Fkey(4)", "5");
  const bool session_end = GetParam() == Ending::kSessionEnd;
  Program program;
  HWND main = program.Main(!session_end);
  ASSERT_NE(main, nullptr);
  const Rect bar = RectOf(main);
  if (session_end) {
    EXPECT_TRUE(EndSession(main)) << "the end of the session must not be held up";
    EXPECT_EQ(GetString("Config", "OptStat"), "0");
    EXPECT_EQ(Relays(), 0);
  } else {
    ASSERT_TRUE(WaitUntil([] { return Relays() == 1; }, kUiLimitMs));
    // Windows cancels an end of the session after ours cleared the running flag.
    SetString("Config", "OptStat", "0");
    SendMessageW(main, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(GetString("Config", "OptStat"), "1");
    // Minimised from its taskbar button, the bar keeps its place to store.
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return RectOf(main).left != bar.left; }, kUiLimitMs));
  }
  if (GetParam() == Ending::kCloseBox) PostMessageW(main, WM_CLOSE, 0, 0);
  if (GetParam() == Ending::kEndCommand) {  // its Cancel is the unit tests'
    program.Command(MenuCommand::kEndProgram);
    HWND box = program.Dialog();
    ASSERT_NE(box, nullptr) << "no question";
    EXPECT_EQ(Text(box), L"終了確認");
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), L"「ばんちろ君 for Win」 を終了しますか？");
    Screenshot(L"end-question", box);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  }
  ASSERT_TRUE(program.process().WaitForExit(kStartLimitMs)) << "it did not end";
  EXPECT_EQ(GetString("Config", "OptStat"), "0");
  const std::string place = GetString("Position", "S_Left").value_or("none") + " " +
                            GetString("Position", "S_Top").value_or("none");
  const std::string where = std::to_string(bar.left * 15) + " " + std::to_string(bar.top * 15);
  EXPECT_TRUE(session_end ? place.find("none") == place.npos : place == where) << place;
  EXPECT_EQ(Relays(), 0) << "a relay outlived the program";
  EXPECT_EQ(ClickTrayIcon(false, 1000), nullptr) << "the icon outlived the program";
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingE2eTest,
                         ::testing::Values(Ending::kEndCommand, Ending::kCloseBox,
                                           Ending::kSessionEnd));

}  // namespace
}  // namespace banchiro::e2e
