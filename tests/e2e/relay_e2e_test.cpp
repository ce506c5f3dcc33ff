// KOVRAN.EXE, the hot-key relay, started the way BANCHIRO starts it (show
// state minimised, the handle cleared first), against the real registry and
// real hot keys pressed through SendInput.
#include <windows.h>
#include <tlhelp32.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/registry.h"
#include "relay_driver.h"

namespace banchiro::e2e {
namespace {

// --- a press of the relay's key runs the handed-over command ---------

TEST_F(RelayE2eTest, HotKeyRunsBanchiroWhichStacksTheWindows) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  ASSERT_EQ(work.right - work.left, 1024);
  ASSERT_EQ(work.bottom - work.top, 738);

  HandOver(L"BANCHIRO.EXE G");
  ClearPublishedHandle();
  // Started elsewhere than its own folder: BANCHIRO.EXE must still be found.
  Relay relay(ProgramPath(L"KOVRAN.EXE"), L"F5", WindowsFolder());
  ASSERT_TRUE(relay.started());
  ASSERT_TRUE(relay.WaitForPublishedWindow()) << "the relay did not publish its window";

  OwnWindows own(3, L"relay e2e stack");
  ASSERT_EQ(own.windows().size(), 3u);
  const std::vector<HWND> rows = own.InZOrder();
  ASSERT_EQ(rows.size(), 3u);

  PressCtrlF(5);
  const int n = static_cast<int>(rows.size());
  const double height = 598.0 / n;
  auto expected = [&](int row) {
    const int top = static_cast<int>(std::lround(70 + height * row));
    return RECT{70, top, 70 + 884, top + static_cast<int>(std::lround(height))};
  };
  auto stacked = [&] {
    for (int row = 0; row < n; ++row) {
      RECT actual{};
      const RECT want = expected(row);
      GetWindowRect(rows[row], &actual);
      if (!EqualRect(&actual, &want)) return false;
    }
    return true;
  };
  const bool arranged = PumpUntil(kArrangeLimitMs, stacked);
  for (int row = 0; row < n; ++row) {
    RECT actual{};
    GetWindowRect(rows[row], &actual);
    const RECT want = expected(row);
    EXPECT_TRUE(EqualRect(&actual, &want))
        << "row " << row + 1 << ": (" << actual.left << "," << actual.top << ","
        << actual.right - actual.left << "," << actual.bottom - actual.top << "), expected ("
        << want.left << "," << want.top << "," << want.right - want.left << ","
        << want.bottom - want.top << ")";
  }
  EXPECT_TRUE(arranged);
  // The relay serves on after a press.
  EXPECT_TRUE(relay.Running());
  EXPECT_TRUE(PublishedWindowOf(relay.pid()));
}

// --- where the started program is looked for, and where it runs -----

TEST_F(RelayE2eTest, TheCommandRunsFromTheRelaysFolderWhateverItsCurrentFolder) {
  // A folder with blanks and Japanese in its name, holding a copy of the
  // relay and of the probe; the relay's current folder is elsewhere.
  const std::wstring folder = TempFolder(L"kovran e2e ばんちろ");
  const std::wstring relay_copy = folder + L"\\KOVRAN.EXE";
  const std::wstring probe_copy = folder + L"\\relay_probe.exe";
  ASSERT_TRUE(CopyFileW(ProgramPath(L"KOVRAN.EXE").c_str(), relay_copy.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(RunnerProgram().c_str(), probe_copy.c_str(), FALSE));

  HandOver(std::wstring(L"relay_probe.exe") + kProbeArguments);
  ClearPublishedHandle();
  {
    Relay relay(relay_copy, L"F11", WindowsFolder());
    ASSERT_TRUE(relay.started());
    ASSERT_TRUE(relay.WaitForPublishedWindow());
    PressCtrlF(11);
    ASSERT_TRUE(PumpUntil(kProbeLimitMs, [] { return ProbeRecord(L"program").has_value(); }))
        << "the probe did not run";
    EXPECT_EQ(ProbeRecord(L"program"), probe_copy);
    EXPECT_EQ(ProbeRecord(L"folder"), folder);
    // Lets the probe go; the relay then ends with the test.
    RegDeleteTreeW(HKEY_CURRENT_USER, kProbeKey);
  }
  DeleteFileW(relay_copy.c_str());
  DeleteFileW(probe_copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(RelayE2eTest, AProgramOnlyInTheRelaysCurrentFolderIsNotRun) {
  // The name is in the relay's current folder and not beside the relay: a
  // search (which looks in the current folder) would find and run it. The
  // other hot-key tests show that a press reaches a relay.
  const std::wstring folder = TempFolder(L"kovran e2e decoy");
  const std::wstring decoy = folder + L"\\relay_decoy.exe";
  ASSERT_TRUE(CopyFileW(RunnerProgram().c_str(), decoy.c_str(), FALSE));
  HandOver(std::wstring(L"relay_decoy.exe") + kProbeArguments);
  ClearPublishedHandle();
  {
    Relay relay(ProgramPath(L"KOVRAN.EXE"), L"F12", folder);
    ASSERT_TRUE(relay.started());
    HWND window = relay.WaitForPublishedWindow();
    ASSERT_TRUE(window);
    PressCtrlF(12);
    // Posted after the press, so handled after it: once the relay has ended,
    // whatever the press started is running (the probe waits to be let go).
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(relay.WaitForExit(kEndLimitMs), std::optional<DWORD>(kExitServed));
    EXPECT_TRUE(ChildrenOf(relay.pid()).empty()) << "the relay started a program";
    EXPECT_FALSE(ProbeRecord(L"program"));
  }
  DeleteFileW(decoy.c_str());
  RemoveDirectoryW(folder.c_str());
}

// --- a key that another program holds -------------------------------

enum class Holder { kAnotherRelay, kAnotherProgram };

class RelayKeyTakenE2eTest : public RelayE2eTest, public ::testing::WithParamInterface<Holder> {};

TEST_P(RelayKeyTakenE2eTest, SaysSoOncePublishesNothingAndEnds) {
  constexpr int kKey = 8;
  HandOver(L"BANCHIRO.EXE G");
  std::optional<Relay> first;
  constexpr int kOwnId = 0x7AC;
  if (GetParam() == Holder::kAnotherRelay) {
    ClearPublishedHandle();
    first.emplace(L"F8");
    ASSERT_TRUE(first->WaitForPublishedWindow());
  } else {
    ASSERT_TRUE(RegisterHotKey(nullptr, kOwnId, MOD_CONTROL | MOD_NOREPEAT, VK_F8));
  }

  ClearPublishedHandle();
  Relay second(L"F8");
  ASSERT_TRUE(second.started());
  // Started minimised, yet the box must come up visible (it is created
  // hidden and shown once filled in).
  HWND box = nullptr;
  PumpUntil(kPublishLimitMs, [&] {
    for (HWND window : VisibleTopLevelWindows(second.pid())) {
      if (ClassName(window) == L"#32770") box = window;
    }
    return box != nullptr;
  });
  ASSERT_TRUE(box) << "no visible message box";
  EXPECT_EQ(WindowText(box), L"ホットキー確認");
  EXPECT_FALSE(IsIconic(box));
  std::vector<std::wstring> texts;
  std::vector<HWND> buttons;
  bool has_icon = false;
  for (HWND child : ChildWindows(box)) {
    const std::wstring class_name = ClassName(child);
    if (class_name == L"Button") buttons.push_back(child);
    if (class_name == L"Static") {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) has_icon = true;
      if (!WindowText(child).empty()) texts.push_back(WindowText(child));
    }
  }
  EXPECT_EQ(texts, std::vector<std::wstring>{L"Ctrl＋Ｆ８ は他のプログラムが使用しています。"});
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(GetDlgCtrlID(buttons[0]), IDOK);
  EXPECT_TRUE(has_icon);
  EXPECT_EQ(PublishedText(), L"");

  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(buttons[0]));
  EXPECT_EQ(second.WaitForExit(kEndLimitMs), std::optional<DWORD>(kExitKeyTaken));
  EXPECT_EQ(PublishedText(), L"");
  if (first) {
    // The holder is untouched and keeps serving.
    EXPECT_TRUE(first->Running());
    EXPECT_FALSE(HotKeyIsFree(kKey));
  } else {
    UnregisterHotKey(nullptr, kOwnId);
  }
}

INSTANTIATE_TEST_SUITE_P(RelayHolders, RelayKeyTakenE2eTest,
                         ::testing::Values(Holder::kAnotherRelay, Holder::kAnotherProgram),
                         [](const ::testing::TestParamInfo<Holder>& info) {
                           return info.param == Holder::kAnotherRelay ? "AnotherRelay"
                                                                      : "AnotherProgram";
                         });

// --- the probe --------------------------------------------------------------

// Run only as a program that a relay starts (see kProbeArguments): records
// where it runs from and in which folder, then stays until the test has
// looked (it deletes the record), so that a test can also tell whether
// anything was started at all.
TEST(RelayProbe, DISABLED_RecordHowItWasStarted) {
  std::freopen("NUL", "w", stdout);
  wchar_t folder[MAX_PATH * 4] = {};
  GetCurrentDirectoryW(MAX_PATH * 4, folder);
  wchar_t program[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH * 4);
  ASSERT_TRUE(win32::WriteRegistryString(HKEY_CURRENT_USER, kProbeKey, L"folder", folder));
  ASSERT_TRUE(win32::WriteRegistryString(HKEY_CURRENT_USER, kProbeKey, L"program", program));
  PumpUntil(kProbeLimitMs, [] { return !ProbeRecord(L"program"); });
}

}  // namespace
}  // namespace banchiro::e2e
