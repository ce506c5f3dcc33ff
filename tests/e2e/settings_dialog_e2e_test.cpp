// The settings dialog of the resident program, driven as a user does.
#include <fstream>
#include <iterator>

#include "drivers.h"
#include "platform/win32/registry.h"

namespace banchiro::e2e {
namespace {

using SettingsDialogE2eTest = E2eTest;
using K = ControlKind;
using R = ControlRole;

// Moves the open dialog to a tab and takes the screenshot of it. The arrow
// keys move along the tabs (a click needs the tab's place, which another
// process cannot ask the control for under Wine).
void ShowTab(HWND dialog, int tab) {
  HWND tabs = SettingsControl(dialog, K::kTabs, R::kNone);
  const auto at = [&] { return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); };
  for (int i = at(); i < tab; ++i)
    PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
  WaitUntil([&] { return at() == tab; }, kUiLimitMs);
  Screenshot(L"settings-tab" + std::to_wstring(tab), dialog);
}

// The dialog of a resident program, opened from its menu item, on a tab.
HWND OpenOnTab(Program& program, int tab) {
  if (!program.Main()) return nullptr;
  program.Command("mnuOptSettei");
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  ShowTab(dialog, tab);
  return dialog;
}

// Clicks a box and waits until it shows the tick asked for.
bool Tick(HWND box, bool ticked) {
  ClickOn(box);
  return WaitUntil([&] { return (SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == ticked; },
                   kUiLimitMs);
}

// Opened from the system menu (by keyboard, as Alt+Space and K do) and again
// from its command: one dialog. Its spinner moves its label and Apply writes
// the store. A ticked folder verb is the key Explorer reads, with the
// program's path quoted; cleared, it is gone. A method cleared from the
// display menu is gone from it (counted from the keyboard's menu: menus are
// per process). Cancel writes nothing more.
TEST_F(SettingsDialogE2eTest, SpinnerVerbsDisplayMenuAndCancel) {
  Program program;
  HWND main = program.Main();
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  std::vector<HWND> menus;
  ASSERT_TRUE(WaitUntil([&] { return (menus = Popups()).size() == 1; }, kUiLimitMs))
      << "no system menu";
  TypeAccessKey(menus[0], L'k');
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  ASSERT_NE(dialog, nullptr) << "the system menu's item opened no dialog";
  EXPECT_EQ(Text(dialog), L"各種設定");
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Screenshot(L"settings-tab0", dialog);
  PostMessageW(main, WM_SYSCOMMAND, 1000, 0);
  ASSERT_TRUE(Settle(main));
  int dialogs = 0;
  for (HWND w : TopLevelWindows(program.process().pid()))
    dialogs += ClassName(w) == ui::kSettingsClassName;
  EXPECT_EQ(dialogs, 1) << "a second request opened a second dialog";
  HWND apply = SettingsControl(dialog, K::kButton, R::kCommand, 2);
  HWND hour = SettingsControl(dialog, K::kValue, R::kHour);
  ClickOn(SettingsControl(dialog, K::kSpin, R::kHour), true);
  EXPECT_TRUE(WaitUntil([&] { return Text(hour) == L"01"; }, kUiLimitMs)) << Text(hour);
  ClickOn(apply);
  EXPECT_TRUE(WaitUntil([] { return GetString("Config", "OptTime(0)") == "01"; }, kUiLimitMs));

  ShowTab(dialog, 2);
  HWND verb = SettingsControl(dialog, K::kCheck, R::kFolderVerb, 12);
  const std::wstring key = L"Software\\Classes\\Folder\\shell\\元に戻す(&U)\\COMMAND";
  const auto command = [&] { return win32::ReadRegistryString(HKEY_CURRENT_USER, key, L""); };
  ASSERT_TRUE(Tick(verb, true));
  ClickOn(apply);
  ASSERT_TRUE(WaitUntil([&] { return command().has_value(); }, kUiLimitMs));
  EXPECT_EQ(*command(), L"\"" + RunnerFolder() + L"\\BANCHIRO.EXE\" U");
  ASSERT_TRUE(Tick(verb, false));
  ClickOn(apply);
  EXPECT_TRUE(WaitUntil([&] { return !command(); }, kUiLimitMs)) << "the verb stayed";
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

// A title typed into the new-title box and applied, then F7 chosen for
// stacking and applied: a relay serves the key at once, and the arrangement
// it starts leaves that window out.
TEST_F(SettingsDialogE2eTest, AnAddedTitleAndAKeyApplied) {
  Program program;
  HelperWindows helper(3);
  HWND dialog = OpenOnTab(program, 1);
  ASSERT_TRUE(dialog && helper.ready());
  HWND apply = SettingsControl(dialog, K::kButton, R::kCommand, 2);
  HWND box = SettingsControl(dialog, K::kEdit, R::kNewTitle);
  ClickOn(box);
  for (const wchar_t c : std::wstring(L"窓 2"))
    PostMessageW(box, WM_CHAR, c, 0);  // as typing (through the IME) gives it
  ClickOn(SettingsControl(dialog, K::kButton, R::kTitleCommand, 0));
  HWND list = SettingsControl(dialog, K::kList, R::kTitles);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 3; }, kUiLimitMs));
  ClickOn(apply);
  EXPECT_TRUE(WaitUntil([] { return GetString("Exclude", "JogaiWid(2)") == "窓 2"; }, kUiLimitMs));

  ShowTab(dialog, 3);
  HWND key = SettingsControl(dialog, K::kCombo, R::kKey, 4);
  ClickOn(key);  // opens the list; the keys choose in it
  for (int i = 0; i < 7; ++i)
    PostMessageW(key, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(key, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(key, CB_GETCURSEL, 0, 0) == 7; }, kUiLimitMs));
  ClickOn(apply);
  ASSERT_TRUE(WaitUntil([] { return OnlyRelayServes(7); }, kStartLimitMs)) << "no relay for F7";
  EXPECT_EQ(GetString("FunctionKey", "Fkey(4)"), "7");
  // Closed, or the topmost dialog would be arranged with the windows.
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 1));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kUiLimitMs));
  const Rect left_alone = RectOf(helper.window(2));
  PressCtrlF(7);
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
  program.Command("mnuHelpContent_KeyWord", 1);
  const std::wstring contents = HelpTopicTitle(L"index.html");
  EXPECT_TRUE(WaitUntil([&] { return ShownHelpTopic() == contents; }, kStartLimitMs))
      << ShownHelpTopic();
  HWND dialog = OpenOnTab(program, 0);
  ASSERT_NE(dialog, nullptr);
  for (int tab = 0; tab < kSettingsTabCount; ++tab) {
    ShowTab(dialog, tab);
    ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 3));  // ヘルプ
    const std::wstring page = L"context-" + std::to_wstring(kSettingsHelpContexts[tab]) + L".html";
    const std::wstring title = HelpTopicTitle(page.c_str());
    EXPECT_TRUE(WaitUntil([&] { return ShownHelpTopic() == title; }, kUiLimitMs))
        << tab << ": " << ShownHelpTopic();
  }
  Screenshot(L"help-topic");
  PostMessageW(FindWindowW(L"MS_WINHELP", nullptr), WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace banchiro::e2e
