// The resident program as today's Windows treats it: ended from outside,
// started twice at once or beside an elevated instance, starting many
// relays, meeting relays of an earlier run and keys saved while relays start.
#include <set>

#include "drivers.h"

namespace banchiro::e2e {
namespace {

using ReliabilityE2eTest = E2eTest;

// The keys that relays serve (their windows are titled "KOVRAN F<key>").
std::set<int> ServedKeys() {
  std::set<int> keys;
  for (HWND w : TopLevelWindows(0)) {
    const std::wstring title = Text(w);
    if (ClassName(w) == win32::Widen(kRelayWindowClassName) && title.rfind(L"KOVRAN F", 0) == 0)
      keys.insert(std::stoi(title.substr(8)));
  }
  return keys;
}

// Chooses an entry of a closed drop-down list as the arrow keys do on it.
// (A click would open the list only once the busy thread gets to it, after
// the keys: it would then swallow the next click.)
bool Choose(HWND combo, int entry) {
  const int at = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  for (int i = 0; i < std::abs(entry - at); ++i)
    PostMessageW(combo, WM_KEYDOWN, entry < at ? VK_UP : VK_DOWN, 0);
  return WaitUntil([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == entry; }, kUiLimitMs);
}

// An instance run as administrator makes its mark so that an ordinary start
// may not open it: that start is a one-shot start all the same.
TEST_F(ReliabilityE2eTest, AMarkThatMayNotBeOpenedIsAnotherInstance) {
  SECURITY_DESCRIPTOR only_the_maker{};
  ACL nobody{};
  InitializeSecurityDescriptor(&only_the_maker, SECURITY_DESCRIPTOR_REVISION);
  InitializeAcl(&nobody, sizeof nobody, ACL_REVISION);
  SetSecurityDescriptorDacl(&only_the_maker, TRUE, &nobody, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &only_the_maker, FALSE};
  win32::UniqueKernelHandle mark(CreateMutexW(&attributes, FALSE, win32::kInstanceMutexName));
  ASSERT_TRUE(mark);
  Program program;
  EXPECT_TRUE(program.process().WaitForExit(kStartLimitMs)) << "a second resident instance";
}

// A relay left by an earlier run is ended when relays start; a window of
// another program with the relay's class is not asked to close. A relay
// whose key is held elsewhere says so in its box.
TEST_F(ReliabilityE2eTest, StraysOfOurRelayEndOthersStayAndATakenKeyIsSaid) {
  Child stray(L"\"" + ProgramPath(L"KOVRAN.EXE") + L"\" F9");
  const std::wstring relay_class = win32::Widen(kRelayWindowClassName);
  WNDCLASSW look_alike{0,       DefWindowProcW, 0,       0,       nullptr,
                       nullptr, nullptr,        nullptr, nullptr, relay_class.c_str()};
  RegisterClassW(&look_alike);
  HWND other = CreateWindowExW(0, relay_class.c_str(), L"other", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(WaitUntil([] { return OnlyRelayServes(9); }, kStartLimitMs));
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL, VK_F6));
  SetString("FunctionKey", "Fkey(4)", "5");
  SetString("FunctionKey", "Fkey(6)", "6");
  Program program;
  EXPECT_TRUE(stray.WaitForExit(kStartLimitMs)) << "the stray relay was not ended";
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, other, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "asked to close";
  DestroyWindow(other);
  HWND box = nullptr;
  EXPECT_TRUE(
      WaitUntil([&] { return (box = FindWindowW(L"#32770", L"ホットキー確認")); }, kStartLimitMs));
  EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), L"Ctrl＋Ｆ６ は他のプログラムが使用しています。");
  Screenshot(L"relay-key-taken", box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  UnregisterHotKey(nullptr, 1);
  EXPECT_TRUE(
      WaitUntil([] { return ServedKeys() == std::set<int>{5} && Relays() == 1; }, kStartLimitMs));
}

// Keys saved twice in quick succession while the relays start (the first
// save during the program's own start): the relays end as the keys stored
// last say.
TEST_F(ReliabilityE2eTest, KeysSavedWhileRelaysStartEndUpServed) {
  for (int n = 0; n < 12; ++n)
    SetString("FunctionKey", "Fkey(" + std::to_string(n) + ")", std::to_string(n + 1));
  Program program;
  ASSERT_NE(program.Main(false), nullptr);
  program.Command("mnuOptSettei");
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  HWND tabs = SettingsControl(dialog, ControlKind::kTabs, ControlRole::kNone);
  for (int i = 0; i < 3; ++i)
    PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 3; }, kUiLimitMs));
  const auto key = [&](int n) {
    return SettingsControl(dialog, ControlKind::kCombo, ControlRole::kKey, n);
  };
  HWND apply = SettingsControl(dialog, ControlKind::kButton, ControlRole::kCommand, 2);
  ASSERT_TRUE(WaitUntil([] { return ServedKeys().count(1) == 1; }, kStartLimitMs));
  ASSERT_TRUE(Choose(key(0), 0));
  EXPECT_LT(Relays(), 12) << "the relays were all up before the first save";
  ClickOn(apply);
  ASSERT_TRUE(WaitUntil([] { return GetString("FunctionKey", "Fkey(0)") == "0"; }, kUiLimitMs));
  ASSERT_TRUE(Choose(key(1), 1));
  ClickOn(apply);
  std::set<int> expected{1};
  for (int k = 3; k <= 12; ++k)
    expected.insert(k);
  EXPECT_TRUE(WaitUntil([&] { return ServedKeys() == expected && Relays() == 11; }, kStartLimitMs))
      << ServedKeys().size() << " served, " << Relays() << " relays";
}

// Twelve relays start one after the other while the bar answers at once.
TEST_F(ReliabilityE2eTest, TheBarAnswersWhileItsRelaysStart) {
  for (int n = 0; n < 12; ++n)
    SetString("FunctionKey", "Fkey(" + std::to_string(n) + ")", std::to_string(n + 1));
  Program program;
  HWND main = program.Main(false);
  ASSERT_NE(main, nullptr);
  int asked_while_starting = 0;
  while (Relays() < 12 && asked_while_starting < 1000) {
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 200, &ignored))
        << "no answer within 200 ms";
    ++asked_while_starting;
  }
  EXPECT_GT(asked_while_starting, 0) << "the relays were up before the bar was asked";
  EXPECT_TRUE(WaitUntil([] { return Relays() == 12; }, kStartLimitMs));
}

}  // namespace
}  // namespace banchiro::e2e
