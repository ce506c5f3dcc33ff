#include "app/exit_sequence.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

TEST(ExitSequenceTest, StepsInOrderAndTheNestedRunIsHarmless) {
  FakePlatform fake;
  Settings settings;
  settings.OptStat = "1";
  RelayTable relays;
  fake.processes.running[55] = true;
  fake.processes.window_owners[0x300] = 55;
  relays.entries[0] = {std::to_string(0x300), 55};
  relays.count = 1;

  std::vector<std::string> steps;
  ExitSequence* self = nullptr;
  ExitTargets targets;
  targets.main_position = [&]() -> std::optional<std::pair<double, double>> {
    steps.push_back("position");
    return std::make_pair(5450.0, 6530.5);
  };
  targets.unload_settings_dialog = [&] { steps.push_back("settings dialog"); };
  targets.unload_palette = [&] {
    steps.push_back("palette");
    EXPECT_EQ(fake.store.Get(kSectionConfig, "OptStat"), "0") << "flag cleared before unloads";
    EXPECT_EQ(fake.processes.terminated.size(), 1u) << "relays stopped before unloads";
  };
  targets.unload_main_window = [&] {
    steps.push_back("main window");
    self->Run();  // the close request of the main window comes back here
  };
  ExitSequence exit(fake.platform, settings, relays, targets);
  self = &exit;
  exit.Run();

  EXPECT_EQ(steps,
            (std::vector<std::string>{"position", "settings dialog", "palette", "main window"}));
  EXPECT_TRUE(exit.ran());
  EXPECT_EQ(fake.store.Get(kSectionPosition, "S_Top"), "5450");
  EXPECT_EQ(fake.store.Get(kSectionPosition, "S_Left"), "6530.5");
  EXPECT_EQ(settings.OptStat, "0");
  EXPECT_EQ(fake.processes.terminated, (std::vector<ProcessId>{55}));
}

TEST(ExitSequenceTest, WithoutAMainWindowNoPositionIsWritten) {
  FakePlatform fake;
  Settings settings;
  RelayTable relays;
  bool palette_unloaded = false;
  ExitTargets targets;
  targets.main_position = [] { return std::optional<std::pair<double, double>>(); };
  targets.unload_palette = [&] { palette_unloaded = true; };
  ExitSequence exit(fake.platform, settings, relays, targets);
  exit.Run();
  EXPECT_TRUE(palette_unloaded);
  EXPECT_FALSE(fake.store.Has(kSectionPosition, "S_Top"));
  EXPECT_EQ(fake.store.Get(kSectionConfig, "OptStat"), "0");
}

}  // namespace
}  // namespace banchiro
