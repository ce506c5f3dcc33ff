// The Win32 settings store against the real registry.
#include "drivers.h"
#include "platform/win32/utf.h"

namespace banchiro::e2e {
namespace {

using RegistryStoreE2eTest = E2eTest;

// Only REG_SZ is text: any other type reads as not set, odd or unterminated
// data is cut at a whole character, and a very long value is read whole.
TEST_F(RegistryStoreE2eTest, ReadsOnlyStringsCutsOddDataAndReadsLongValuesWhole) {
  win32::RegistrySettingsStore store{"BANCHIRO"};
  std::wstring long_text(100000, L'窓');
  long_text.back() = L'終';
  const struct {
    DWORD type;
    std::vector<BYTE> data;
    std::string text;
  } cases[] = {
      {REG_DWORD, {'1', 0, 0, 0}, ""},
      {REG_BINARY, {'1', 0, 0, 0}, ""},
      {REG_EXPAND_SZ, {'1', 0, 0, 0}, ""},
      {REG_SZ, {'1', 0, '2', 0}, "12"},
      {REG_SZ, {'1', 0, '2', 0, '3'}, "12"},
      {REG_SZ, {'1', 0, 0, 0, 'x', 0, 0, 0}, "1"},
      {REG_SZ,
       std::vector<BYTE>(reinterpret_cast<const BYTE*>(long_text.c_str()),
                         reinterpret_cast<const BYTE*>(long_text.c_str() + long_text.size())),
       win32::Narrow(long_text)},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = "Case" + std::to_string(i);
    RegSetKeyValueW(HKEY_CURRENT_USER, store.SectionPath("BANCHIRO", "Config").c_str(),
                    win32::Widen(name).c_str(), cases[i].type, cases[i].data.data(),
                    static_cast<DWORD>(cases[i].data.size()));
    EXPECT_TRUE(store.Read("Config", name) == cases[i].text) << name;
  }
}

}  // namespace
}  // namespace banchiro::e2e
