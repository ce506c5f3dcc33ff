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

}  // namespace
}  // namespace banchiro
