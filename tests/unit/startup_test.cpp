#include "app/startup.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

TEST(StartupTest, RunsFromItsOwnFolderAndLoadsEverything) {
  FakePlatform fake;
  fake.process.program_folder = "D:\\Tools\\ばんちろ";
  Settings settings;
  const StartupResult result = RunStartup("BANCHIRO.EXE", fake.platform, settings);
  EXPECT_FALSE(result.ended);
  EXPECT_FALSE(result.palette_at_startup);
  EXPECT_EQ(fake.process.current_folder, "D:\\Tools\\ばんちろ");
  EXPECT_EQ(settings.help_file_path, "D:\\Tools\\ばんちろ\\BANCHIRO.HLP");
  EXPECT_EQ(fake.store.Get(kSectionConfig, "OptWinS"), "0");
  EXPECT_EQ(settings.OptStat, "1");
}

TEST(StartupTest, NewerSettingsEndTheProgramBeforeAnythingElse) {
  FakePlatform fake;
  fake.store.Set(kSectionConfig, "OptMaj", "7");
  fake.store.Set(kSectionConfig, "OptMir", "0");
  fake.store.Set(kSectionConfig, "OptRev", "0");
  Settings settings;
  const StartupResult result = RunStartup("BANCHIRO.EXE", fake.platform, settings);
  EXPECT_TRUE(result.ended);
  EXPECT_EQ(fake.process.ended_with.size(), 1u);
  EXPECT_EQ(fake.message_boxes.shown.size(), 1u);
  EXPECT_FALSE(fake.store.Has(kSectionConfig, "OptLogo"));
  EXPECT_FALSE(fake.store.Has(kSectionConfig, "OptStat"));
}

TEST(StartupTest, PaletteFlagReachesTheEntryPoint) {
  FakePlatform fake;
  fake.store.Set(kSectionFunctionKey, "FkeyDisp(3)", "1");
  Settings settings;
  EXPECT_TRUE(RunStartup("BANCHIRO.EXE", fake.platform, settings).palette_at_startup);
}

TEST(StartupTest, SplashOnlyAfterAnOrderlyEndAndWhenWanted) {
  const struct {
    const char* logo;  // nullptr: not stored
    const char* running;
    bool shown;
  } cases[] = {
      {nullptr, nullptr, true}, {"1", "0", true},  {"1", "1", false},   {"0", "0", false},
      {"1", "2", true},         {"1", " 1", true}, {"yes", "0", false},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    if (c.logo) fake.store.Set(kSectionConfig, "OptLogo", c.logo);
    if (c.running) fake.store.Set(kSectionConfig, "OptStat", c.running);
    Settings settings;
    int shown = 0;
    bool store_loaded_before = false;
    RunStartup("BANCHIRO.EXE", fake.platform, settings, [&] {
      ++shown;
      // The splash comes between the two halves of the load.
      store_loaded_before = fake.store.Has(kSectionFunctionKey, "Fkey(0)");
    });
    EXPECT_EQ(shown, c.shown ? 1 : 0)
        << (c.logo ? c.logo : "-") << "/" << (c.running ? c.running : "-");
    EXPECT_FALSE(store_loaded_before);
    EXPECT_EQ(fake.store.Get(kSectionConfig, "OptStat"),
              c.running && std::string(c.running) != "0" ? c.running : "1");
  }
}

}  // namespace
}  // namespace banchiro
