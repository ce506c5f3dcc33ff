// KOVRAN.EXE over its life: never visible, refusing any argument but one
// function key, and ending (however it is ended) with its key given back.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "relay_driver.h"

namespace banchiro::e2e {
namespace {

// --- nothing on the screen or the taskbar ---------------------------

class RelayShowStateE2eTest : public RelayE2eTest, public ::testing::WithParamInterface<WORD> {};

TEST_P(RelayShowStateE2eTest, NeverVisibleAndNoTaskbarButton) {
  HandOver(L"BANCHIRO.EXE G");
  ClearPublishedHandle();
  Relay relay(ProgramPath(L"KOVRAN.EXE"), L"F6", RunnerFolder(), GetParam());
  ASSERT_TRUE(relay.started());
  HWND window = relay.WaitForPublishedWindow();
  ASSERT_TRUE(window);

  // A window of our own gets its button once the taskbar has caught up with
  // every window created before it, the relay's included.
  OwnWindows control(1, L"relay e2e taskbar control");
  ASSERT_EQ(control.windows().size(), 1u);
  HWND own = control.windows().front();
  ASSERT_TRUE(PumpUntil(kPublishLimitMs, [own] { return TaskbarShows(own); }))
      << "the taskbar does not show a plain visible window";

  EXPECT_TRUE(VisibleTopLevelWindows(relay.pid()).empty());
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(TaskbarShows(window));
  EXPECT_TRUE(relay.Running());
}

INSTANTIATE_TEST_SUITE_P(RelayShowStates, RelayShowStateE2eTest,
                         ::testing::Values(static_cast<WORD>(SW_SHOWMINIMIZED),
                                           static_cast<WORD>(SW_SHOWNORMAL),
                                           static_cast<WORD>(SW_SHOWMAXIMIZED)));

// --- anything but one function key ends the relay at once ----------

class RelayBadArgumentE2eTest : public RelayE2eTest,
                                public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(RelayBadArgumentE2eTest, EndsAtOncePublishingNothing) {
  HandOver(L"BANCHIRO.EXE G");
  Relay relay(GetParam());
  ASSERT_TRUE(relay.started());
  EXPECT_EQ(relay.WaitForExit(kEndLimitMs), std::optional<DWORD>(kExitBadArgument));
  EXPECT_FALSE(PublishedText());
  EXPECT_TRUE(HotKeyIsFree(1));
}

INSTANTIATE_TEST_SUITE_P(RelayArguments, RelayBadArgumentE2eTest,
                         ::testing::Values(L"", L"F0", L"F13", L"F1 x", L"/F1", L"\"F1\"", L"F01",
                                           L"Ｆ１"));

// --- how a relay is ended --------------------------------------------

enum class Ending { kTerminateWindowOwner, kClose, kEndSession };

class RelayEndingE2eTest : public RelayE2eTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(RelayEndingE2eTest, EndsAndGivesTheKeyBack) {
  constexpr int kKey = 9;
  HandOver(L"BANCHIRO.EXE G");
  ClearPublishedHandle();
  Relay relay(L"F9");
  ASSERT_TRUE(relay.started());
  HWND window = relay.WaitForPublishedWindow();
  ASSERT_TRUE(window);
  ASSERT_FALSE(HotKeyIsFree(kKey));

  DWORD expected_code = kExitServed;
  switch (GetParam()) {
    case Ending::kTerminateWindowOwner:
      // What BANCHIRO does at its end: it knows only the published window.
      ASSERT_TRUE(Terminate(OwnerOf(window)));
      expected_code = 99;
      break;
    case Ending::kClose:
      PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    case Ending::kEndSession: {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                          kEndLimitMs, &answer);
      EXPECT_TRUE(answer) << "the relay must not hold the session up";
      SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                          kEndLimitMs, &answer);
      break;
    }
  }
  EXPECT_EQ(relay.WaitForExit(kEndLimitMs), std::optional<DWORD>(expected_code));
  EXPECT_TRUE(PumpUntil(kEndLimitMs, [] { return HotKeyIsFree(kKey); }));
}

INSTANTIATE_TEST_SUITE_P(RelayEndings, RelayEndingE2eTest,
                         ::testing::Values(Ending::kTerminateWindowOwner, Ending::kClose,
                                           Ending::kEndSession),
                         [](const ::testing::TestParamInfo<Ending>& info) {
                           switch (info.param) {
                             case Ending::kTerminateWindowOwner:
                               return "TerminateWindowOwner";
                             case Ending::kClose:
                               return "Close";
                             case Ending::kEndSession:
                               return "EndSession";
                           }
                           return "Unknown";
                         });

}  // namespace
}  // namespace banchiro::e2e
