// The Win32 settings store and the Explorer verbs against the real registry.
#include "drivers.h"
#include "platform/win32/registry.h"
#include "platform/win32/utf.h"
#include "settings/load_settings.h"

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
// data is cut at a whole character, and a very long value is read whole.
// So a typed value survives the load instead of giving way to its default.
TEST_F(RegistryStoreE2eTest, ReadsEveryTextTypeAsTextAndTheLoadKeepsIt) {
  win32::RegistrySettingsStore store{"BANCHIRO"};
  std::wstring long_text(100000, L'窓');
  long_text.back() = L'終';
  const struct {
    DWORD type;
    std::vector<BYTE> data;
    std::string text;
  } cases[] = {
      {REG_DWORD, {0, 0, 0, 0}, "0"},
      {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {REG_QWORD, {0, 0, 0, 0, 0, 1, 0, 0}, "1099511627776"},
      {REG_DWORD, {1, 0, 0}, ""},
      {REG_BINARY, {'1', 0, 0, 0}, ""},
      {REG_EXPAND_SZ, Bytes(std::wstring_view(L"%WinDir%\\B O", 13)), "%WinDir%\\B O"},
      {REG_MULTI_SZ, Bytes(std::wstring_view(L"a\0b\0", 5)), "a"},
      {REG_SZ, {'1', 0, '2', 0, '3'}, "12"},
      {REG_SZ, {'1', 0, 0, 0, 'x', 0, 0, 0}, "1"},
      {REG_SZ, Bytes(long_text), win32::Narrow(long_text)},
      {REG_NONE, {}, ""},
  };
  const std::wstring config = store.SectionPath("BANCHIRO", "Config");
  const auto put = [&](const std::wstring& section, const wchar_t* name, DWORD type,
                       const std::vector<BYTE>& data) {
    RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), name, type, data.data(),
                    static_cast<DWORD>(data.size()));
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = "Case" + std::to_string(i);
    put(config, win32::Widen(name).c_str(), cases[i].type, cases[i].data);
    EXPECT_TRUE(store.Read("Config", name) == cases[i].text) << name;
  }
  for (const auto& [key, part] : {std::pair{"OptMaj", "6"}, {"OptMir", "6"}, {"OptRev", "0"}})
    SetString("Config", key, part);  // settings of this version keep their commands
  put(config, L"OptTBar", REG_DWORD, {0, 0, 0, 0});
  put(store.SectionPath("BANCHIRO", "DispMethod"), L"D_Method(4)", REG_EXPAND_SZ,
      Bytes(std::wstring_view(L"BANCHIRO.EXE O", 15)));
  win32::Win32MessageBoxes boxes;
  win32::Win32Process process;
  Settings settings;
  ASSERT_TRUE(LoadSettings(settings, store, boxes, process, {}));
  EXPECT_EQ(settings.OptTBar + "|" + settings.D_Method[4], "0|BANCHIRO.EXE O");
  DWORD type = 0;
  RegGetValueW(HKEY_CURRENT_USER, config.c_str(), L"OptTBar", RRF_RT_ANY, &type, nullptr, nullptr);
  EXPECT_EQ(type, DWORD{REG_DWORD}) << "rewritten";
}

// A verb runs once for a whole selection; removing it also removes the one
// an earlier version left in the machine's classes.
TEST_F(RegistryStoreE2eTest, VerbsRunOnceForASelectionAndGoFromEveryClassStore) {
  const std::wstring verb = L"Folder\\shell\\元に戻す(&U)", user = L"Software\\Classes\\" + verb;
  win32::Win32ShellVerbs verbs;
  verbs.Set(VerbPlace::kFolders, "元に戻す(&U)", "\"C:\\B\\BANCHIRO.EXE\" U");
  EXPECT_EQ(win32::ReadRegistryString(HKEY_CURRENT_USER, user + L"\\COMMAND", L""),
            L"\"C:\\B\\BANCHIRO.EXE\" U");
  EXPECT_EQ(win32::ReadRegistryString(HKEY_CURRENT_USER, user, L"MultiSelectModel"), L"Single");
  const std::wstring machine = L"Software\\Classes\\" + verb + L"\\COMMAND";
  win32::WriteRegistryString(HKEY_LOCAL_MACHINE, machine, L"", L"E:\\Tools\\BANCHIRO U");
  verbs.Remove(VerbPlace::kFolders, "元に戻す(&U)");
  const auto exists = [](HKEY root, const std::wstring& key) {
    win32::UniqueHKey open;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, open.put()) == ERROR_SUCCESS;
  };
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, user));
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + verb));
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + verb).c_str());
}

}  // namespace
}  // namespace banchiro::e2e
