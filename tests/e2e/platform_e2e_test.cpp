// The Win32 settings store against the real registry, and the resources the
// program file carries.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

namespace banchiro::e2e {
namespace {

// Only REG_SZ is text: any other type reads as not set, odd or unterminated
// data is cut at a whole character, and a very long value is read whole.
TEST(RegistryStoreE2eTest, ReadsOnlyStringsCutsOddDataAndReadsLongValuesWhole) {
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
  DeleteAllSettings();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string name = "Case" + std::to_string(i);
    SetRaw("Config", name, cases[i].type, cases[i].data.data(),
           static_cast<DWORD>(cases[i].data.size()));
    EXPECT_TRUE(store.Read("Config", name) == cases[i].text) << name;
  }
  DeleteAllSettings();
}

TEST(ProgramFileE2eTest, CarriesVersionManifestAndIcon) {
  const std::wstring path = ProgramPath(L"BANCHIRO.EXE");
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  wchar_t* product = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104b0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_STREQ(product, L"ばんちろ君 for Win");

  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string xml(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                        SizeofResource(module, manifest));
  for (const char* needle : {"Microsoft.Windows.Common-Controls", "asInvoker", "dpiAware"})
    EXPECT_NE(xml.find(needle), std::string::npos) << needle;
  HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(icon, nullptr);
  DestroyIcon(icon);
  FreeLibrary(module);
}

}  // namespace
}  // namespace banchiro::e2e
