#include "settings/load_settings.h"

#include <map>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "expected_defaults.h"
#include "platform/fake/fake_platform.h"
#include "settings/appearance.h"

namespace banchiro {
namespace {

class LoadSettingsTest : public ::testing::Test {
 protected:
  DefaultsContext Context() {
    const ScreenMetrics screen = fake.screen.Metrics();
    return {screen, PaletteOuterSize(screen.width_twips())};
  }
  bool Load() {
    return LoadSettings(settings, fake.store, fake.message_boxes, fake.process, Context());
  }
  void Store(std::string_view section, const std::string& key, const std::string& text) {
    fake.store.Set(section, key, text);
  }
  std::string Stored(std::string_view section, const std::string& key) {
    return fake.store.Get(section, key).value_or("<absent>");
  }
  bool WasWritten(const std::string& key) {
    for (const auto& call : fake.store.writes()) {
      if (call.key == key) return true;
    }
    return false;
  }
  void StoreVersion(const char* major, const char* minor, const char* revision) {
    Store(kSectionConfig, "OptMaj", major);
    Store(kSectionConfig, "OptMir", minor);
    Store(kSectionConfig, "OptRev", revision);
  }

  FakePlatform fake;
  Settings settings;
};

TEST_F(LoadSettingsTest, FirstStartWritesExactlyTheStoredDefaults) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(fake.store.values(), testing::FirstStartDefaults());
  EXPECT_TRUE(fake.message_boxes.shown.empty());
  EXPECT_TRUE(fake.process.ended_with.empty());

  EXPECT_EQ(settings.exclusion_count, 2);
  EXPECT_EQ(settings.OptStat, "1");
  EXPECT_EQ(settings.OptLATab, "0");
  EXPECT_EQ(settings.RgtClick[1][13], "0");
  EXPECT_EQ(settings.RgtClick[2][0], "1");
  EXPECT_EQ(settings.D_Method[13], "BANCHIRO.EXE A");
  EXPECT_EQ(settings.OptCol[0], "65535");
  // The record keeps the version as read: nothing, on a first start.
  EXPECT_EQ(settings.OptMaj, "");
  // Memory-only positions on 1024 x 768 at 15 twips per pixel (small palette).
  EXPECT_EQ(settings.S_Top, "5450");
  EXPECT_EQ(settings.S_Left, "6530");
  EXPECT_EQ(settings.F_Top, "10321.5");
  EXPECT_EQ(settings.F_Left, "1000");
  EXPECT_EQ(settings.method_commands[4], "BANCHIRO.EXE G");
  EXPECT_EQ(settings.method_captions[10], "４マスに並べて表示");
  EXPECT_EQ(settings.function_key_names[0], "");
  EXPECT_EQ(settings.function_key_names[12], "F12");
}

TEST_F(LoadSettingsTest, SecondStartWritesOnlyTheRunningFlag) {
  ASSERT_TRUE(Load());
  Store(kSectionConfig, "OptStat", "0");  // an orderly end in between
  FakePlatform again;
  for (const auto& [key, value] : fake.store.values())
    again.store.Set(key.first, key.second, value);
  Settings second;
  ASSERT_TRUE(LoadSettings(second, again.store, again.message_boxes, again.process, Context()));
  ASSERT_EQ(again.store.writes().size(), 1u);
  EXPECT_EQ(again.store.writes()[0].key, "OptStat");
  EXPECT_EQ(again.store.writes()[0].text, "1");
  EXPECT_EQ(second.OptMaj, "6");
}

TEST_F(LoadSettingsTest, VersionRecords) {
  const struct {
    const char *major, *minor, *revision;
    bool runs;
    bool commands_reset;
  } cases[] = {
      {"6", "5", "3", true, false},  {"3", "1", "0", true, true},    {"3", "2", "0", true, false},
      {"2", "9", "9", true, true},   {"6", "6", "", true, false},    {"6", "6", "1", false, false},
      {"7", "0", "0", false, false}, {"6", "10", "0", false, false}, {"abc", "", "", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.major) + "." + c.minor + "." + c.revision);
    FakePlatform f;
    Settings s;
    f.store.Set(kSectionConfig, "OptMaj", c.major);
    f.store.Set(kSectionConfig, "OptMir", c.minor);
    f.store.Set(kSectionConfig, "OptRev", c.revision);
    for (int n = 0; n < kMethodCount; ++n) {
      f.store.Set(kSectionDispMethod, IndexedKeyName("D_Method", n), "custom.exe");
    }
    const bool runs = LoadSettings(s, f.store, f.message_boxes, f.process, Context());
    EXPECT_EQ(runs, c.runs);
    // Whatever happens, the next start finds this version.
    EXPECT_EQ(f.store.Get(kSectionConfig, "OptMaj"), "6");
    EXPECT_EQ(f.store.Get(kSectionConfig, "OptMir"), "6");
    EXPECT_EQ(f.store.Get(kSectionConfig, "OptRev"), "0");
    EXPECT_EQ(s.OptMaj, c.major);
    if (!c.runs) {
      ASSERT_EQ(f.message_boxes.shown.size(), 1u);
      EXPECT_EQ(f.message_boxes.shown[0].text, "最新版の「ばんちろ君」をお使い下さい。");
      EXPECT_EQ(f.message_boxes.shown[0].title, "ﾊﾞｰｼﾞｮﾝ確認");
      EXPECT_EQ(f.message_boxes.shown[0].icon, MessageIcon::kStop);
      EXPECT_EQ(f.message_boxes.shown[0].buttons, MessageButtons::kOk);
      EXPECT_EQ(f.process.ended_with.size(), 1u);
      // Nothing but the version record is written before the program ends.
      for (const auto& w : f.store.writes()) {
        EXPECT_TRUE(w.key == "OptMaj" || w.key == "OptMir" || w.key == "OptRev") << w.key;
      }
      EXPECT_FALSE(f.store.Has(kSectionConfig, "OptStat"));
      continue;
    }
    EXPECT_TRUE(f.message_boxes.shown.empty());
    EXPECT_TRUE(f.process.ended_with.empty());
    for (int n = 0; n < kMethodCount; ++n) {
      const auto stored = f.store.Get(kSectionDispMethod, IndexedKeyName("D_Method", n));
      EXPECT_EQ(stored, c.commands_reset ? MethodCommand(n) : "custom.exe") << n;
      EXPECT_EQ(s.D_Method[n], stored.value_or("")) << n;
    }
  }
}

TEST_F(LoadSettingsTest, CascadeFactorMigration) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "1.2"},  {"5", "1.2"}, {"0", "1.2"},   {"9", "1.2"},   {"1.5", "1.5"},
      {"10", "10"}, {" 5", " 5"}, {"abc", "abc"}, {"1.2", "1.2"},
  };
  for (const auto& [stored, expected] : cases) {
    FakePlatform f;
    Settings s;
    if (*stored) f.store.Set(kSectionConfig, "OptCas", stored);
    ASSERT_TRUE(LoadSettings(s, f.store, f.message_boxes, f.process, Context()));
    EXPECT_EQ(s.OptCas, expected) << '"' << stored << '"';
    EXPECT_EQ(f.store.Get(kSectionConfig, "OptCas"), expected) << '"' << stored << '"';
  }
}

TEST_F(LoadSettingsTest, SettingsTabMigration) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "0"}, {"3", "1"}, {"4", "2"}, {"2", "2"}, {"0", "0"}, {"7", "7"},
  };
  for (const auto& [stored, expected] : cases) {
    FakePlatform f;
    Settings s;
    if (*stored) f.store.Set(kSectionConfig, "OptLATab", stored);
    ASSERT_TRUE(LoadSettings(s, f.store, f.message_boxes, f.process, Context()));
    EXPECT_EQ(s.OptLATab, expected) << stored;
    EXPECT_EQ(f.store.Get(kSectionConfig, "OptLATab"), expected) << stored;
  }
}

TEST_F(LoadSettingsTest, RightClickRowsAreReadWholeOrRewrittenWhole) {
  Store(kSectionRightClick, "RgtClick(1,0)", "1");
  Store(kSectionRightClick, "RgtClick(1,4)", "1");  // (1,5) missing
  Store(kSectionRightClick, "RgtClick(2,3)", "0");  // (2,0) missing
  Store(kSectionRightClick, "RgtClick(2,13)", "0");
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings.RgtClick[1][0], "1");
  EXPECT_EQ(settings.RgtClick[1][4], "1");
  EXPECT_EQ(settings.RgtClick[1][5], "");
  EXPECT_EQ(Stored(kSectionRightClick, "RgtClick(1,5)"), "<absent>");
  for (int n = 0; n < kMethodCount; ++n) {
    EXPECT_EQ(settings.RgtClick[2][n], "1") << n;
    EXPECT_EQ(Stored(kSectionRightClick, IndexedKeyName("RgtClick", 2, n)), "1") << n;
    EXPECT_EQ(settings.RgtClick[0][n], "0") << n;
  }
}

TEST_F(LoadSettingsTest, ExcludedTitlesAndTheirCount) {
  Store(kSectionExclude, "JogaiWid(0)", "メモ帳");
  Store(kSectionExclude, "JogaiWid(5)", "  ");  // two blanks: a real (if odd) entry
  Store(kSectionExclude, "JogaiWid(7)", " ");
  Store(kSectionExclude, "JogaiWid(99)", "電卓");
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings.JogaiWid[0], "メモ帳");
  EXPECT_EQ(settings.JogaiWid[1], "ファンクションキー");
  EXPECT_EQ(settings.JogaiWid[7], "");
  EXPECT_EQ(Stored(kSectionExclude, "JogaiWid(7)"), "");
  EXPECT_EQ(settings.JogaiWid[99], "電卓");
  EXPECT_EQ(settings.exclusion_count, 4);
}

TEST_F(LoadSettingsTest, RunningFlag) {
  const struct {
    const char* stored;
    const char* raw;
    const char* after;
    bool written;
  } cases[] = {
      {nullptr, "", "1", true},
      {"0", "0", "1", true},
      {"1", "1", "1", false},
      {"2", "2", "2", false},
  };
  for (const auto& c : cases) {
    FakePlatform f;
    Settings s;
    if (c.stored) f.store.Set(kSectionConfig, "OptStat", c.stored);
    SettingsLoader loader(s, f.store, f.message_boxes, f.process, Context());
    ASSERT_TRUE(loader.RunSteps(1, kLastStepBeforeSplash));
    EXPECT_EQ(s.OptStat, c.raw);
    EXPECT_FALSE(f.store.Has(kSectionConfig, "OptStat") && !c.stored) << "written too early";
    ASSERT_TRUE(loader.RunSteps(kLastStepBeforeSplash + 1, kLastLoadStep));
    EXPECT_EQ(s.OptStat, c.after);
    bool written = false;
    for (const auto& w : f.store.writes())
      written = written || w.key == "OptStat";
    EXPECT_EQ(written, c.written) << (c.stored ? c.stored : "unset");
  }
}

TEST_F(LoadSettingsTest, LoadsInStretches) {
  SettingsLoader loader(settings, fake.store, fake.message_boxes, fake.process, Context());
  ASSERT_TRUE(loader.RunSteps(kFirstLoadStep, kLastStepBeforeSplash));
  // Only the version record and the splash switch exist before the splash.
  EXPECT_EQ(fake.store.values().size(), 4u);
  EXPECT_TRUE(fake.store.Has(kSectionConfig, "OptLogo"));
  ASSERT_TRUE(loader.RunSteps(kLastStepBeforeSplash + 1, kLastStepBeforeCommandLine));
  EXPECT_FALSE(fake.store.Has(kSectionConfig, "OptWinS"));
  EXPECT_TRUE(fake.store.Has(kSectionFunctionKey, "OptGuide"));
  ASSERT_TRUE(loader.RunSteps(kLastStepBeforeCommandLine + 1, kLastLoadStep));
  EXPECT_EQ(fake.store.Get(kSectionConfig, "OptWinS"), "0");
}

TEST_F(LoadSettingsTest, PaletteAtStartup) {
  const struct {
    const char* value;
    bool shown;
  } cases[] = {{nullptr, false}, {"1", true}, {"0", false}, {"01", false}, {"1 ", false}};
  for (const auto& c : cases) {
    FakePlatform f;
    Settings s;
    if (c.value) f.store.Set(kSectionFunctionKey, "FkeyDisp(3)", c.value);
    SettingsLoader loader(s, f.store, f.message_boxes, f.process, Context());
    ASSERT_TRUE(loader.RunSteps(kFirstLoadStep, kLastLoadStep));
    EXPECT_EQ(loader.palette_at_startup(), c.shown) << (c.value ? c.value : "unset");
  }
}

TEST_F(LoadSettingsTest, StoredValuesAreTakenAsTheyAre) {
  Store(kSectionPosition, "S_Top", "abc");
  Store(kSectionPosition, "F_Left", "-120");
  Store(kSectionConfig, "OptPix(2)", "9999999999999999999999");
  Store(kSectionFunctionKey, "Fname(4)", "たて");
  ASSERT_TRUE(Load());
  EXPECT_EQ(settings.S_Top, "abc");
  EXPECT_EQ(settings.F_Left, "-120");
  EXPECT_EQ(settings.OptPix[2], "9999999999999999999999");
  EXPECT_EQ(settings.Fname[4], "たて");
  EXPECT_FALSE(WasWritten("S_Top"));
  EXPECT_FALSE(WasWritten("Fname(4)"));
}

TEST_F(LoadSettingsTest, PositionDefaultsFollowTheScreen) {
  const struct {
    ScreenMetrics screen;
    const char *s_top, *s_left, *f_top, *f_left;
  } cases[] = {
      {{1024, 768, 15, 15}, "5450", "6530", "10321.5", "1000"},
      {{1280, 1024, 15, 15}, "7370", "8450", "14161.5", "2920"},     // 19200: small palette
      {{1920, 1080, 15, 15}, "7790", "13250", "15001.5", "5205"},    // large palette
      {{1024, 768, 12, 12}, "4298", "4994", "8017.5", "-536"},       // 120 DPI
      {{1366, 768, 7.5, 7.5}, "2570", "3972", "4561.5", "-1557.5"},  // 192 DPI, a half to even
      {{1024, 600, 15, 15}, "4190", "6530", "7801.5", "1000"},       // 9000 twips high
  };
  for (const auto& c : cases) {
    FakePlatform f;
    Settings s;
    const DefaultsContext context{c.screen, PaletteOuterSize(c.screen.width_twips())};
    ASSERT_TRUE(LoadSettings(s, f.store, f.message_boxes, f.process, context));
    EXPECT_EQ(s.S_Top, c.s_top) << c.screen.width_px;
    EXPECT_EQ(s.S_Left, c.s_left) << c.screen.width_px;
    EXPECT_EQ(s.F_Top, c.f_top) << c.screen.width_px;
    EXPECT_EQ(s.F_Left, c.f_left) << c.screen.width_px;
  }
}

TEST(AppearanceSchemeTest, KeepsTheOldNameWhenThereIsNone) {
  Settings settings;
  FakeSystemInfo system;
  ReadAppearanceScheme(settings, system);
  EXPECT_EQ(settings.appearance_scheme, "");
  system.appearance_scheme = "Windows Standard";
  ReadAppearanceScheme(settings, system);
  EXPECT_EQ(settings.appearance_scheme, "Windows Standard");
  system.appearance_scheme.reset();
  ReadAppearanceScheme(settings, system);
  EXPECT_EQ(settings.appearance_scheme, "Windows Standard");
}

}  // namespace
}  // namespace banchiro
