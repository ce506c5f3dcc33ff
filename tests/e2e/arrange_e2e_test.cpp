// BANCHIRO.EXE <letter>, a one-shot start, against the windows of another
// process: a layout of each family, minimise all and its undo, close all,
// and windows that do not answer or go away in the middle of a run.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

class ArrangeE2eTest : public E2eTest {
 protected:
  ResidentStandIn resident_;  // every start here is a one-shot start that ends
};

::testing::AssertionResult RunOneShot(char letter, DWORD limit_ms = kStartLimitMs) {
  Program program(std::wstring(1, static_cast<wchar_t>(letter)));
  DWORD code = 1;
  if (!program.process().WaitForExit(limit_ms, &code))
    return ::testing::AssertionFailure() << "BANCHIRO.EXE " << letter << " did not end in time";
  if (code != 0) return ::testing::AssertionFailure() << "BANCHIRO.EXE ended with " << code;
  return ::testing::AssertionSuccess();
}

struct LayoutCase {
  char letter;
  int count;
};

class LayoutE2eTest : public ArrangeE2eTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutE2eTest, PutsEveryRowWhereTheCoreSays) {
  HelperWindows helper(GetParam().count);
  ASSERT_TRUE(helper.ready());
  ASSERT_TRUE(RunOneShot(GetParam().letter));
  ExpectArranged(helper, MethodOf(GetParam().letter));
}

// A cascade, stacked, side by side, one beside two, the grid.
INSTANTIATE_TEST_SUITE_P(Families, LayoutE2eTest,
                         ::testing::Values(LayoutCase{'S', 3}, LayoutCase{'G', 3},
                                           LayoutCase{'O', 3}, LayoutCase{'H', 3},
                                           LayoutCase{'F', 4}),
                         [](const auto& info) { return std::string(1, info.param.letter); });

// The shell's minimise-all is not implemented under Wine: the program's own
// fallback minimises the windows it collected, records them and restores
// them on undo.
TEST_F(ArrangeE2eTest, MinimiseAllThenUndo) {
  HelperWindows helper(2);
  ASSERT_TRUE(helper.ready());
  const std::vector<Rect> before = helper.Rects();
  const auto all = [&](bool iconic) {
    return WaitUntil(
        [&] {
          for (HWND row : helper.rows()) {
            if ((IsIconic(row) != 0) != iconic) return false;
          }
          return true;
        },
        kUiLimitMs);
  };
  ASSERT_TRUE(RunOneShot('M'));
  EXPECT_TRUE(all(true)) << "not minimised";
  EXPECT_EQ(GetString("hWnd", "M_Count"), "2");
  ASSERT_TRUE(RunOneShot('U'));
  EXPECT_TRUE(all(false)) << "not restored";
  EXPECT_TRUE(WaitUntil([&] { return helper.Rects() == before; }, kUiLimitMs));
  EXPECT_EQ(helper.Rects(), before);
  EXPECT_EQ(GetString("hWnd", "M_Count"), "0");
}

// WM_CLOSE, so that each program can ask about unsaved work: the helper
// ends with 0 once every window has closed, with 3 on WM_QUIT.
TEST_F(ArrangeE2eTest, CloseAllAsksEachWindowToClose) {
  HelperWindows helper(3);
  ASSERT_TRUE(helper.ready());
  ASSERT_TRUE(RunOneShot('A'));
  EXPECT_EQ(helper.ExitCode(kUiLimitMs), std::optional<DWORD>(0));
}

TEST_F(ArrangeE2eTest, AWindowThatDoesNotAnswerNeitherHoldsTheRunNorMissesItsPlace) {
  HelperWindows helper(3, 2, L"thread=own");
  ASSERT_TRUE(helper.ready());
  // 'Z' names no method: a warm-up, so that the limit below is for the run
  // and not for Wine loading the program.
  ASSERT_TRUE(RunOneShot('Z'));
  HWND frozen = helper.window(2);
  PostMessageW(frozen, WM_APP + 1, 6000, 0);  // its thread sleeps 6 s
  ASSERT_TRUE(WaitUntil([&] { return !Settle(frozen, 100); }, kUiLimitMs));
  EXPECT_TRUE(RunOneShot('G', 2000)) << "the run waited for the frozen window";
  const std::vector<Rect> want = ExpectedLayout(MethodOf('G'), 3);
  const auto placed = [&](int row) {
    return Settle(helper.rows()[row], 15000) &&
           WaitUntil([&] { return RectOf(helper.rows()[row]) == want[row]; }, 2000);
  };
  for (int row = 0; row < 3; ++row)
    EXPECT_TRUE(row == helper.RowOf(frozen) || placed(row)) << "row " << row;
  EXPECT_FALSE(Settle(frozen, 100)) << "the window woke too early for this test";
  EXPECT_TRUE(placed(helper.RowOf(frozen))) << "the frozen window did not get its place";
}

TEST_F(ArrangeE2eTest, AWindowGoneBeforeItsMoveLeavesTheOthersPlaced) {
  // It goes when another window is first moved: in the middle row, it has
  // been collected and is gone before its turn, whichever end moves first.
  HelperWindows helper(3, 2, L"vanish");
  ASSERT_TRUE(helper.ready());
  ASSERT_EQ(helper.RowOf(helper.window(2)), 1);
  ASSERT_TRUE(RunOneShot('G'));
  EXPECT_FALSE(IsWindow(helper.window(2)));
  const std::vector<Rect> want = ExpectedLayout(MethodOf('G'), 3);
  for (const int row : {0, 2}) {
    Settle(helper.rows()[row]);
    WaitUntil([&] { return RectOf(helper.rows()[row]) == want[row]; }, 2000);
    EXPECT_EQ(RectOf(helper.rows()[row]), want[row]) << "row " << row;
  }
}

}  // namespace
}  // namespace banchiro::e2e
