// The resident program as today's Windows treats it: started twice at once
// or beside an elevated instance, keys saved while its relays start, ended
// from outside.
#include <windows.h>

#include <sddl.h>

#include "drivers.h"

namespace banchiro::e2e {
namespace {

using ReliabilityE2eTest = E2eTest;

// Of two plain starts at once exactly one stays; beside an elevated instance,
// whose mark it may not open, a start is a one-shot start all the same.
TEST_F(ReliabilityE2eTest, OfTwoStartsOneStays) {
  {
    Program first, second;
    const auto running = [&] { return first.process().Running() + second.process().Running(); };
    ASSERT_TRUE(WaitUntil([&] { return running() == 1; }, kStartLimitMs)) << running();
    Program& resident = first.process().Running() ? first : second;
    EXPECT_NE(resident.Main(), nullptr);
    EXPECT_EQ(running(), 1);
  }
  PSECURITY_DESCRIPTOR nobody = nullptr;  // an empty access list
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &nobody,
                                                                   nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nobody, FALSE};
  win32::UniqueKernelHandle mark(CreateMutexW(&attributes, FALSE, win32::kInstanceMutexName));
  LocalFree(nobody);
  Program beside;
  EXPECT_TRUE(mark && beside.process().WaitForExit(kStartLimitMs)) << "a second resident instance";
}

// Keys saved twice in quick succession while twelve relays start (first in
// the program's own start) end up served as stored last; killed from
// outside, the program leaves none of them.
TEST_F(ReliabilityE2eTest, KeysSavedWhileRelaysStartAreServed) {
  for (int n = 0; n < 12; ++n)
    SetString("FunctionKey", "Fkey(" + std::to_string(n) + ")", std::to_string(n + 1));
  Program program;
  ASSERT_NE(program.Main(false), nullptr);
  program.Command(MenuCommand::kSettings);
  HWND dialog = WaitForWindow(program.process().pid(), ui::kSettingsClassName, kUiLimitMs);
  for (int tab = 0; tab < 3; ++tab)  // to the function-key tab
    PostMessageW(SettingsControl(dialog, K::kTabs, R::kNone), WM_KEYDOWN, VK_RIGHT, 0);
  const auto serves = [](const wchar_t* relay) { return FindWindowW(nullptr, relay) != nullptr; };
  ASSERT_TRUE(WaitUntil([&] { return serves(L"KOVRAN F1"); }, kStartLimitMs));
  ASSERT_TRUE(ChooseKey(dialog, 0, 0));  // F1 to none
  EXPECT_LT(Relays(), 12) << "the relays were all up before the first save";
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 2));  // 適用
  ASSERT_TRUE(WaitUntil([&] { return !serves(L"KOVRAN F1"); }, kUiLimitMs)) << "F1 still served";
  ASSERT_TRUE(ChooseKey(dialog, 1, 1));                          // F2 to F1
  ClickOn(SettingsControl(dialog, K::kButton, R::kCommand, 2));  // 適用
  EXPECT_TRUE(
      WaitUntil([&] { return serves(L"KOVRAN F12") && !serves(L"KOVRAN F2") && Relays() == 11; },
                kStartLimitMs))
      << Relays() << " relays; want F1 and F3..F12, F12 last to start";
  win32::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, program.process().pid()));
  ASSERT_TRUE(process && TerminateProcess(process.get(), 1));
  EXPECT_TRUE(WaitUntil([] { return Relays() == 0; }, kUiLimitMs)) << Relays();
}

}  // namespace
}  // namespace banchiro::e2e
