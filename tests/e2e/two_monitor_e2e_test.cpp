// BANCHIRO.EXE <letter> on two monitors: 1024 x 768 (primary) and 800 x 600 right of it.
#include <cstdlib>

#include "drivers.h"

namespace banchiro::e2e {
namespace {

// The work area of the monitor holding a point, as the system reports it.
Rect WorkAreaAt(POINT p) {
  return win32::Win32Monitors().At({p.x, p.y}).work_area;
}

class TwoMonitorE2eTest : public E2eTest {
 protected:
  void SetUp() override {
    if (GetSystemMetrics(SM_CMONITORS) != 2 || WorkAreaAt({1100, 10}).left != 1024) {
      if (std::getenv("BANCHIRO_E2E_TWO_MONITORS")) FAIL() << "not the two-monitor desktop";
      GTEST_SKIP() << "needs a desktop of two monitors";
    }
    E2eTest::SetUp();
    // Two windows on each monitor, in one process each.
    const wchar_t* places[2][2] = {{L"100,100", L"150,150"}, {L"1124,100", L"1174,150"}};
    for (int side = 0; side < 2; ++side) {
      helpers_[side] = std::make_unique<Child>(
          L"\"" + ProgramPath(L"window_helper.exe") + L"\" \"title=E2E a;rect=" + places[side][0] +
          L",400,300\" \"title=E2E b;rect=" + places[side][1] + L",400,300\"");
      ASSERT_TRUE(WaitUntil([&] { return Rows(side).size() == 2; }, kStartLimitMs));
    }
  }
  void TearDown() override {
    for (HWND row : Rows(-1))
      PostMessageW(row, WM_CLOSE, 0, 0);
    E2eTest::TearDown();
  }
  // The windows on a side (both for -1), topmost first.
  std::vector<HWND> Rows(int side) {
    std::vector<HWND> rows;
    for (HWND w : WindowsOf(0, L"BanchiroE2eWindow")) {
      if (side < 0 || side == (RectOf(w).left >= 1024)) rows.push_back(w);
    }
    return rows;
  }
  void Run(const char* choice, char letter, int pointer_on) {
    SetString("Config", "OptMon", choice);
    SetCursorPos(areas_[pointer_on].left + 300, 300);
    ResidentStandIn resident;
    ASSERT_TRUE(RunOneShot(letter));
  }
  void ExpectBothArranged(char letter) {
    for (int side = 0; side < 2; ++side)
      ExpectArranged(Rows(side), letter, 5000, areas_[side]);
  }
  const Rect areas_[2] = {WorkAreaAt({10, 10}), WorkAreaAt({1100, 10})};
  std::unique_ptr<Child> helpers_[2];
};

TEST_F(TwoMonitorE2eTest, ThePointersMonitorTilesAndClosesItsWindowsAlone) {
  const std::vector<Rect> left_before = RectsOf(Rows(0));
  Run("1", 'G', 1);
  ExpectArranged(Rows(1), 'G', 5000, areas_[1]);
  EXPECT_EQ(RectsOf(Rows(0)), left_before);
  Screenshot(L"two-monitors-G-pointer-right");
  Run("1", 'G', 0);
  ExpectBothArranged('G');
  Screenshot(L"two-monitors-G-pointer-left");
  Run("1", 'A', 1);
  DWORD code = 1;
  EXPECT_TRUE(helpers_[1]->WaitForExit(kUiLimitMs, &code) && code == 0) << code;
  EXPECT_EQ(Rows(0).size(), 2u);
  Screenshot(L"two-monitors-A-pointer-right");
}

TEST_F(TwoMonitorE2eTest, EveryMonitorTilesBothAtOnceAndTheMainMonitorTakesAll) {
  Run("2", 'O', 0);
  ExpectBothArranged('O');
  Screenshot(L"two-monitors-O-every");
  Run("0", 'G', 1);
  ExpectArranged(Rows(-1), 'G');
  Screenshot(L"two-monitors-G-main");
}

}  // namespace
}  // namespace banchiro::e2e
