// BANCHIRO.EXE started as a separate process against the real registry.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "expected_defaults.h"
#include "platform/win32/utf.h"

namespace banchiro::e2e {
namespace {

constexpr DWORD kStartLimitMs = 30000;
const wchar_t* const kSections[] = {L"Config", L"Position",   L"FunctionKey", L"DispMethod",
                                    L"hWnd",   L"RightClick", L"Exclude"};

std::wstring Banchiro() {
  return L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\"";
}

class SettingsE2eTest : public ::testing::Test {
 protected:
  // Every start of the program here is a one-shot start that ends.
  ResidentStandIn resident_;
  void SetUp() override { DeleteAllSettings(); }
  void TearDown() override { DeleteAllSettings(); }

  // Runs the program to its end; false when it did not end in time.
  static bool RunToEnd(DWORD* exit_code) {
    Child child(Banchiro());
    if (!child.started()) return false;
    return child.WaitForExit(kStartLimitMs, exit_code);
  }
  static void StoreVersion(const wchar_t* major, const wchar_t* minor, const wchar_t* revision) {
    SetString(L"Config", L"OptMaj", major);
    SetString(L"Config", L"OptMir", minor);
    SetString(L"Config", L"OptRev", revision);
  }
  static void ExpectCurrentVersionStored() {
    EXPECT_EQ(GetString(L"Config", L"OptMaj"), L"6");
    EXPECT_EQ(GetString(L"Config", L"OptMir"), L"6");
    EXPECT_EQ(GetString(L"Config", L"OptRev"), L"0");
  }
};

TEST_F(SettingsE2eTest, FirstStartWritesExactlyTheStoredDefaults) {
  DWORD code = 1;
  ASSERT_TRUE(RunToEnd(&code));
  EXPECT_EQ(code, 0u);
  std::map<std::pair<std::string, std::string>, std::string> stored;
  for (const wchar_t* section : kSections) {
    for (const auto& [name, text] : SectionValues(section)) {
      stored[{win32::Narrow(section), win32::Narrow(name)}] = win32::Narrow(text);
    }
  }
  EXPECT_EQ(stored, testing::FirstStartDefaults());
  // Positions are computed in memory on every start until a window stores one.
  for (const wchar_t* key : {L"S_Top", L"S_Left", L"F_Top", L"F_Left"}) {
    EXPECT_FALSE(GetRaw(L"Position", key)) << win32::Narrow(key);
  }
}

struct VersionCase {
  const wchar_t *major, *minor, *revision;
  bool newer;
  bool commands_reset;
};

class VersionRecordE2eTest : public SettingsE2eTest,
                             public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionRecordE2eTest, RewritesTheVersionAndGuardsAgainstNewerSettings) {
  const VersionCase& c = GetParam();
  StoreVersion(c.major, c.minor, c.revision);
  for (int n = 0; n < 14; ++n) {
    SetString(L"DispMethod", L"D_Method(" + std::to_wstring(n) + L")", L"custom.exe /x");
  }
  Child child(Banchiro());
  ASSERT_TRUE(child.started());
  if (c.newer) {
    HWND box = WaitForWindow(child.pid(), L"#32770", L"ﾊﾞｰｼﾞｮﾝ確認", kStartLimitMs);
    ASSERT_NE(box, nullptr) << "no version message";
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"最新版の「ばんちろ君」をお使い下さい。");
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    // The message is the only thing the program shows.
    const auto windows = VisibleTopLevelWindows(child.pid());
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0], box);
    EXPECT_TRUE(child.Running()) << "the program must wait for the answer";
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(child.WaitForExit(kStartLimitMs)) << "the program did not end after OK";
    ExpectCurrentVersionStored();
    // Nothing else of the settings is touched before the end.
    EXPECT_FALSE(GetRaw(L"Config", L"OptLogo"));
    EXPECT_FALSE(GetRaw(L"Config", L"OptStat"));
    EXPECT_EQ(GetString(L"DispMethod", L"D_Method(0)"), L"custom.exe /x");
    return;
  }
  DWORD code = 1;
  ASSERT_TRUE(child.WaitForExit(kStartLimitMs, &code));
  EXPECT_EQ(code, 0u);
  ExpectCurrentVersionStored();
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"1");
  const std::wstring letters = L"SLKJGOHNEDFMUA";
  for (int n = 0; n < 14; ++n) {
    const auto command = GetString(L"DispMethod", L"D_Method(" + std::to_wstring(n) + L")");
    EXPECT_EQ(command,
              c.commands_reset ? std::wstring(L"BANCHIRO.EXE ") + letters[n] : L"custom.exe /x")
        << n;
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionRecordE2eTest,
                         ::testing::Values(VersionCase{L"6", L"5", L"3", false, false},
                                           VersionCase{L"3", L"1", L"0", false, true},
                                           VersionCase{L"6", L"6", L"1", true, false},
                                           VersionCase{L"7", L"0", L"0", true, false}));

TEST_F(SettingsE2eTest, NextStartAfterTheVersionMessageRuns) {
  StoreVersion(L"7", L"0", L"0");
  {
    Child child(Banchiro());
    HWND box = WaitForWindow(child.pid(), L"#32770", L"ﾊﾞｰｼﾞｮﾝ確認", kStartLimitMs);
    ASSERT_NE(box, nullptr);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(child.WaitForExit(kStartLimitMs));
  }
  DWORD code = 1;
  ASSERT_TRUE(RunToEnd(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"1");
  EXPECT_EQ(GetString(L"Config", L"OptCas"), L"1.2");
}

TEST_F(SettingsE2eTest, MigrationsOfStoredValues) {
  SetString(L"Config", L"OptCas", L"5");
  SetString(L"Config", L"OptLATab", L"4");
  SetString(L"RightClick", L"RgtClick(1,0)", L"1");
  SetString(L"RightClick", L"RgtClick(2,7)", L"0");
  SetString(L"Exclude", L"JogaiWid(7)", L" ");
  DWORD code = 1;
  ASSERT_TRUE(RunToEnd(&code));
  EXPECT_EQ(GetString(L"Config", L"OptCas"), L"1.2");
  EXPECT_EQ(GetString(L"Config", L"OptLATab"), L"2");
  EXPECT_EQ(GetString(L"RightClick", L"RgtClick(1,0)"), L"1");
  EXPECT_FALSE(GetRaw(L"RightClick", L"RgtClick(1,5)"));
  EXPECT_EQ(GetString(L"RightClick", L"RgtClick(2,7)"), L"1");
  EXPECT_EQ(GetString(L"Exclude", L"JogaiWid(7)"), L"");
}

TEST_F(SettingsE2eTest, GarbageInTheStoreDoesNotStopTheProgram) {
  const DWORD five = 5;
  SetRaw(L"Config", L"OptCas", REG_DWORD, &five, sizeof five);
  const BYTE binary[] = {0xFF, 0xFE, 0x00, 0x01, 0x02};
  SetRaw(L"Config", L"OptLATab", REG_BINARY, binary, sizeof binary);
  const BYTE unterminated[] = {'1', 0, '2'};
  SetRaw(L"Config", L"OptRun", REG_SZ, unterminated, sizeof unterminated);
  const std::wstring long_title(100000, L'窓');
  SetString(L"Exclude", L"JogaiWid(5)", long_title);
  SetString(L"Position", L"S_Top", L"abc");
  SetString(L"Position", L"S_Left", L"-");
  SetString(L"Position", L"F_Top", L"1e999");
  SetString(L"Position", L"F_Left", L"\x0001\x0002");
  SetString(L"Config", L"OptRat(0)", std::wstring(5000, L'9'));
  DWORD code = 1;
  ASSERT_TRUE(RunToEnd(&code)) << "the program hung or crashed on stored garbage";
  EXPECT_EQ(code, 0u);
  // A value of another type is "not set": its default replaces it as text.
  EXPECT_EQ(GetString(L"Config", L"OptCas"), L"1.2");
  EXPECT_EQ(GetString(L"Config", L"OptLATab"), L"0");
  EXPECT_EQ(GetString(L"Config", L"OptRun"), L"1");
  EXPECT_EQ(GetString(L"Exclude", L"JogaiWid(5)"), long_title);
  EXPECT_EQ(GetString(L"Position", L"S_Top"), L"abc");
  EXPECT_EQ(GetString(L"Config", L"OptStat"), L"1");
}

// The splash of a start after an orderly end: a framed card in the middle
// of the screen, without a taskbar button, gone by itself.
TEST_F(SettingsE2eTest, SplashShowsOnlyAfterAnOrderlyEnd) {
  const struct {
    const wchar_t* logo;     // nullptr: not stored
    const wchar_t* running;  // nullptr: not stored
    bool shown;
  } cases[] = {
      {nullptr, nullptr, true}, {L"1", L"0", true}, {L"0", L"0", false}, {L"1", L"1", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("OptLogo ") + (c.logo ? "set" : "-") + (c.shown ? " shown" : ""));
    DeleteAllSettings();
    if (c.logo) SetString(L"Config", L"OptLogo", c.logo);
    if (c.running) SetString(L"Config", L"OptStat", c.running);
    Child child(Banchiro());
    ASSERT_TRUE(child.started());
    HWND splash = nullptr;
    while (child.Running() && !splash) {
      splash = WaitForWindow(child.pid(), L"INITDISP", nullptr, 50);
      if (splash && !IsWindowVisible(splash)) splash = nullptr;
    }
    EXPECT_EQ(splash != nullptr, c.shown);
    if (splash) {
      RECT r{};
      GetWindowRect(splash, &r);
      // 8775 x 3765 twips at 15 twips per pixel, centred on 1024 x 768.
      EXPECT_EQ(r.right - r.left, 585);
      EXPECT_EQ(r.bottom - r.top, 251);
      EXPECT_EQ(r.left, 219);
      EXPECT_EQ(r.top, 258);
      EXPECT_EQ(GetWindowLongW(splash, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);
      EXPECT_NE(GetWindow(splash, GW_OWNER), nullptr) << "no taskbar button";
      EXPECT_FALSE(GetRaw(L"Config", L"OptWinS")) << "the load waits for the splash";
    }
    DWORD code = 1;
    EXPECT_TRUE(child.WaitForExit(kStartLimitMs, &code)) << "the splash must go by itself";
    EXPECT_EQ(GetString(L"Config", L"OptStat"), L"1");
  }
}

TEST(ProgramFileTest, CarriesVersionManifestAndIcon) {
  const std::wstring path = ProgramPath(L"BANCHIRO.EXE");
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  wchar_t* product = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104b0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_STREQ(product, L"ばんちろ君 for Win");
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(6, 6));
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const char* xml = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
  const std::string text(xml, SizeofResource(module, manifest));
  for (const char* needle : {"Microsoft.Windows.Common-Controls", "asInvoker", "dpiAware",
                             "supportedOS", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
    EXPECT_NE(text.find(needle), std::string::npos) << needle;
  }
  HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(icon);
  FreeLibrary(module);
}

}  // namespace
}  // namespace banchiro::e2e
