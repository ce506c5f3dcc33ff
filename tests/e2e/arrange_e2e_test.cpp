// BANCHIRO.EXE <letter>, a one-shot start, against the windows of another
// process: the layouts, the other methods, the windows it leaves alone, and
// windows that do not answer or go away in the middle of a run.
#include "drivers.h"

namespace banchiro::e2e {
namespace {

class ArrangeE2eTest : public E2eTest {
 protected:
  ResidentStandIn resident_;  // every start here is a one-shot start that ends
};

class LayoutE2eTest : public ArrangeE2eTest,
                      public ::testing::WithParamInterface<std::pair<char, int>> {};

// Row 1 starts maximised and ends a normal window at its tile.
TEST_P(LayoutE2eTest, PutsEveryRowWhereTheCoreSays) {
  const auto [letter, count] = GetParam();
  HelperWindows helper(count, 1, L";max");
  ASSERT_TRUE(helper.ready());
  ASSERT_TRUE(IsZoomed(helper.window(1)));
  ASSERT_TRUE(RunOneShot(letter));
  ExpectArranged(helper.rows(), letter);
  EXPECT_FALSE(IsZoomed(helper.window(1)));
}

// A cascade, stacked, side by side, one beside two, the grid.
INSTANTIATE_TEST_SUITE_P(Families, LayoutE2eTest,
                         ::testing::Values(std::pair{'S', 3}, std::pair{'G', 3}, std::pair{'O', 3},
                                           std::pair{'H', 3}, std::pair{'F', 4}),
                         [](const auto& info) { return std::string(1, info.param.first); });

// Minimise all falls back on the program's own (the shell cannot under
// Wine) and its undo restores; close-all sends WM_CLOSE (the helper ends
// with 0, with 3 on WM_QUIT). None of them, nor a layout, touches a window
// of the program's own classes, an overlay or a tool window.
TEST_F(ArrangeE2eTest, MinimiseUndoAndCloseAllLeaveOwnOverlayAndToolWindowsAlone) {
  HelperWindows helper(2);
  ASSERT_TRUE(helper.ready());
  const std::wstring own = ui::kSettingsClassName;
  Child others(L"\"" + ProgramPath(L"window_helper.exe") + L"\" \"title=E2E 設定;class=" + own +
               L"\" \"title=E2E 重ね;class=E2eOverlay;exstyle=8000000\"" +
               L" \"title=E2E 道具;class=E2eTool;exstyle=80\"");
  const std::vector<HWND> rows = helper.rows();
  std::vector<std::pair<HWND, Rect>> alone;
  for (const std::wstring& name : {own, std::wstring(L"E2eOverlay"), std::wstring(L"E2eTool")}) {
    HWND window = WaitForWindow(others.pid(), name.c_str(), kStartLimitMs);
    ASSERT_TRUE(window && Settle(window));
    alone.emplace_back(window, RectOf(window));
  }
  ASSERT_TRUE(RunOneShot('O'));
  ExpectArranged(rows, 'O');
  const auto iconic = [&] { return !!IsIconic(rows[0]) + !!IsIconic(rows[1]); };
  for (const char letter : {'M', 'U'}) {
    ASSERT_TRUE(RunOneShot(letter));
    EXPECT_TRUE(WaitUntil([&] { return iconic() == (letter == 'M' ? 2 : 0); }, kUiLimitMs));
  }
  ExpectArranged(rows, 'O');  // restored where they were
  ASSERT_TRUE(RunOneShot('A'));
  DWORD code = 1;
  EXPECT_TRUE(helper.process().WaitForExit(kUiLimitMs, &code) && code == 0) << code;
  for (const auto& [window, rect] : alone)
    EXPECT_EQ(RectOf(window), rect) << ClassName(window);
}

// A program whose thread sleeps does not hold the run, and its windows take
// their places when it wakes.
TEST_F(ArrangeE2eTest, WindowsThatDoNotAnswerNeitherHoldTheRunNorMissTheirPlaces) {
  HelperWindows helper(3);
  ASSERT_TRUE(helper.ready());
  // 'Z' names no method: a warm-up, so that the limit below is for the run
  // and not for Wine loading the program.
  ASSERT_TRUE(RunOneShot('Z'));
  PostMessageW(helper.window(1), WM_APP + 1, 5000, 0);  // the helper sleeps 5 s
  ASSERT_TRUE(WaitUntil([&] { return !Settle(helper.window(1), 100); }, kUiLimitMs));
  EXPECT_TRUE(RunOneShot('G', 2000)) << "the run waited for the frozen windows";
  EXPECT_FALSE(Settle(helper.window(1), 100)) << "they woke too early for this test";
  ExpectArranged(helper.rows(), 'G', 15000);
}

// The middle row goes when another window is first moved: it has been
// collected and is gone before its turn, whichever end the moves start from.
TEST_F(ArrangeE2eTest, AWindowGoneBeforeItsMoveLeavesTheOthersPlaced) {
  HelperWindows helper(3, 2, L";vanish");
  ASSERT_TRUE(helper.ready());
  ASSERT_EQ(helper.rows()[1], helper.window(2));
  ASSERT_TRUE(RunOneShot('G'));
  // The moves are queued to the helper's thread, which may take them after
  // the run has ended.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(helper.window(2)); }, kUiLimitMs));
  ExpectArranged(helper.rows(), 'G');
}

}  // namespace
}  // namespace banchiro::e2e
