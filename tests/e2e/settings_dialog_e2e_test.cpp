// The settings dialog of the resident program, driven as a user does.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "drivers.h"

namespace banchiro::e2e {
namespace {

using SettingsDialogE2eTest = E2eTest;

int TabOf(HWND dialog) {
  return static_cast<int>(
      SendMessageW(SettingsControl(dialog, K::kTabs, R::kNone), TCM_GETCURSEL, 0, 0));
}

// Moves the open dialog to a tab and takes the screenshot of it. The arrow
// keys move along the tabs (a click needs the tab's place, which another
// process cannot ask the control for under Wine).
void ShowTab(HWND dialog, int tab) {
  for (int i = TabOf(dialog); i < tab; ++i)
    PostMessageW(SettingsControl(dialog, K::kTabs, R::kNone), WM_KEYDOWN, VK_RIGHT, 0);
  WaitUntil([&] { return TabOf(dialog) == tab; }, kUiLimitMs);
  Screenshot(L"settings-tab" + std::to_wstring(tab), dialog);
}

// The dialog of a resident program, opened from its menu item, on a tab.
HWND OpenOnTab(Program& program, int tab) {
  HWND dialog = program.Main() ? program.OpenSettings() : nullptr;
  ShowTab(dialog, tab);
  return dialog;
}

// Opened from the system menu (by keyboard, as Alt+Space and K do) and again
// from its command: one dialog. A ticked folder verb, applied, is the key
// Explorer reads, with the program's path quoted; cleared, it is gone. A
// method cleared from the display menu is gone from it (counted from the
// keyboard's menu: menus are per process). Cancel writes nothing more.
TEST_F(SettingsDialogE2eTest, SystemMenuVerbsDisplayMenuAndCancel) {
  Program program;
  HWND main = program.Main();
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  std::vector<HWND> menus;
  ASSERT_TRUE(WaitUntil([&] { return (menus = Popups()).size() == 1; }, kUiLimitMs))
      << "no system menu";
  TypeAccessKey(menus[0], L'k');
  HWND dialog = program.Dialog(ui::kSettingsClassName);
  ASSERT_NE(dialog, nullptr) << "the system menu's item opened no dialog";
  EXPECT_EQ(Text(dialog), L"各種設定");
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  PostMessageW(main, WM_SYSCOMMAND, 1000, 0);
  ASSERT_TRUE(Settle(main));
  EXPECT_EQ(WindowsOf(program.process().pid(), ui::kSettingsClassName, false).size(), 1u)
      << "a second request opened a second dialog";
  HWND apply = SettingsControl(dialog, K::kButton, R::kCommand, 2);
  ShowTab(dialog, 2);
  HWND verb = SettingsControl(dialog, K::kCheck, R::kFolderVerb, 12);
  const std::wstring key = L"Software\\Classes\\Folder\\shell\\元に戻す(&U)\\COMMAND";
  const auto command = [&] { return win32::ReadRegistryString(HKEY_CURRENT_USER, key, L""); };
  for (const bool ticked : {true, false}) {
    ASSERT_TRUE(Tick(verb, ticked));
    ClickOn(apply);
    const std::wstring want = ticked ? L"\"" + RunnerFolder() + L"\\BANCHIRO.EXE\" U" : L"";
    EXPECT_TRUE(WaitUntil([&] { return command().value_or(L"") == want; }, kUiLimitMs))
        << ticked << ": " << command().value_or(L"none");
  }
  const auto menu_height = [&] {
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'd');
    WaitUntil([&] { return (menus = Popups()).size() == 1; }, kUiLimitMs);
    const int height = menus.empty() ? 0 : RectOf(menus[0]).height;
    Popups(true);
    return height;
  };
  const int before = menu_height();
  ASSERT_TRUE(Tick(SettingsControl(dialog, K::kCheck, R::kDisplayItem, 4), false));
  ClickOn(apply);
  ASSERT_TRUE(
      WaitUntil([] { return GetString("RightClick", "RgtClick(2,4)") == "0"; }, kUiLimitMs));
  EXPECT_LT(menu_height(), before) << "上下に並べて表示 is still on the display menu";

  ASSERT_TRUE(Tick(verb, true));
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 1));  // キャンセル
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_FALSE(command()) << "Cancel wrote";
}

// A stored title with a line break is one row, stored back as it was; Enter
// in the new-title box adds. The keyboard changes tabs and steps numbers; a
// ratio bar's upper arrow raises its share. OK with a key given twice saves
// the tabs before it and stays open on the keys, at the first of the two.
// Mended, OK stores them: a relay serves the new key at once, and its
// arrangement leaves the added title's window out.
TEST_F(SettingsDialogE2eTest, TitlesKeyboardAndAKeyGivenTwice) {
  SetString("Exclude", "JogaiWid(2)", "後の窓");
  SetString("Exclude", "JogaiWid(3)", "改行\r\nのある窓");
  Program program;
  HelperWindows helper(3);
  HWND dialog = OpenOnTab(program, 1);
  ASSERT_TRUE(dialog && helper.ready());
  HWND list = SettingsControl(dialog, K::kList, R::kTitles);
  const auto rows = [&] { return SendMessageW(list, LB_GETCOUNT, 0, 0); };
  EXPECT_EQ(rows(), 4) << "a title on two rows";
  HWND box = SettingsControl(dialog, K::kEdit, R::kNewTitle);
  ClickOn(box);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == box; }, kUiLimitMs));
  for (const wchar_t c : std::wstring(L"窓 2"))
    PostMessageW(box, WM_CHAR, c, 0);  // as typing (through the IME) gives it
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntil([&] { return rows() == 5 && Text(box).empty(); }, kUiLimitMs));
  Screenshot(L"settings-enter-added", dialog);

  const auto tab = [&] { return TabOf(dialog); };
  PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return tab() == 0; }, kUiLimitMs)) << "Ctrl+Shift+Tab";
  HWND hour = SettingsControl(dialog, K::kValue, R::kHour);
  HWND minute = SettingsControl(dialog, K::kValue, R::kMinute, 1);
  ClickOn(SettingsControl(dialog, K::kOption, R::kRun, 2));  // the option ticked
  PressKeys({VK_TAB});
  HWND arrows = SettingsControl(dialog, K::kSpin, R::kHour);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == arrows; }, kUiLimitMs));
  PressKeys({VK_DOWN}), PressKeys({VK_TAB}), PressKeys({VK_DOWN});  // 00:00, linked
  EXPECT_TRUE(WaitUntil([&] { return Text(hour) + Text(minute) == L"2259"; }, kUiLimitMs));
  ClickOn(SettingsControl(dialog, K::kScroll, R::kRatio, 0), true);
  EXPECT_TRUE(WaitUntil(
      [&] { return Text(SettingsControl(dialog, K::kValue, R::kRatio, 2)) == L"7"; }, kUiLimitMs));
  Screenshot(L"settings-keyboard", dialog);

  PressKeys({VK_CONTROL, VK_PRIOR});  // round to the last tab
  ASSERT_TRUE(WaitUntil([&] { return tab() == 3; }, kUiLimitMs)) << "Ctrl+PgUp";
  ASSERT_TRUE(ChooseKey(dialog, 2, 3) && ChooseKey(dialog, 4, 3));
  HWND ok = SettingsControl(dialog, K::kButton, R::kCommand, 0);
  ClickOn(ok);
  HWND message = program.Dialog();
  ASSERT_EQ(Text(message), L"設定確認");
  PostMessageW(GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
  HWND first = SettingsControl(dialog, K::kCombo, R::kKey, 2);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == first && tab() == 3; }, kUiLimitMs));
  EXPECT_EQ(SendMessageW(SettingsControl(dialog, K::kCombo, R::kKey, 4), CB_GETCURSEL, 0, 0), 3);
  Screenshot(L"settings-conflict", dialog);
  EXPECT_EQ(GetString("Exclude", "JogaiWid(3)"), "改行\r\nのある窓");
  EXPECT_EQ(GetString("Exclude", "JogaiWid(4)"), "窓 2");
  EXPECT_EQ(GetString("Config", "OptRat(0)"), "13");
  EXPECT_EQ(GetString("FunctionKey", "Fkey(4)"), "0");

  ASSERT_TRUE(ChooseKey(dialog, 2, 0) && ChooseKey(dialog, 4, 7));
  ClickOn(ok);  // closed, or the topmost dialog would be arranged with the windows
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  ASSERT_TRUE(WaitUntil([] { return OnlyRelayServes(7); }, kStartLimitMs)) << "no relay for F7";
  const Rect left_alone = RectOf(helper.window(2));
  PressKeys({VK_CONTROL, VK_F7});
  ExpectArranged({helper.window(1), helper.window(3)}, 'G', kStartLimitMs);
  EXPECT_EQ(RectOf(helper.window(2)), left_alone);
}

// The title a help page of this build gives its topic (help\\NAME.html),
// as a window of this prefix's code page shows it.
std::wstring HelpTopicTitle(const wchar_t* page) {
  std::ifstream file((RunnerFolder() + L"\\help\\" + page).c_str());
  const std::string html((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t start = html.find("<h1>") + 4;
  const std::wstring title = win32::Widen(html.substr(start, html.find("</h1>") - start));
  char narrow[512] = {};
  wchar_t shown[512] = {};
  WideCharToMultiByte(CP_ACP, 0, title.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  MultiByteToWideChar(CP_ACP, 0, narrow, -1, shown, 512);
  return shown;
}

// The topic Wine's WinHelp viewer shows: the first line of its text.
std::wstring ShownHelpTopic() {
  HWND viewer = FindWindowW(L"MS_WINHELP", nullptr);
  const std::wstring text = Text(FindWindowExW(viewer, nullptr, L"RichEdit20A", nullptr));
  return text.substr(0, text.find_first_of(L"\r\n"));
}

// "目次" opens the help file's contents, and each tab's help button the
// topic of that tab: the same topics as the HTML pages of the same numbers.
TEST_F(SettingsDialogE2eTest, HelpOpensAtTheContentsAndAtEachTab) {
  Program program;
  ASSERT_NE(program.Main(), nullptr);
  program.Command(MenuCommand::kHelpContents);
  const std::wstring contents = HelpTopicTitle(L"index.html");
  EXPECT_TRUE(WaitUntil([&] { return ShownHelpTopic() == contents; }, kStartLimitMs))
      << ShownHelpTopic();
  HWND dialog = OpenOnTab(program, 0);
  ASSERT_NE(dialog, nullptr);
  const auto viewer_in_front = [&] {  // of the dialog, which stays above all others
    const auto w = TopLevelWindows(0);
    return std::find(w.begin(), w.end(), FindWindowW(L"MS_WINHELP", nullptr)) <
           std::find(w.begin(), w.end(), dialog);
  };
  for (int tab = 0; tab < kSettingsTabCount; ++tab) {
    ShowTab(dialog, tab);
    ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 3));  // ヘルプ
    const std::wstring page = L"context-" + std::to_wstring(kSettingsHelpContexts[tab]) + L".html";
    const std::wstring title = HelpTopicTitle(page.c_str());
    EXPECT_TRUE(
        WaitUntil([&] { return ShownHelpTopic() == title && viewer_in_front(); }, kUiLimitMs))
        << tab << ": " << ShownHelpTopic();
  }
  Screenshot(L"help-topic");
  HWND viewer = FindWindowW(L"MS_WINHELP", nullptr);
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 1));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  EXPECT_TRUE(
      WaitUntil([&] { return !(GetWindowLongW(viewer, GWL_EXSTYLE) & WS_EX_TOPMOST); }, kUiLimitMs))
      << "above all when alone";
  PostMessageW(viewer, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace banchiro::e2e
