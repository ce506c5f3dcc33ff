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

// The version dialog from the tray and again from the bar: one, modal over all
// and above all, its contacts lit under the mouse. Enter at the shut-down
// question (checked first: OK would end the runner too). The end while the
// settings dialog's OK waits on its own message: no window returns.
TEST_F(VersionHelpE2eTest, TheDialogsTheQuestionsAndAnEndDuringASave) {
  SetDisplayMenuTo();
  SetStrings({{"FunctionKey", "Fkey(0)", "5"}, {"FunctionKey", "FkeyDisp(0)", "1"}});
  Program program;
  HWND main = program.Main(), palette = program.Palette(), settings = program.OpenSettings();
  TypeAccessKey(TypeAccessKey(ClickTrayIcon(false), L'h', true), L'a');
  HWND dialog = program.Dialog(ui::kVersionClassName);
  ASSERT_TRUE(main && palette && settings && dialog);
  EXPECT_EQ(Text(dialog), L"ﾊﾞｰｼﾞｮﾝ情報");
  program.Command(MenuCommand::kHelpAbout);  // handled before the OK posted below
  EXPECT_FALSE(IsWindowEnabled(main) || IsWindowEnabled(settings) || IsWindowEnabled(palette));
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_TRUE(client.right == 395 && client.bottom == 261);  // 5925 x 3915 twips, 15 a pixel
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  // The address line, 480 and 2490 twips in: 32 and 166 pixels.
  const RECT address{origin.x + 32, origin.y + 166, origin.x + 200, origin.y + 180};
  const COLORREF rest = RGB(192, 255, 192), lit = RGB(0, 255, 0);
  // Moved a pixel at a time until the address shows the colour: a move to
  // where the pointer already is reaches no window.
  int step = 0;
  const auto hover = [&](POINT at, COLORREF colour) {
    return WaitUntil(
        [&] {
          Mouse({at.x + ++step % 2, at.y}, MOUSEEVENTF_MOVE);
          return WaitUntil([&] { return PixelsOf(colour, address) > 10; }, 500);
        },
        kUiLimitMs);
  };
  EXPECT_TRUE(hover({address.left + 4, address.top + 7}, lit)) << "the e-mail pair is not lit";
  Screenshot(L"version", dialog);
  EXPECT_TRUE(hover({origin.x + 330, origin.y + 140}, rest)) << "the e-mail pair stays lit";
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && Settle(main); }, kUiLimitMs));
  EXPECT_EQ(WaitForWindow(program.process().pid(), ui::kVersionClassName, 0), nullptr)
      << "a second dialog opened inside the first";
  EXPECT_TRUE(IsWindowEnabled(main) && IsWindowEnabled(settings) && IsWindowEnabled(palette));

  program.Command(MenuCommand::kShutDownWindows);  // Ctrl+E
  HWND box = program.Dialog(), cancel = GetDlgItem(box, IDCANCEL);
  EXPECT_EQ(Text(box), L"終了確認");
  const bool safe = (GetWindowLongW(cancel, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (!safe) PostMessageW(cancel, BM_CLICK, 0, 0);
  ASSERT_TRUE(safe) << "Enter would end the session";
  Screenshot(L"shut-down-question", box);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && Settle(main); }, kUiLimitMs));

  PostMessageW(GetDlgItem(settings, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(Text(program.Dialog()), L"表示ﾒﾆｭｰ確認");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.process().WaitForExit(kStartLimitMs)) << "a window outlived the end";
  EXPECT_EQ(Relays(), 0);
}

// The help as a Japanese Windows shows it. Wine's winhlp32 is an ANSI
// program, so its texts read right only under the Japanese code page: this
// suite runs in a pass of its own, with a Japanese locale.
using HelpViewerCp932E2eTest = E2eTest;

// The whole text of a window of another process, paragraphs ended by "\r"
// as its text control counts them. The buffer has room for every character
// as two bytes and a line end as two characters: an ANSI text control
// answers nothing when its text does not fit the buffer in bytes.
std::wstring WholeText(HWND window) {
  std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) * 4 + 1, L'\0');
  text.resize(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
  for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
    text.erase(at + 1, 1);
  return text;
}

// "目次" opens the contents; its "索引" button lists the keywords as written;
// a link opens the topic it names.
TEST_F(HelpViewerCp932E2eTest, TheIndexReadsAsWrittenAndALinkOpensItsTopic) {
  if (GetACP() != 932) GTEST_SKIP() << "runs in the pass with the Japanese code page";
  Program program;
  ASSERT_NE(program.Main(), nullptr);
  program.Command(MenuCommand::kHelpContents);
  HWND viewer = nullptr, text = nullptr;
  std::wstring shown;
  ASSERT_TRUE(WaitUntil(
      [&] {
        viewer = FindWindowW(L"MS_WINHELP", nullptr);
        text = FindWindowExW(viewer, nullptr, L"RichEdit20A", nullptr);
        return (shown = WholeText(text)).find(L"\r・") != std::wstring::npos;
      },
      kStartLimitMs));
  // The middle one of the buttons (contents, index, back) opens the index.
  HWND box = GetDlgItem(viewer, 0x700);
  PostMessageW(
      FindWindowExW(box, FindWindowExW(box, nullptr, L"Button", nullptr), L"Button", nullptr),
      BM_CLICK, 0, 0);
  HWND list = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        HWND page = FindWindowExW(FindWindowW(L"#32770", nullptr), nullptr, L"#32770", nullptr);
        list = FindWindowExW(page, nullptr, L"ListBox", nullptr);
        return SendMessageW(list, LB_GETCOUNT, 0, 0) > 0;
      },
      kUiLimitMs));
  for (const wchar_t* keyword : {L"ばんちろ対象外", L"BANCHIRO.EXE G"}) {
    const LPARAM wanted = reinterpret_cast<LPARAM>(keyword);
    EXPECT_NE(SendMessageW(list, LB_FINDSTRINGEXACT, -1, wanted), LB_ERR) << keyword;
  }
  Screenshot(L"help-index-932");
  PostMessageW(GetAncestor(list, GA_ROOT), WM_CLOSE, 0, 0);
  // The first link of the contents. The viewer finds a link under the mouse
  // by a count of the Shift-JIS bytes before it, while its text control
  // counts characters, so a click on a link after Japanese text lands on
  // another one: the click goes where the viewer's count puts this link.
  const std::size_t first = shown.find(L"\r・") + 2;
  const std::wstring title = shown.substr(first, shown.find(L'\r', first) - first);
  const int bytes = WideCharToMultiByte(932, 0, shown.c_str(), first, nullptr, 0, nullptr, nullptr);
  const LRESULT at = SendMessageW(text, EM_POSFROMCHAR, bytes + 1, 0);
  POINT point{static_cast<short>(LOWORD(at)) + 2, static_cast<short>(HIWORD(at)) + 4};
  ClientToScreen(text, &point);
  Mouse(point);
  EXPECT_TRUE(WaitUntil([&] { return WholeText(text).rfind(title + L"\r", 0) == 0; }, kUiLimitMs))
      << WholeText(text).substr(0, 40);
  Screenshot(L"help-topic-932", viewer);
  PostMessageW(viewer, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace banchiro::e2e
