// The resident program as today's Windows treats it: ended from outside,
// started twice at once, starting many relays.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

using ReliabilityE2eTest = E2eTest;

// Ended as Task Manager ends it: its relays go with it.
TEST_F(ReliabilityE2eTest, KilledFromOutsideItLeavesNoRelay) {
  SetString("FunctionKey", "Fkey(4)", "5");
  SetString("FunctionKey", "Fkey(6)", "7");
  Program program;
  ASSERT_NE(program.Main(false), nullptr);
  ASSERT_TRUE(WaitUntil([] { return Relays() == 2; }, kStartLimitMs)) << Relays();
  win32::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, program.process().pid()));
  ASSERT_TRUE(process && TerminateProcess(process.get(), 1));
  EXPECT_TRUE(WaitUntil([] { return Relays() == 0; }, kUiLimitMs)) << Relays();
}

// Two plain starts at the same moment: exactly one stays resident.
TEST_F(ReliabilityE2eTest, OfTwoStartsAtOnceOneStays) {
  Program first, second;
  const auto running = [&] { return first.process().Running() + second.process().Running(); };
  ASSERT_TRUE(WaitUntil([&] { return running() == 1; }, kStartLimitMs)) << running();
  Program& resident = first.process().Running() ? first : second;
  EXPECT_NE(resident.Main(), nullptr);
  EXPECT_EQ(running(), 1);
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
    const ULONGLONG asked = GetTickCount64();
    ASSERT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 200, &ignored))
        << "no answer within 200 ms";
    EXPECT_LE(GetTickCount64() - asked, 200u);
    ++asked_while_starting;
  }
  EXPECT_GT(asked_while_starting, 0) << "the relays were up before the bar was asked";
  EXPECT_TRUE(WaitUntil([] { return Relays() == 12; }, kStartLimitMs));
}

}  // namespace
}  // namespace banchiro::e2e
