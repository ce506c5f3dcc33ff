#include "app/relays.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "default_settings.h"

namespace banchiro {
namespace {

class RelaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::LoadDefaultSettings(fake, settings));
    // A well-behaved relay: takes its command, publishes a window of its own.
    fake.processes.on_start = [this](const FakeProcesses::Started& started) {
      handed_over.push_back(fake.store.Get(kSectionDispMethod, "SnedDispMethod").value_or(""));
      const WindowHandle window = 0x5000 + static_cast<WindowHandle>(started.id);
      fake.processes.window_owners[window] = started.id;
      fake.relay_store.Set("hWnd", "hWindow", std::to_string(window));
    };
  }

  FakePlatform fake;
  Settings settings;
  RelayTable relays;
  std::vector<std::string> handed_over;
};

TEST_F(RelaysTest, NoHotKeysStartNothing) {
  StartRelays(fake.platform, settings, relays);
  EXPECT_TRUE(fake.processes.started.empty());
  EXPECT_EQ(relays.count, 0);
  StopRelays(fake.platform, relays);
  EXPECT_TRUE(fake.processes.terminated.empty());
}

TEST_F(RelaysTest, StartsInMethodOrderWithTheirCommands) {
  settings.Fkey[0] = "1";
  settings.Fkey[4] = "3";
  settings.Fkey[13] = "12";
  settings.D_Method[4] = "BANCHIRO.EXE G";
  StartRelays(fake.platform, settings, relays);
  ASSERT_EQ(fake.processes.started.size(), 3u);
  const char* commands[] = {"KOVRAN.EXE F1", "KOVRAN.EXE F3", "KOVRAN.EXE F12"};
  for (int i = 0; i < 3; ++i) {
    const auto& s = fake.processes.started[i];
    EXPECT_EQ(s.command_line, commands[i]);
    EXPECT_EQ(s.program, fake.process.program_folder + "\\KOVRAN.EXE");
    EXPECT_EQ(s.folder, fake.process.program_folder);
    EXPECT_EQ(s.show_state, 2);
    EXPECT_EQ(relays.entries[i].process, s.id);
    EXPECT_EQ(relays.entries[i].window_text, std::to_string(0x5000 + s.id));
  }
  EXPECT_EQ(relays.count, 3);
  EXPECT_EQ(handed_over,
            (std::vector<std::string>{"BANCHIRO.EXE S", "BANCHIRO.EXE G", "BANCHIRO.EXE A"}));
  EXPECT_EQ(fake.store.Get(kSectionDispMethod, "SnedDispMethod"), "BANCHIRO.EXE A");
}

TEST_F(RelaysTest, OnlyTheWindowOfTheProcessJustStartedCounts) {
  settings.Fkey[2] = "5";
  // The relay publishes late; until then a stale handle of another process
  // (an earlier relay, long gone) stands in the store.
  fake.processes.window_owners[0x9999] = 4242;
  int polls = 0;
  fake.processes.on_start = [&](const FakeProcesses::Started& started) {
    fake.relay_store.Set("hWnd", "hWindow", std::to_string(0x9999));
    fake.processes.window_owners[0x7000] = started.id;
  };
  // The relay's window appears in the store after some time.
  struct PublishingClock : FakeClock {
    std::function<void()> tick;
    void SleepMs(int ms) override {
      FakeClock::SleepMs(ms);
      tick();
    }
  };
  PublishingClock clock;
  clock.tick = [&] {
    if (++polls == 10) fake.relay_store.Set("hWnd", "hWindow", std::to_string(0x7000));
  };
  Platform platform = fake.platform;
  Platform with_clock{platform.store,      platform.screen,    platform.message_boxes,
                      platform.process,    platform.system,    platform.windows,
                      platform.shell,      platform.processes, clock,
                      platform.relay_store};
  StartRelays(with_clock, settings, relays);
  ASSERT_EQ(relays.count, 1);
  EXPECT_EQ(relays.entries[0].window_text, std::to_string(0x7000));
  // The clearing write came before the start.
  EXPECT_EQ(fake.relay_store.writes().front().text, "");
}

TEST_F(RelaysTest, ARelayThatNeverPublishesIsEndedAndGetsNoEntry) {
  settings.Fkey[1] = "2";
  settings.Fkey[3] = "4";
  fake.processes.on_start = [this](const FakeProcesses::Started& started) {
    if (started.command_line == "KOVRAN.EXE F2") return;  // hangs before publishing
    fake.processes.window_owners[0x6000] = started.id;
    fake.relay_store.Set("hWnd", "hWindow", std::to_string(0x6000));
  };
  StartRelays(fake.platform, settings, relays);
  ASSERT_EQ(relays.count, 1);
  EXPECT_EQ(relays.entries[0].process, fake.processes.started[1].id);
  EXPECT_EQ(fake.processes.terminated, (std::vector<ProcessId>{fake.processes.started[0].id}));
  EXPECT_GE(fake.clock.slept_ms, kRelayPublishTimeoutMs);
  EXPECT_LE(fake.clock.slept_ms, kRelayPublishTimeoutMs + kRelayPollMs);
}

TEST_F(RelaysTest, ARelayThatEndsAtOnceIsNotWaitedFor) {
  settings.Fkey[1] = "2";
  fake.processes.on_start = [this](const FakeProcesses::Started& started) {
    fake.processes.running[started.id] = false;  // e.g. its key is taken
  };
  StartRelays(fake.platform, settings, relays);
  EXPECT_EQ(relays.count, 0);
  EXPECT_EQ(fake.clock.slept_ms, 0);
}

TEST_F(RelaysTest, KeysThatNameNoFunctionKeyStartNothing) {
  for (const char* key : {"", "13", "-1", "x", "2.5", "0"}) {
    FakePlatform f;
    Settings s = settings;
    s.Fkey[5] = key;
    RelayTable table;
    StartRelays(f.platform, s, table);
    EXPECT_TRUE(f.processes.started.empty()) << '"' << key << '"';
  }
  fake.processes.fail_to_start = true;
  settings.Fkey[5] = "6";
  StartRelays(fake.platform, settings, relays);
  EXPECT_EQ(relays.count, 0);
}

TEST_F(RelaysTest, StopEndsOnlyTheProcessesStartedHere) {
  settings.Fkey[0] = "1";
  settings.Fkey[1] = "2";
  settings.Fkey[2] = "3";
  StartRelays(fake.platform, settings, relays);
  ASSERT_EQ(relays.count, 3);
  const auto& started = fake.processes.started;
  // Relay 2 died; its window handle now belongs to an unrelated program.
  fake.processes.running[started[1].id] = false;
  fake.processes.window_owners[0x5000 + started[1].id] = 777;
  StopRelays(fake.platform, relays);
  EXPECT_EQ(fake.processes.terminated, (std::vector<ProcessId>{started[0].id, started[2].id}));
  // Stopping again (a nested exit) ends nothing more.
  StopRelays(fake.platform, relays);
  EXPECT_EQ(fake.processes.terminated.size(), 2u);
}

}  // namespace
}  // namespace banchiro
