// The Win32 settings store and the Explorer verbs against the real registry,
// and the developer's log file.
#include "common/function_keys.h"
#include "drivers.h"
#include "platform/win32/win32_log.h"

namespace banchiro::e2e {
namespace {

using RegistryStoreE2eTest = E2eTest;

std::vector<BYTE> Bytes(std::wstring_view text) {
  const auto* data = reinterpret_cast<const BYTE*>(text.data());
  return std::vector<BYTE>(data, data + text.size() * sizeof(wchar_t));
}

// Every type that holds text reads as that text (numbers in decimal, an
// expandable string unexpanded, a multi-string to its first end); binary
// data and numbers of the wrong size read as not set; odd or unterminated
// data is cut at a whole character, and a very long value is read whole:
// so the load keeps a typed value instead of writing its default.
TEST_F(RegistryStoreE2eTest, ReadsEveryTextTypeAsText) {
  win32::RegistrySettingsStore store{"BANCHIRO"};
  std::wstring long_text(100000, L'窓');
  long_text.back() = L'終';
  const struct {
    const char *section, *name;
    DWORD type;
    std::vector<BYTE> data;
    std::string text;
  } cases[] = {
      {"Config", "OptTBar", REG_DWORD, {0, 0, 0, 0}, "0"},
      {"Config", "A", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {"Config", "B", REG_QWORD, {0, 0, 0, 0, 0, 1, 0, 0}, "1099511627776"},
      {"Config", "C", REG_DWORD, {1, 0, 0}, ""},
      {"Config", "D", REG_BINARY, {'1', 0, 0, 0}, ""},
      {"DispMethod", "D_Method(4)", REG_EXPAND_SZ, Bytes(L"BANCHIRO.EXE O"), "BANCHIRO.EXE O"},
      {"Config", "E", REG_EXPAND_SZ, Bytes(L"%WinDir%"), "%WinDir%"},
      {"Config", "F", REG_MULTI_SZ, Bytes(std::wstring_view(L"a\0b\0", 5)), "a"},
      {"Config", "G", REG_SZ, {'6', 0, '6', 0, '3'}, "66"},
      {"Config", "H", REG_SZ, {'6', 0, 0, 0, 'x', 0, 0, 0}, "6"},
      {"Config", "I", REG_SZ, Bytes(long_text), win32::Narrow(long_text)},
  };
  for (const auto& c : cases) {
    RegSetKeyValueW(HKEY_CURRENT_USER, store.SectionPath("BANCHIRO", c.section).c_str(),
                    win32::Widen(c.name).c_str(), c.type, c.data.data(),
                    static_cast<DWORD>(c.data.size()));
    EXPECT_TRUE(store.Read(c.section, c.name) == c.text) << c.name;
  }
}

// A verb runs once for a whole selection; removing it also removes the one
// an earlier version left in the machine's classes.
TEST_F(RegistryStoreE2eTest, VerbsRunOnceForASelectionAndGoFromEveryClassStore) {
  const std::wstring verb = L"Software\\Classes\\Folder\\shell\\元に戻す(&U)";
  win32::Win32ShellVerbs verbs;
  verbs.Set(VerbPlace::kFolders, "元に戻す(&U)", "\"C:\\B\\BANCHIRO.EXE\" U");
  EXPECT_EQ(win32::ReadRegistryString(HKEY_CURRENT_USER, verb, L"MultiSelectModel"), L"Single");
  win32::WriteRegistryString(HKEY_LOCAL_MACHINE, verb + L"\\COMMAND", L"", L"E:\\T\\BANCHIRO U");
  verbs.Remove(VerbPlace::kFolders, "元に戻す(&U)");
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    win32::UniqueHKey left;
    EXPECT_NE(RegOpenKeyExW(root, verb.c_str(), 0, KEY_READ, left.put()), ERROR_SUCCESS);
  }
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, verb.c_str());
}

// With BANCHIRO_LOG naming a file, a settings write of this process that
// the registry refuses (a value name beyond its limit) and a relay whose hot
// key another program holds each append their line.
TEST_F(RegistryStoreE2eTest, FailuresReachTheFileTheEnvironmentNames) {
  const std::wstring file = RunnerFolder() + L"\\devlog.txt";
  DeleteFileW(file.c_str());
  ASSERT_TRUE(SetEnvironmentVariableW(win32::kLogFileVariable, file.c_str()));
  const std::string name(17000, 'k');
  {
    const win32::Win32LogSink log("E2E");
    EXPECT_FALSE(win32::RegistrySettingsStore("DEVLOG").Write("Long", name, "1"));
  }
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_NOREPEAT, VK_F9));
  Child relay(L"\"" + ProgramPath(L"KOVRAN.EXE") + L"\" F9");
  const auto logged = [&] {
    std::ifstream in(file.c_str());
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string taken = "] RegisterHotKey failed: " + HotKeyCaption(9) + " (error ";
  EXPECT_TRUE(WaitUntil([&] { return logged().find(taken) != std::string::npos; }, kStartLimitMs));
  UnregisterHotKey(nullptr, 1);
  SetEnvironmentVariableW(win32::kLogFileVariable, nullptr);
  const std::string text = logged();
  EXPECT_NE(text.find(" E2E[" + std::to_string(GetCurrentProcessId()) +
                      "] settings write failed: DEVLOG\\Long\\" + name + " (error "),
            std::string::npos)
      << text.substr(0, 200);
  EXPECT_NE(text.find(" KOVRAN[" + std::to_string(relay.pid()) + taken), std::string::npos) << text;
  if (HWND box = WaitForWindow(relay.pid(), L"#32770", kUiLimitMs)) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  EXPECT_TRUE(relay.WaitForExit(kUiLimitMs));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\DEVLOG");
  DeleteFileW(file.c_str());
}

}  // namespace
}  // namespace banchiro::e2e
