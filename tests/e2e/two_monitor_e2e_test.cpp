// Arranging on two monitors side by side (the primary 1024 x 768 on the
// left, 800 x 600 on the right), with BANCHIRO.EXE <letter> one-shot starts.
#include <cstdlib>

#include "drivers.h"

namespace banchiro::e2e {
namespace {

// The work areas of the monitors, the primary first, as the system says.
std::vector<Rect> WorkAreas() {
  std::vector<Rect> areas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
        MONITORINFO info{sizeof info, {}, {}, 0};
        GetMonitorInfoW(monitor, &info);
        const RECT& r = info.rcWork;
        auto& areas = *reinterpret_cast<std::vector<Rect>*>(list);
        areas.insert(info.dwFlags & MONITORINFOF_PRIMARY ? areas.begin() : areas.end(),
                     Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&areas));
  return areas;
}

class TwoMonitorE2eTest : public E2eTest {
 protected:
  void SetUp() override {
    areas_ = WorkAreas();
    if (areas_.size() != 2) {
      if (std::getenv("BANCHIRO_E2E_TWO_MONITORS")) FAIL() << areas_.size() << " monitors";
      GTEST_SKIP() << "needs a desktop of two monitors";
    }
    E2eTest::SetUp();
  }
  void TearDown() override {
    for (HWND row : Rows(-1))
      PostMessageW(row, WM_CLOSE, 0, 0);
    E2eTest::TearDown();
  }
  // Two windows on each monitor, in one process each.
  void Open() {
    for (int side = 0; side < 2; ++side) {
      std::wstring line = L"\"" + ProgramPath(L"window_helper.exe") + L"\"";
      for (int i = 0; i < 2; ++i) {
        line += L" \"title=E2E " + std::to_wstring(side) + L"-" + std::to_wstring(i) + L";rect=" +
                std::to_wstring(areas_[side].left + 100 + 50 * i) + L"," +
                std::to_wstring(100 + 50 * i) + L",400,300\"";
      }
      helpers_[side] = std::make_unique<Child>(line);
      ASSERT_TRUE(WaitUntil([&] { return Rows(side).size() == 2; }, kStartLimitMs));
    }
  }
  // The windows of a helper (both helpers for -1), topmost first.
  std::vector<HWND> Rows(int side) {
    std::vector<HWND> rows;
    for (HWND w : TopLevelWindows(0)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      for (int s = 0; s < 2; ++s) {
        if ((side < 0 || side == s) && helpers_[s] && pid == helpers_[s]->pid() &&
            IsWindowVisible(w))
          rows.push_back(w);
      }
    }
    return rows;
  }
  void Run(const char* choice, char letter, int pointer_on) {
    SetString("Config", "OptMon", choice);
    SetCursorPos(areas_[pointer_on].left + 300, 300);
    ResidentStandIn resident;
    Program program(std::wstring(1, static_cast<wchar_t>(letter)));
    DWORD code = 1;
    ASSERT_TRUE(program.process().WaitForExit(kStartLimitMs, &code) && code == 0);
  }
  std::vector<Rect> areas_;
  std::unique_ptr<Child> helpers_[2];
};

TEST_F(TwoMonitorE2eTest, ThePointersMonitorTilesItsWindowsAloneEitherWay) {
  Open();
  const std::vector<Rect> left_before = {RectOf(Rows(0)[0]), RectOf(Rows(0)[1])};
  Run("1", 'G', 1);
  ExpectArranged(Rows(1), 'G', 5000, areas_[1]);
  EXPECT_EQ((std::vector<Rect>{RectOf(Rows(0)[0]), RectOf(Rows(0)[1])}), left_before);
  Screenshot(L"two-monitors-G-pointer-right");
  Run("1", 'G', 0);
  ExpectArranged(Rows(0), 'G', 5000, areas_[0]);
  ExpectArranged(Rows(1), 'G', 5000, areas_[1]);
  Screenshot(L"two-monitors-G-pointer-left");
}

TEST_F(TwoMonitorE2eTest, EveryMonitorTilesBothAtOnceAndTheMainMonitorTakesAll) {
  Open();
  Run("2", 'O', 0);
  ExpectArranged(Rows(0), 'O', 5000, areas_[0]);
  ExpectArranged(Rows(1), 'O', 5000, areas_[1]);
  Screenshot(L"two-monitors-O-every");
  Run("0", 'G', 1);
  ExpectArranged(Rows(-1), 'G');
  Screenshot(L"two-monitors-G-main");
}

TEST_F(TwoMonitorE2eTest, CloseAllOnThePointersMonitorClosesOnlyItsWindows) {
  Open();
  Run("1", 'A', 1);
  DWORD code = 1;
  EXPECT_TRUE(helpers_[1]->WaitForExit(kUiLimitMs, &code) && code == 0) << code;
  EXPECT_EQ(Rows(0).size(), 2u);
  EXPECT_TRUE(helpers_[0]->Running());
  Screenshot(L"two-monitors-A-pointer-right");
}

}  // namespace
}  // namespace banchiro::e2e
