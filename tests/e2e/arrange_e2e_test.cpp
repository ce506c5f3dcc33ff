// BANCHIRO.EXE <letter> against the windows of another process
// (window_helper.exe): which windows it takes, where it puts them, and what
// else it does to them, read back with GetWindowRect as a user would see it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "helper_windows.h"
#include "platform/win32/utf.h"

namespace banchiro::e2e {
namespace {

constexpr DWORD kRunLimitMs = 30000;  // a cold start under Wine takes about 1.5 s
constexpr DWORD kCleanLimitMs = 10000;
// The one timing the program promises: a one-shot run ends this soon even
// when one of the windows belongs to a program that does not answer.
constexpr DWORD kHungEndLimitMs = 2000;
constexpr DWORD kFreezeMs = 15000;

constexpr wchar_t kCountTitle[] = L"窓の数 確認";
constexpr wchar_t kCountText[] = L"窓の数が '20' を超えました。 超えた窓は無視されます。";

std::wstring Banchiro(const std::wstring& tail) {
  return L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\" " + tail;
}

// Runs BANCHIRO.EXE with this command tail to its end.
::testing::AssertionResult RunBanchiro(const std::wstring& tail) {
  Child child(Banchiro(tail));
  if (!child.started()) return ::testing::AssertionFailure() << "BANCHIRO.EXE did not start";
  DWORD code = 1;
  if (!child.WaitForExit(kRunLimitMs, &code)) {
    const HWND box = WaitForWindow(child.pid(), L"#32770", nullptr, 0);
    return ::testing::AssertionFailure()
           << "BANCHIRO.EXE did not end" << (box ? " (it shows a message box)" : "");
  }
  if (code != 0) return ::testing::AssertionFailure() << "BANCHIRO.EXE ended with code " << code;
  return ::testing::AssertionSuccess();
}

// The rows as BANCHIRO recorded them, 1..count, and nothing after them.
void ExpectRecordedRows(const std::vector<HWND>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::wstring name = L"N_Wnd(" + std::to_wstring(i + 1) + L")";
    EXPECT_EQ(GetString(L"hWnd", name), Handle(rows[i])) << "row " << i + 1;
  }
  const std::wstring next = L"N_Wnd(" + std::to_wstring(rows.size() + 1) + L")";
  if (rows.size() < 20) {
    const auto stale = GetString(L"hWnd", next);
    EXPECT_TRUE(!stale || stale->empty()) << "row " << rows.size() + 1 << " recorded";
  }
}

class ArrangeE2eTest : public ::testing::Test {
 protected:
  // Every start of the program here is a one-shot start that ends.
  ResidentStandIn resident_;
  void SetUp() override {
    ASSERT_TRUE(WaitForTestTaskbar()) << "the taskbar is not at its test height";
    DeleteAllSettings();
    SkipSplash();
    SetWineVersion(L"BANCHIRO.EXE", kWineVersion);
    // A window left by an earlier test would be arranged too and shift every row.
    if (!WaitUntil([] { return ShownTitledWindows().empty(); }, kCleanLimitMs)) {
      std::string left;
      for (HWND window : ShownTitledWindows())
        left += " " + Describe(window);
      FAIL() << "windows of an earlier test are still open:" << left;
    }
  }
  void TearDown() override {
    DeleteAllSettings();
    SetWineVersion(L"BANCHIRO.EXE", L"");
  }
};

// --- Layouts ---------------------------------------------------------------

struct LayoutCase {
  const wchar_t* tail;
  int count;
  std::vector<Box> want;  // empty: the method does not apply, nothing moves
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  const std::wstring tail = c.tail;
  *os << std::string(tail.begin(), tail.end()) << " with " << c.count;
}

std::vector<LayoutCase> LayoutCases() {
  std::vector<LayoutCase> cases;
  const auto add = [&](const wchar_t* tail, int n) {
    cases.push_back({tail, n, ExpectedRects(tail[0], n)});
  };
  for (const wchar_t* letter : {L"S", L"L", L"K", L"J", L"G", L"O"}) {
    for (int n = 1; n <= 5; ++n)
      add(letter, n);
  }
  for (const wchar_t* letter : {L"H", L"N", L"E", L"D"})
    add(letter, 3);
  add(L"F", 4);
  // The fixed tilings with any other number of windows leave them alone.
  for (const wchar_t* letter : {L"H", L"N", L"E", L"D"}) {
    add(letter, 2);
    add(letter, 4);
  }
  add(L"F", 3);
  add(L"F", 5);
  // Letters in either case.
  add(L"s", 2);
  add(L"k", 3);
  add(L"g", 3);
  add(L"o", 2);
  for (const wchar_t* letter : {L"h", L"n", L"e", L"d"})
    add(letter, 3);
  add(L"f", 4);
  return cases;
}

class LayoutE2eTest : public ArrangeE2eTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutE2eTest, PutsEveryRowInItsPlace) {
  const LayoutCase& c = GetParam();
  HelperWindows helper(PlainWindows(c.count));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  ASSERT_TRUE(RunBanchiro(c.tail));
  ExpectRects(helper, c.want.empty() ? helper.starts() : c.want);
  if (c.want.empty()) return;
  std::vector<HWND> rows;
  for (int r = 1; r <= helper.count(); ++r)
    rows.push_back(helper.row(r));
  ExpectRecordedRows(rows);
}

INSTANTIATE_TEST_SUITE_P(Methods, LayoutE2eTest, ::testing::ValuesIn(LayoutCases()),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                           const std::wstring tail = info.param.tail;
                           std::string name(tail.begin(), tail.end());
                           // gtest names ignore case clashes poorly: mark lower case.
                           if (name[0] >= 'a' && name[0] <= 'z') name = "lower_" + name;
                           name += "_" + std::to_string(info.param.count);
                           if (info.param.want.empty()) name += "_unmoved";
                           return name;
                         });

// The cascade's step down follows the Windows version the program is told:
// 29 px where the version is 5.1 and later with a minor number, 22 px on
// 5.0, 6.0 and 10.0. Wine names these versions as below.
struct VersionCase {
  const wchar_t* wine_version;  // empty: Wine's own default
  const char* reported;         // what GetVersionEx gives a program with our manifest
  int down;
};

class CascadeVersionE2eTest : public ArrangeE2eTest,
                              public ::testing::WithParamInterface<VersionCase> {};

void PrintTo(const VersionCase& c, std::ostream* os) {
  const std::wstring wine = c.wine_version;
  *os << "Wine \"" << std::string(wine.begin(), wine.end()) << "\", Windows " << c.reported;
}

TEST_P(CascadeVersionE2eTest, StepDownFollowsTheReportedVersion) {
  const VersionCase& c = GetParam();
  SetWineVersion(L"BANCHIRO.EXE", c.wine_version);
  // A fresh set of windows for each method: the rows are the z-order, and
  // that is not for this test to depend on after a first arrangement.
  for (const wchar_t* letter : {L"S", L"J"}) {
    SCOPED_TRACE(::testing::Message() << "method " << static_cast<char>(letter[0]));
    HelperWindows helper(PlainWindows(3));
    ASSERT_TRUE(helper.ready()) << helper.failure();
    ASSERT_TRUE(RunBanchiro(letter));
    ExpectRects(helper, Cascade(letter[0], 3, c.down));
  }
}

INSTANTIATE_TEST_SUITE_P(
    WineVersions, CascadeVersionE2eTest,
    ::testing::Values(VersionCase{L"", "6.1", 29}, VersionCase{L"win2k", "5.0", 22},
                      VersionCase{L"winxp", "5.1", 29}, VersionCase{L"win2003", "5.2", 29},
                      VersionCase{L"vista", "6.0", 22}, VersionCase{L"win7", "6.1", 29},
                      VersionCase{L"win8", "6.2", 29}, VersionCase{L"win81", "6.3", 29},
                      VersionCase{L"win10", "10.0", 22}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      const std::wstring wine = info.param.wine_version;
      return wine.empty() ? std::string("wine_default") : std::string(wine.begin(), wine.end());
    });

// --- Which windows are taken ----------------------------------------------

struct CollectRow {
  WindowDesc desc;
  bool taken;
};

TEST_F(ArrangeE2eTest, TakesOnlyShownTitledWindowsOfOrdinaryClasses) {
  SetString(L"Exclude", L"JogaiWid(2)", L"秘密");
  // Rule 1 skips windows lower than 150 and narrower than 150 together;
  // rule 0 stays off, although its stored sizes (100, 200) would catch the
  // 190 x 90 window.
  SetString(L"Config", L"OptJog(1)", L"1");
  SetString(L"Config", L"OptHgt(1)", L"150");
  SetString(L"Config", L"OptWth(1)", L"150");
  const std::vector<CollectRow> table = {
      {W(L"E2E 普通の窓"), true},
      {W(L"設定 - ばんちろ君 for Win"), false},
      {W(L"ファンクションキーの設定"), false},
      {W(L"E2E 秘密のメモ"), false},
      {W(L"E2E static").Class(L"Static"), false},
      {W(L"E2E ime").Class(L"IME"), false},
      {W(L"E2E delphi").Class(L"TApplication"), false},
      {W(L"E2E cicero").Class(L"CiceroUIWndFrame"), false},
      {W(L"E2E ide").Class(L"IDEOwner"), false},
      {W(L"E2E progman").Class(L"Progman"), false},
      {W(L"E2E msime").Class(L"msime98toolbar"), false},
      {W(L"E2E clock").Class(L"TfrmThClock"), false},
      {W(L"E2E vb6").Class(L"ThunderRT6Main"), false},
      {W(L"E2E vb5").Class(L"ThunderRT5Main"), false},
      {W(L"E2E vb form").Class(L"ThunderRT6FormDC"), true},
      {W(L"E2E four").Class(L"ThunderFormMain"), true},
      {W(L""), false},
      {W(L"E2E minimised").State(Shown::kMinimised), false},
      {W(L"E2E hidden").State(Shown::kHidden), false},
      {W(L"E2E small").At({300, 200, 140, 120}), false},
      {W(L"E2E narrow").At({320, 210, 140, 400}), true},
      {W(L"E2E low").At({340, 220, 600, 140}), true},
      {W(L"E2E rule off").At({330, 240, 190, 90}), true},
  };
  // Every rectangle covers (350, 280), so the z-order stays as asked.
  std::vector<WindowDesc> descs;
  for (const CollectRow& row : table)
    descs.push_back(row.desc);
  HelperWindows helper(descs);
  ASSERT_TRUE(helper.ready()) << helper.failure();
  struct State {
    Box rect;
    bool iconic, visible;
  };
  std::vector<State> before;
  for (int r = 1; r <= helper.count(); ++r) {
    before.push_back(
        {RectOf(helper.row(r)), IsIconic(helper.row(r)) != 0, IsWindowVisible(helper.row(r)) != 0});
  }

  ASSERT_TRUE(RunBanchiro(L"G"));
  ASSERT_TRUE(helper.Settle());
  // Six windows are taken, stacked in their z-order.
  const std::vector<Box> stacked = {{70, 70, 884, 100},  {70, 170, 884, 100}, {70, 269, 884, 100},
                                    {70, 369, 884, 100}, {70, 469, 884, 100}, {70, 568, 884, 100}};
  std::vector<HWND> taken;
  for (int r = 1; r <= helper.count(); ++r) {
    if (table[r - 1].taken) taken.push_back(helper.row(r));
  }
  ASSERT_EQ(taken.size(), stacked.size());
  WaitUntil([&] { return RectOf(taken.back()) == stacked.back(); }, kPlacedLimitMs);
  std::size_t next = 0;
  for (int r = 1; r <= helper.count(); ++r) {
    const HWND window = helper.row(r);
    SCOPED_TRACE(::testing::Message() << "row " << r << " " << Describe(window));
    if (table[r - 1].taken) {
      EXPECT_EQ(RectOf(window), stacked[next++]);
    } else {
      EXPECT_EQ(RectOf(window), before[r - 1].rect) << "a skipped window was moved";
      EXPECT_EQ(IsIconic(window) != 0, before[r - 1].iconic);
      EXPECT_EQ(IsWindowVisible(window) != 0, before[r - 1].visible);
    }
  }
  ExpectRecordedRows(taken);
}

// A user who empties one entry of the exclusion list keeps the entries after
// it: every non-empty entry counts, wherever it stands.
TEST_F(ArrangeE2eTest, ExclusionEntryAfterAnEmptyOneStillApplies) {
  SetString(L"Exclude", L"JogaiWid(2)", L"");
  SetString(L"Exclude", L"JogaiWid(5)", L"秘密");
  HelperWindows helper({W(L"E2E 普通の窓"), W(L"E2E 秘密のメモ")});
  ASSERT_TRUE(helper.ready()) << helper.failure();
  ASSERT_TRUE(RunBanchiro(L"G"));
  ExpectRects(helper, {{70, 70, 884, 598}, helper.start(2)});
}

TEST_F(ArrangeE2eTest, MaximisedWindowTakesItsPlaceToo) {
  const std::vector<Box> stacked = {{70, 70, 884, 199}, {70, 269, 884, 199}, {70, 469, 884, 199}};
  for (const wchar_t* letter : {L"G", L"S"}) {
    SCOPED_TRACE(::testing::Message() << "method " << static_cast<char>(letter[0]));
    HelperWindows helper({W(L"E2E 上"), W(L"E2E 最大化").State(Shown::kMaximised), W(L"E2E 下")});
    ASSERT_TRUE(helper.ready()) << helper.failure();
    ASSERT_TRUE(IsZoomed(helper.row(2)));
    ASSERT_TRUE(RunBanchiro(letter));
    // It keeps its maximised state (its placement is written back as it
    // was) and is moved like the others.
    ExpectRects(helper, letter[0] == L'G' ? stacked : Cascade(L'S', 3, kStepDown));
  }
}

TEST_F(ArrangeE2eTest, BeyondTwentyWindowsEachExtraOneIsReportedAndIgnored) {
  constexpr int kWindows = 23;
  HelperWindows helper(PlainWindows(kWindows));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  Child banchiro(Banchiro(L"S"));
  ASSERT_TRUE(banchiro.started());
  int boxes = 0;
  const ULONGLONG deadline = GetTickCount64() + kRunLimitMs;
  while (banchiro.Running() && GetTickCount64() < deadline) {
    const HWND box = WaitForWindow(banchiro.pid(), L"#32770", kCountTitle, 100);
    if (!box) continue;
    ++boxes;
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, kCountText) << "message " << boxes;
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    if (boxes == 1) {
      // Collection waits for the answer; nothing has moved yet.
      EXPECT_EQ(helper.Rects(), helper.starts());
    }
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kRunLimitMs)) << "OK did not close it";
  }
  ASSERT_TRUE(banchiro.WaitForExit(0)) << "BANCHIRO.EXE did not end";
  EXPECT_EQ(boxes, kWindows - 20);
  std::vector<Box> want = Cascade(L'S', 20, kStepDown);
  std::vector<HWND> rows;
  for (int r = 1; r <= 20; ++r)
    rows.push_back(helper.row(r));
  for (int r = 21; r <= kWindows; ++r)
    want.push_back(helper.start(r));
  ExpectRects(helper, want);
  ExpectRecordedRows(rows);
  EXPECT_FALSE(GetString(L"hWnd", L"N_Wnd(21)"));
}

// --- Minimise, undo, close -------------------------------------------------

TEST_F(ArrangeE2eTest, MinimiseAllAndUndoTouchOnlyTheWindowsTaken) {
  HelperWindows helper({W(L"E2E 1"), W(L"E2E 2"), W(L"E2E 3"),
                        W(L"E2E 前から最小化").State(Shown::kMinimised),
                        W(L"E2E ばんちろ君 for Win")});
  ASSERT_TRUE(helper.ready()) << helper.failure();

  ASSERT_TRUE(RunBanchiro(L"M"));
  ASSERT_TRUE(helper.Settle());
  EXPECT_TRUE(WaitUntil(
      [&] { return IsIconic(helper.row(1)) && IsIconic(helper.row(2)) && IsIconic(helper.row(3)); },
      kPlacedLimitMs));
  for (int r = 1; r <= 4; ++r)
    EXPECT_TRUE(IsIconic(helper.row(r))) << "row " << r;
  EXPECT_FALSE(IsIconic(helper.row(5))) << "an excluded window was minimised";
  EXPECT_EQ(RectOf(helper.row(5)), helper.start(5));

  // Meanwhile the user brings row 2 back, maximised: undo must not touch it.
  ShowWindow(helper.row(2), SW_SHOWMAXIMIZED);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(helper.row(2)) != 0; }, kSettleLimitMs));
  const Box maximised = RectOf(helper.row(2));

  ASSERT_TRUE(RunBanchiro(L"U"));
  ASSERT_TRUE(helper.Settle());
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(helper.row(1)) && !IsIconic(helper.row(3)); },
                        kPlacedLimitMs));
  for (int r : {1, 3}) {
    EXPECT_FALSE(IsIconic(helper.row(r))) << "row " << r << " was not restored";
    EXPECT_EQ(RectOf(helper.row(r)), helper.start(r)) << "row " << r;
  }
  EXPECT_TRUE(IsZoomed(helper.row(2))) << "undo restored a window the user had maximised";
  EXPECT_EQ(RectOf(helper.row(2)), maximised);
  EXPECT_TRUE(IsIconic(helper.row(4))) << "undo restored a window it had not minimised";
  EXPECT_FALSE(IsIconic(helper.row(5)));
}

TEST_F(ArrangeE2eTest, CloseAllAsksEachTakenWindowToCloseInRowOrder) {
  HelperWindows helper({W(L"E2E 1"), W(L"E2E 2"), W(L"E2E 3"),
                        W(L"E2E 最小化").State(Shown::kMinimised), W(L"E2E ばんちろ君 for Win")});
  ASSERT_TRUE(helper.ready()) << helper.failure();
  ASSERT_TRUE(RunBanchiro(L"A"));
  EXPECT_TRUE(helper.WaitForLogLine("destroy 3", kSettleLimitMs));
  ASSERT_TRUE(helper.Settle());
  // WM_CLOSE lets each program ask about unsaved work; WM_QUIT would end it
  // without asking.
  const std::vector<std::string> want = {"close 1 0 0", "close 2 0 0", "close 3 0 0"};
  EXPECT_EQ(helper.LogLines("close "), want);
  EXPECT_EQ(helper.LogLines("quit "), std::vector<std::string>{});
  for (int r = 1; r <= 3; ++r)
    EXPECT_FALSE(IsWindow(helper.row(r))) << "row " << r;
  EXPECT_TRUE(IsWindow(helper.row(4)));
  EXPECT_TRUE(IsWindow(helper.row(5)));
}

// --- Programs that do not answer, windows that go away ----------------------

TEST_F(ArrangeE2eTest, WindowThatDoesNotAnswerNeitherHoldsTheRunNorMissesItsPlace) {
  HelperWindows helper({W(L"E2E 1"), W(L"E2E 固まる").OwnThread(), W(L"E2E 3")});
  ASSERT_TRUE(helper.ready()) << helper.failure();
  // The first start of a program under Wine is slow; the 2 s are for the
  // arrangement, not for Wine loading the program.
  ASSERT_TRUE(RunBanchiro(L"Z"));
  PostMessageW(helper.row(2), WM_APP + 1, kFreezeMs, 0);
  ASSERT_TRUE(helper.WaitForLogLine("freeze 2 " + std::to_string(kFreezeMs), kSettleLimitMs));

  const std::vector<Box> want = {{70, 70, 884, 199}, {70, 269, 884, 199}, {70, 469, 884, 199}};
  {
    Child banchiro(Banchiro(L"G"));
    ASSERT_TRUE(banchiro.started());
    EXPECT_TRUE(banchiro.WaitForExit(kHungEndLimitMs)) << "the run waited for the frozen window";
    ASSERT_TRUE(banchiro.WaitForExit(kFreezeMs + kRunLimitMs));
  }
  ASSERT_TRUE(e2e::Settle(helper.row(1), kSettleLimitMs));
  EXPECT_TRUE(WaitUntil([&] { return RectOf(helper.row(3)) == want[2]; }, kPlacedLimitMs));
  EXPECT_EQ(RectOf(helper.row(1)), want[0]);
  EXPECT_EQ(RectOf(helper.row(3)), want[2]);
  EXPECT_TRUE(helper.LogLines("thaw ").empty()) << "the window woke too early for this test";

  ASSERT_TRUE(helper.WaitForLogLine("thaw 2", kFreezeMs + kSettleLimitMs));
  EXPECT_TRUE(e2e::Settle(helper.row(2), kSettleLimitMs));
  EXPECT_TRUE(WaitUntil([&] { return RectOf(helper.row(2)) == want[1]; }, kPlacedLimitMs));
  EXPECT_EQ(RectOf(helper.row(2)), want[1]) << "the frozen window did not get its place";
}

TEST_F(ArrangeE2eTest, WindowClosedDuringTheRunLeavesTheOthersInPlace) {
  // Row 2 goes as soon as the first window is moved, whichever end the
  // moves start from: it was collected but is gone when its turn comes.
  HelperWindows helper({W(L"E2E 1"), W(L"E2E 消える").Vanish(), W(L"E2E 3")});
  ASSERT_TRUE(helper.ready()) << helper.failure();
  ASSERT_TRUE(RunBanchiro(L"G"));
  ASSERT_TRUE(helper.Settle());
  ASSERT_TRUE(helper.WaitForLogLine("vanish 2", kPlacedLimitMs))
      << "no window was moved while row 2 existed";
  EXPECT_FALSE(IsWindow(helper.row(2)));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return RectOf(helper.row(3)) == Box{70, 469, 884, 199};
      },
      kPlacedLimitMs));
  EXPECT_EQ(RectOf(helper.row(1)), (Box{70, 70, 884, 199}));
  EXPECT_EQ(RectOf(helper.row(3)), (Box{70, 469, 884, 199}));
}

// --- The command line --------------------------------------------------------

class CommandTailE2eTest : public ArrangeE2eTest,
                           public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(CommandTailE2eTest, AnythingButOneMethodLetterDoesNothing) {
  HelperWindows helper(PlainWindows(2));
  ASSERT_TRUE(helper.ready()) << helper.failure();
  ASSERT_TRUE(RunBanchiro(GetParam()));
  ExpectRects(helper, helper.starts());
  for (int r = 1; r <= 2; ++r)
    EXPECT_FALSE(IsIconic(helper.row(r))) << "row " << r;
}

INSTANTIATE_TEST_SUITE_P(Tails, CommandTailE2eTest,
                         ::testing::Values(L"/M", L"MM", L"M ", L"-G", L"X", L"1", L"GG"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                           return "tail_" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace banchiro::e2e
