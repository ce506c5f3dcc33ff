#include "app/startup.h"

#include <string>

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

// A hot key or an Explorer verb while an instance is resident: the letter's
// method runs, and the run ends with nothing written beyond the load's own.
TEST(StartupTest, AOneShotStartArrangesAndWritesNothingOfItsOwnEnd) {
  FakePlatform fake;
  fake.store.Set(kSectionConfig, "OptStat", "1");
  fake.process.another_instance = true;
  const WindowHandle window = fake.desktop.Add({});
  Settings settings;
  int splashes = 0;
  const StartupResult result =
      RunStartup("BANCHIRO.EXE G", fake.platform, settings, [&] { ++splashes; });
  EXPECT_TRUE(result.another_instance);
  EXPECT_EQ(splashes, 0);
  EXPECT_EQ(fake.desktop.calls.back(), "move " + std::to_string(window));
  EXPECT_EQ(fake.store.Get(kSectionConfig, "OptStat"), "1") << "the resident one still runs";
  for (const char* key : {"S_Top", "S_Left", "F_Top", "F_Left"})
    EXPECT_FALSE(fake.store.Has(kSectionPosition, key)) << key;
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
