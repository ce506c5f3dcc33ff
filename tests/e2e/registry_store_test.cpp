// The Win32 settings store against the real (Wine) registry.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

namespace banchiro::e2e {
namespace {

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteAllSettings(); }
  void TearDown() override { DeleteAllSettings(); }
  win32::RegistrySettingsStore store{"BANCHIRO"};
};

TEST_F(RegistryStoreTest, WritesRegSzUnderTheSectionKey) {
  EXPECT_EQ(store.Read("Config", "OptCas"), "");
  store.Write("Exclude", "JogaiWid(0)", "ばんちろ君 for Win");
  store.Write("Exclude", "JogaiWid(3)", "𠮷野家 — ①");
  const auto raw = GetRaw(L"Exclude", L"JogaiWid(0)");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(GetString(L"Exclude", L"JogaiWid(0)"), L"ばんちろ君 for Win");
  EXPECT_EQ(store.Read("Exclude", "JogaiWid(0)"), "ばんちろ君 for Win");
  EXPECT_EQ(store.Read("Exclude", "JogaiWid(3)"), "𠮷野家 — ①");
  store.Write("Exclude", "JogaiWid(0)", "");
  EXPECT_EQ(store.Read("Exclude", "JogaiWid(0)"), "");
  EXPECT_EQ(GetString(L"Exclude", L"JogaiWid(0)"), L"");
}

TEST_F(RegistryStoreTest, ValuesOfOtherTypesReadAsNotSet) {
  const DWORD number = 5;
  const BYTE bytes[] = {'1', 0, '2', 0, 0, 0};
  const wchar_t multi[] = L"1\0002\0";
  SetRaw(L"Config", L"OptCas", REG_DWORD, &number, sizeof number);
  SetRaw(L"Config", L"OptLATab", REG_BINARY, bytes, sizeof bytes);
  SetRaw(L"Config", L"OptRun", REG_MULTI_SZ, multi, sizeof multi);
  SetRaw(L"Config", L"OptRel", REG_EXPAND_SZ, L"1", 4);
  SetRaw(L"Config", L"OptLogo", REG_NONE, nullptr, 0);
  for (const char* key : {"OptCas", "OptLATab", "OptRun", "OptRel", "OptLogo"}) {
    EXPECT_EQ(store.Read("Config", key), "") << key;
  }
}

TEST_F(RegistryStoreTest, OddAndUnterminatedDataIsCutSafely) {
  const struct {
    const char* name;
    std::vector<BYTE> data;
    const char* expected;
  } cases[] = {
      {"NoTerminator", {'1', 0, '2', 0}, "12"},
      {"OddLength", {'1', 0, '2', 0, '3'}, "12"},
      {"EmbeddedNul", {'1', 0, 0, 0, 'x', 0, 0, 0}, "1"},
      {"Empty", {}, ""},
      {"OneByte", {'7'}, ""},
      {"LoneSurrogate",
       {0x3D, 0xD8, 'a', 0, 0, 0},
       "\xEF\xBF\xBD"
       "a"},
  };
  for (const auto& c : cases) {
    SetRaw(L"Config", win32::Widen(c.name), REG_SZ, c.data.data(),
           static_cast<DWORD>(c.data.size()));
    EXPECT_EQ(store.Read("Config", c.name), c.expected) << c.name;
  }
}

TEST_F(RegistryStoreTest, VeryLongValuesAreReadWhole) {
  std::wstring text(100000, L'あ');
  text[99999] = L'終';
  SetString(L"Exclude", L"JogaiWid(5)", text);
  const std::string read = store.Read("Exclude", "JogaiWid(5)");
  EXPECT_EQ(win32::Widen(read), text);
  store.Write("Exclude", "JogaiWid(6)", read);
  EXPECT_EQ(GetString(L"Exclude", L"JogaiWid(6)"), text);
}

TEST(Utf8Conversion, RoundTripsAndReplacesInvalidInput) {
  for (const char* text : {"", "ascii", "ﾊﾞｰｼﾞｮﾝ確認", "𠮷", "C:\\ばんちろ\\BANCHIRO.HLP"}) {
    EXPECT_EQ(win32::Narrow(win32::Widen(text)), text);
  }
  EXPECT_EQ(win32::Widen("a\xFF"
                         "b"),
            L"a\xFFFD"
            L"b");
  EXPECT_EQ(win32::Narrow(std::wstring(L"x\xD800y")), "x\xEF\xBF\xBDy");
}

}  // namespace
}  // namespace banchiro::e2e
