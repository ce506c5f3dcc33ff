// The Win32 settings store against the real registry, and the resources the
// program file carries.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

namespace banchiro::e2e {
namespace {

class RegistryStoreE2eTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteAllSettings(); }
  void TearDown() override { DeleteAllSettings(); }
  win32::RegistrySettingsStore store{"BANCHIRO"};
};

// Only REG_SZ is text; any other type reads as not set, and odd or
// unterminated data is cut at a whole character.
TEST_F(RegistryStoreE2eTest, ReadsOnlyStringsAndCutsOddDataSafely) {
  const struct {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    const char* text;
  } cases[] = {
      {"Number", REG_DWORD, {5, 0, 0, 0}, ""},
      {"Binary", REG_BINARY, {'1', 0, 0, 0}, ""},
      {"MultiString", REG_MULTI_SZ, {'1', 0, 0, 0, 0, 0}, ""},
      {"Expandable", REG_EXPAND_SZ, {'1', 0, 0, 0}, ""},
      {"NoType", REG_NONE, {}, ""},
      {"Unterminated", REG_SZ, {'1', 0, '2', 0}, "12"},
      {"OddLength", REG_SZ, {'1', 0, '2', 0, '3'}, "12"},
      {"EmbeddedNul", REG_SZ, {'1', 0, 0, 0, 'x', 0, 0, 0}, "1"},
      {"OneByte", REG_SZ, {'7'}, ""},
      {"LoneSurrogate",
       REG_SZ,
       {0x3D, 0xD8, 'a', 0, 0, 0},
       "\xEF\xBF\xBD"
       "a"},
  };
  for (const auto& c : cases) {
    SetRaw("Config", c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    EXPECT_EQ(store.Read("Config", c.name), c.text) << c.name;
  }
}

TEST_F(RegistryStoreE2eTest, VeryLongValuesAreReadWhole) {
  std::wstring text(100000, L'窓');
  text.back() = L'終';
  SetRaw("Exclude", "JogaiWid(5)", REG_SZ, text.c_str(),
         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  const std::string read = store.Read("Exclude", "JogaiWid(5)");
  EXPECT_EQ(win32::Widen(read), text);
  store.Write("Exclude", "JogaiWid(6)", read);
  EXPECT_EQ(GetString("Exclude", "JogaiWid(6)"), read);
}

TEST(ProgramFileE2eTest, CarriesVersionManifestAndIcon) {
  const std::wstring path = ProgramPath(L"BANCHIRO.EXE");
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  wchar_t* product = nullptr;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104b0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_STREQ(product, L"ばんちろ君 for Win");
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(6, 6)));

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
