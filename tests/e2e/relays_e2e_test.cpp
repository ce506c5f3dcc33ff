// Starting and stopping real KOVRAN.EXE relays the way the resident program
// does, from this process (which lies beside KOVRAN.EXE like BANCHIRO.EXE).
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/relays.h"
#include "e2e_support.h"
#include "platform/win32/win32_platform.h"

namespace banchiro::e2e {
namespace {

bool ProcessEnds(DWORD pid, DWORD timeout_ms) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return true;  // already gone
  const bool ended = WaitForSingleObject(process, timeout_ms) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

class RelaysE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteAllSettings();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\KOVRAN");
    settings.Fkey.fill("0");
    for (int n = 0; n < kMethodCount; ++n)
      settings.D_Method[n] = MethodCommand(n);
    for (int k = 0; k < kFunctionKeyNameCount; ++k) {
      settings.function_key_names[k] = FunctionKeyName(k);
    }
  }
  void TearDown() override {
    StopRelays(platform.platform, relays);
    DeleteAllSettings();
  }

  win32::Win32Platform platform;
  Settings settings;
  RelayTable relays;
};

TEST_F(RelaysE2eTest, EveryRelayIsRecordedWithItsOwnWindowAndStopped) {
  settings.Fkey[4] = "5";
  settings.Fkey[13] = "12";
  StartRelays(platform.platform, settings, relays);
  ASSERT_EQ(relays.count, 2);
  for (int i = 0; i < 2; ++i) {
    const auto& entry = relays.entries[i];
    HWND window = reinterpret_cast<HWND>(std::stoll(entry.window_text));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, entry.process) << i;
    EXPECT_FALSE(IsWindowVisible(window)) << "a relay never shows itself";
  }
  EXPECT_NE(relays.entries[0].process, relays.entries[1].process);
  EXPECT_EQ(GetString(L"DispMethod", L"SnedDispMethod"), L"BANCHIRO.EXE A");

  StopRelays(platform.platform, relays);
  for (int i = 0; i < 2; ++i)
    EXPECT_TRUE(ProcessEnds(relays.entries[i].process, 5000)) << i;
}

TEST_F(RelaysE2eTest, AStaleHandleOfAnotherProgramEndsNothing) {
  settings.Fkey[0] = "3";
  StartRelays(platform.platform, settings, relays);
  ASSERT_EQ(relays.count, 1);
  // The relay dies on its own; its handle now names a window of an
  // unrelated program.
  const DWORD relay = relays.entries[0].process;
  HANDLE killer = OpenProcess(PROCESS_TERMINATE, FALSE, relay);
  ASSERT_NE(killer, nullptr);
  TerminateProcess(killer, 0);
  CloseHandle(killer);
  ASSERT_TRUE(ProcessEnds(relay, 5000));
  Child unrelated(L"\"" + ProgramPath(L"desk_helper.exe") + L"\" keeper");
  HWND other = WaitForWindow(unrelated.pid(), L"E2EKeeper", nullptr, 10000);
  ASSERT_NE(other, nullptr);
  relays.entries[0].window_text = std::to_string(reinterpret_cast<std::intptr_t>(other));

  StopRelays(platform.platform, relays);
  EXPECT_TRUE(unrelated.Running()) << "an unrelated program was ended";
  PostMessageW(other, WM_CLOSE, 0, 0);
  EXPECT_TRUE(unrelated.WaitForExit(5000));
}

TEST_F(RelaysE2eTest, ARelayWhoseKeyIsTakenGetsNoEntry) {
  // This process holds Ctrl+F7, so the relay for it says so and publishes nothing.
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_NOREPEAT, VK_F7));
  settings.Fkey[2] = "7";
  settings.Fkey[3] = "8";
  StartRelays(platform.platform, settings, relays);
  UnregisterHotKey(nullptr, 7);
  ASSERT_EQ(relays.count, 1);
  EXPECT_EQ(GetString(L"DispMethod", L"SnedDispMethod"), L"BANCHIRO.EXE J");
  // The relay that did not publish was ended with its message box: none of
  // it is left on the desktop.
  HWND box = nullptr;
  while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_EQ(std::wstring(text).find(L"Ｆ７"), std::wstring::npos) << "a relay's box is left";
  }
}

}  // namespace
}  // namespace banchiro::e2e
