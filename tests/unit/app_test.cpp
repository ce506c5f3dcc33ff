// The program around the engine: its command line and start-up, the relays
// it starts and stops, its orderly end, and the commands that end Windows.
#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/resident.h"
#include "app/startup.h"
#include "app/system_commands.h"
#include "default_settings.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

TEST(CommandLineTest, OneOfTheTwentyEightLettersAfterTheProgramName) {
  const std::pair<const char*, int> cases[] = {
      {"BANCHIRO.EXE G", 4},   {"  BANCHIRO.EXE\ta", 13},
      {"BANCHIRO.EXE", -1},    {"\"C:\\Program Files\\ばんちろ\\BANCHIRO.EXE\" M", 11},
      {"BANCHIRO.EXE M ", -1}, {"BANCHIRO.EXE G H", -1},
      {"BANCHIRO.EXE /M", -1}, {"BANCHIRO.EXE B", -1},
      {"\"C:\\B.EXE\"M", -1},  {"", -1},
  };
  for (const auto& [line, method] : cases) {
    EXPECT_EQ(MethodForArgument(ArgumentText(line)).value_or(-1), method) << line;
    FakePlatform fake;
    fake.desktop.Add({});
    RunCommandLine(line, fake.platform, {});
    EXPECT_EQ(fake.desktop.calls.empty(), method < 0) << line;
  }
}

TEST(StartupTest, FolderLoadSplashCommandLineThenTheInstanceCheck) {
  const struct {
    const char *logo, *running;  // nullptr: not stored (a first start)
    bool another, splash;
    const char* mark;  // FkeyDisp(3): only "1" shows the palette at start-up
  } cases[] = {{nullptr, nullptr, false, true, "1"},
               {"1", "0", false, true, "01"},
               {"1", "1", true, false, "1 "},
               {"0", "0", false, false, "1"}};
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.process.program_folder = "D:\\ばんちろ";
    fake.process.another_instance = c.another;
    if (c.logo) fake.store.Set(kSectionConfig, "OptLogo", c.logo);
    if (c.running) fake.store.Set(kSectionConfig, "OptStat", c.running);
    fake.store.Set(kSectionFunctionKey, "FkeyDisp(3)", c.mark);
    const WindowHandle window = fake.desktop.Add({});
    Settings settings;
    std::string seen;
    const StartupResult result = RunStartup("BANCHIRO.EXE G", fake.platform, settings, [&] {
      // Between the halves of the load (OptStat as read decides on it), before the command line.
      seen = fake.store.Has(kSectionFunctionKey, "Fkey(0)") || !fake.desktop.calls.empty()
                 ? "too late"
                 : "splash";
    });
    EXPECT_EQ(seen, c.splash ? "splash" : "");
    EXPECT_EQ(fake.process.current_folder, "D:\\ばんちろ");
    EXPECT_EQ(settings.help_file_path, "D:\\ばんちろ\\BANCHIRO.HLP");
    EXPECT_EQ(fake.desktop.calls.back(), "move " + std::to_string(window));
    EXPECT_EQ(fake.store.Get(kSectionConfig, "OptWinS"), "0") << "the load went to its end";
    EXPECT_FALSE(result.ended);
    EXPECT_EQ(result.palette_at_startup, std::string(c.mark) == "1");
    EXPECT_EQ(result.another_instance, c.another);
  }
  FakePlatform newer;
  for (const char* key : {"OptMaj", "OptMir", "OptRev"})
    newer.store.Set(kSectionConfig, key, "7");
  Settings settings;
  EXPECT_TRUE(RunStartup("BANCHIRO.EXE G", newer.platform, settings).ended);
  EXPECT_FALSE(newer.store.Has(kSectionConfig, "OptLogo")) << "nothing loaded after the guard";
}

// A world of relays that take their command and publish a window of their
// own, the i-th started after waiting delays[i] ms (at once when not given,
// never when negative), unless `play` plays them otherwise. While one has
// not published, the store holds a window of another process.
struct RelayRig {
  static constexpr WindowHandle kStale = 0x9999;
  explicit RelayRig(std::vector<std::int64_t> publish_delays = {})
      : delays(std::move(publish_delays)) {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.processes.window_owners[kStale] = 4242;
    fake.processes.on_start = [this](const FakeProcesses::Started& started) {
      handed_over.push_back(fake.store.Get(kSectionDispMethod, kHandOverKey).value_or(""));
      if (play) return play(started);
      const std::size_t i = fake.processes.started.size() - 1;
      const std::int64_t delay = i < delays.size() ? delays[i] : 0;
      if (delay == 0) return Publish(started.id);
      fake.relay_store.Set(kSectionHWnd, kPublishedWindowKey, HandleText(kStale));
      if (delay > 0) due[started.id] = fake.clock.now_ms + delay;
    };
    fake.clock.during_sleep = [this] {
      for (auto& [id, at] : due) {
        if (at != 0 && fake.clock.now_ms >= at) Publish(id), at = 0;
      }
      if (while_waiting) while_waiting();
    };
  }
  void Publish(ProcessId id) {
    fake.processes.window_owners[0x5000 + id] = id;
    fake.relay_store.Set(kSectionHWnd, kPublishedWindowKey, HandleText(0x5000 + id));
  }
  // The keys of the relays running, in the order started: "F2 F5".
  std::string Serving() {
    std::string keys;
    for (const auto& started : fake.processes.started) {
      if (!fake.processes.IsRunning(started.id)) continue;
      keys += (keys.empty() ? "" : " ") + started.command_line.substr(std::strlen("KOVRAN.EXE "));
    }
    return keys;
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& box : fake.message_boxes.shown)
      texts.push_back(box.title + ": " + box.text);
    return texts;
  }

  FakePlatform fake;
  Settings settings;
  std::vector<std::int64_t> delays;
  std::vector<std::string> handed_over;
  std::function<void(const FakeProcesses::Started&)> play;
  std::map<ProcessId, std::int64_t> due;
  std::function<void()> while_waiting;
};

class RelayTest : public ::testing::Test, public RelayRig {};

TEST_F(RelayTest, OneRelayPerKeyInMethodOrderEachWithItsCommand) {
  RelayRig& r = *this;
  r.settings.Fkey[0] = "1";
  r.settings.Fkey[4] = "3";
  r.settings.Fkey[7] = "5.5";  // no key
  r.settings.Fkey[13] = "12";
  r.settings.D_Method[4] = "custom.exe G";
  Resident resident(r.fake.platform, r.settings, {});
  resident.StartRelays();
  const auto& started = r.fake.processes.started;
  ASSERT_EQ(r.Serving(), "F1 F3 F12");
  EXPECT_EQ(started[2].command_line, "KOVRAN.EXE F12");
  EXPECT_EQ(started[2].program, r.fake.process.program_folder + "\\KOVRAN.EXE");
  EXPECT_EQ(started[2].folder, r.fake.process.program_folder);
  EXPECT_EQ(started[2].show_state, kRelayShowState);
  EXPECT_EQ(r.handed_over,
            (std::vector<std::string>{"BANCHIRO.EXE S", "custom.exe G", "BANCHIRO.EXE A"}));
  // The end stops exactly these, also when one of them died and its window
  // now belongs to another program.
  r.fake.processes.window_owners[0x5000 + started[1].id] = 777;
  resident.End();
  resident.End();
  EXPECT_EQ(r.fake.processes.terminated, (std::vector<ProcessId>{started[0].id, started[2].id}));
}

// The run's first relay is given 15 s (a program file scanned at its first
// start), the others 5 s. One that is late is ended, never taken for the
// stale window, and its key is reported once in the run, when the program
// is idle, with the others of the same start; a missing program likewise.
TEST_F(RelayTest, TheFirstRelayIsWaitedForLongerAndOneThatNeverComesIsReportedOnce) {
  const struct {
    std::vector<std::int64_t> delays;
    const char* serving;
    std::int64_t waited;
    const char* report;
  } cases[] = {
      {{6000, 1000}, "F2 F4", 7000, nullptr},
      {{14980, 5000}, "F2 F4", 19980, nullptr},
      {{6000, 5020}, "F2", 11000, "KOVRAN.EXE が起動しなかったため、Ctrl＋Ｆ４ は使用できません。"},
      {{-1, -1},
       "",
       20000,
       "KOVRAN.EXE が起動しなかったため、Ctrl＋Ｆ２、Ctrl＋Ｆ４ は使用できません。"},
  };
  for (const auto& c : cases) {
    RelayRig r(c.delays);
    r.settings.Fkey[1] = "2";
    r.settings.Fkey[3] = "4";
    Resident resident(r.fake.platform, r.settings, {});
    resident.StartRelays();
    EXPECT_EQ(r.Serving(), c.serving);
    EXPECT_EQ(r.fake.clock.slept_ms, c.waited);
    EXPECT_EQ(r.fake.relay_store.writes()[0].text, "") << "cleared before each start";
    EXPECT_TRUE(r.Boxes().empty()) << "not in the middle of the start";
    r.fake.clock.GoIdle();
    EXPECT_EQ(r.Boxes(), c.report
                             ? std::vector<std::string>{std::string("ホットキー確認: ") + c.report}
                             : std::vector<std::string>{});
  }
  // A program that cannot be started is reported too, once in the run, and
  // not at all once the end has begun.
  for (const bool end : {false, true}) {
    RelayRig r;
    r.settings.Fkey[2] = "3";
    r.fake.processes.fail_to_start = true;
    Resident resident(r.fake.platform, r.settings, {});
    resident.StartRelays();
    resident.RestartRelays();
    if (end) resident.End();
    for (int i = 0; i < 2; ++i)
      r.fake.clock.GoIdle(), resident.RestartRelays();
    r.fake.clock.GoIdle();
    EXPECT_EQ(r.Boxes().size(), end ? 0u : 1u);
  }
}

// Keys saved while the relays start (at start-up, and again while that
// save's restart runs) are not lost: the start ends its relays and begins
// anew, and the relays end up as the keys stored last say.
TEST_F(RelayTest, KeysSavedWhileRelaysStartEndUpServed) {
  RelayRig r(std::vector<std::int64_t>(8, 100));
  for (int n = 0; n < 3; ++n)
    r.settings.Fkey[n] = std::to_string(n + 1);
  Resident resident(r.fake.platform, r.settings, {});
  const std::pair<std::size_t, std::vector<const char*>> saves[] = {{2, {"0", "2", "5", "0"}},
                                                                    {4, {"0", "0", "5", "7"}}};
  std::size_t saved = 0;
  r.while_waiting = [&] {
    if (saved == std::size(saves) || r.fake.processes.started.size() != saves[saved].first) return;
    for (int n = 0; n < 4; ++n)
      r.settings.Fkey[n] = saves[saved].second[n];
    ++saved;
    resident.RestartRelays();
  };
  resident.StartRelays();
  EXPECT_EQ(saved, 2u);
  EXPECT_EQ(r.Serving(), "F5 F7");
}

TEST_F(RelayTest, TheEndInOrderOnceAndNoRelaysAfterIt) {
  settings.Fkey[2] = "3";
  std::string steps;
  Resident* self = nullptr;
  ExitTargets targets;
  targets.main_position = [&]() -> std::optional<TwipsPoint> {
    steps += "position ";
    return TwipsPoint{5450, 6530.5};
  };
  targets.unload_settings_dialog = [&] { steps += "dialog "; };
  targets.unload_palette = [&] {
    steps += "relays " + std::to_string(fake.processes.terminated.size()) + " ";
    steps += "OptStat " + fake.store.Get(kSectionConfig, "OptStat").value_or("") + " ";
  };
  targets.unload_main_window = [&] {
    steps += "main window";
    self->End();  // its close request comes back here
  };
  Resident resident(fake.platform, settings, targets);
  self = &resident;
  resident.StartRelays();
  EXPECT_FALSE(resident.ending());
  resident.End();
  EXPECT_EQ(steps, "position dialog relays 1 OptStat 0 main window");
  EXPECT_TRUE(resident.ended());
  EXPECT_EQ(fake.store.Get(kSectionPosition, "S_Left"), "6530.5");
  resident.StartRelays();
  EXPECT_EQ(fake.processes.started.size(), 1u);
}

// A step of the end that fails does not cost the others: a write that fails
// once is made again, and a window whose unload throws does not keep the
// relays or the main window.
TEST_F(RelayTest, TheEndGoesOnThroughAFailedWriteAndAThrowingStep) {
  settings.Fkey[2] = "3";
  std::string steps;
  ExitTargets targets;
  targets.unload_palette = [] { throw std::runtime_error("palette"); };
  targets.unload_main_window = [&] { steps += "main window"; };
  Resident resident(fake.platform, settings, targets);
  resident.StartRelays();
  fake.store.failing_writes = 1;
  resident.End();
  EXPECT_EQ(steps, "main window");
  EXPECT_EQ(fake.processes.terminated.size(), 1u);
  EXPECT_EQ(fake.store.Get(kSectionConfig, "OptStat"), "0");
  EXPECT_TRUE(resident.ended());
}

// A relay window left by an earlier run is asked to end before the first
// start (this one stays, and the start goes on after a while), but not a
// window of the same class of another program, or of one that cannot be
// asked; a relay whose key is taken gets no entry, no wait and no end: its
// message stays up.
TEST_F(RelayTest, StraysAreAskedToEndAndATakenKeyIsLeftToItsMessage) {
  settings.Fkey[1] = "2";
  settings.Fkey[3] = "4";
  FakeWindow stray;
  stray.class_name = std::string(kRelayWindowClassName);
  const WindowHandle left = fake.desktop.Add(stray);
  fake.processes.window_programs[left] = fake.process.program_folder + "\\KOVRAN.EXE";
  fake.processes.window_programs[fake.desktop.Add(stray)] = "C:\\Other\\KOVRAN.EXE";
  fake.desktop.Add(stray);
  play = [this](const FakeProcesses::Started& started) {
    EXPECT_EQ(fake.desktop.calls.size(), 1u) << "the stray first";
    fake.processes.window_owners[0x5000 + started.id] = started.id;
    const bool taken = started.command_line == "KOVRAN.EXE F2";
    fake.relay_store.Set(kSectionHWnd, taken ? kKeyTakenWindowKey : kPublishedWindowKey,
                         HandleText(0x5000 + started.id));
  };
  RelayTable relays;
  StartRelays(fake.platform, settings, relays);
  EXPECT_EQ(fake.desktop.calls, std::vector<std::string>{"close " + std::to_string(left)});
  ASSERT_EQ(relays.count, 1);
  EXPECT_EQ(relays.entries[0].process, fake.processes.started[1].id);
  EXPECT_TRUE(fake.processes.terminated.empty());
  EXPECT_GE(fake.clock.slept_ms, kStrayRelayTimeoutMs);
  EXPECT_LT(fake.clock.slept_ms, kStrayRelayTimeoutMs + 2 * kRelayPollMs);
}

// The end of the session comes while the first relay is waited for: that
// relay is ended with the others and the second is never started.
TEST_F(RelayTest, AnEndDuringTheWaitEndsTheStartingRelayAndStartsNoMore) {
  settings.Fkey[1] = "2";
  settings.Fkey[3] = "4";
  delays = {-1, -1};  // still starting
  Resident resident(fake.platform, settings, {});
  while_waiting = [&] { resident.End(); };
  resident.StartRelays();
  ASSERT_EQ(fake.processes.started.size(), 1u);
  EXPECT_EQ(fake.processes.terminated, std::vector<ProcessId>{fake.processes.started[0].id});
  EXPECT_TRUE(resident.ended());
}

// A first-start world for the commands that act on Windows; the writes they make.
struct SessionRig {
  explicit SessionRig(const char* opt_run = "2") {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    settings.OptRun = opt_run;
    loaded_writes = fake.store.writes().size();
  }
  SystemCommands Commands() {
    return SystemCommands(fake.platform, session, settings, 0x20440, [] {
      return TwipsPoint{5450.0, 6530.5};
    });
  }
  std::string NewWrites() const { return testing::WritesSince(fake.store, loaded_writes); }
  FakePlatform fake;
  FakeSession session;
  Settings settings;
  std::size_t loaded_writes = 0;
};

TEST(SystemCommandsTest, EachCommandAsksItsQuestionAndCancelChangesNothing) {
  const std::pair<int, const char*> cases[] = {
      {0, kClearRecentText}, {1, kRestartText}, {2, kShutDownText}};
  for (const auto& [index, text] : cases) {
    SessionRig r;
    r.fake.message_boxes.answers = {MessageAnswer::kCancel};
    r.Commands().mnuFileWindows_Click(index);
    ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(r.fake.message_boxes.shown[0].text, text);
    EXPECT_EQ(r.fake.message_boxes.shown[0].buttons, MessageButtons::kOkCancel);
    EXPECT_TRUE(r.session.privilege_enabled) << "enabled whatever the answer";
    EXPECT_EQ(r.NewWrites(), "");
    EXPECT_EQ(r.session.recent_documents.size(), 1u);
    EXPECT_TRUE(r.session.ended.empty());
  }
  SessionRig r;
  r.Commands().mnuFileWindows_Click(0);
  EXPECT_TRUE(r.session.recent_documents.empty());
  r.Commands().mnuFileDustEmpty_Click();
  EXPECT_EQ(r.session.recycle_bin_owners, std::vector<WindowHandle>{0x20440});
  for (int index : {-1, 3})
    r.Commands().mnuFileWindows_Click(index);
  EXPECT_EQ(r.fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(r.NewWrites(), "");
}

TEST(SystemCommandsTest, EndingWindowsSavesTheStateFirstAndUndoesTheFlagWhenRefused) {
  const struct {
    VersionRecord version;
    int index;
    bool refused;
    std::vector<SessionEnd> asked;
  } cases[] = {
      {{2, 10, 0}, 1, false, {SessionEnd::kRestart}},
      {{2, 5, 1}, 2, false, {SessionEnd::kPowerOff}},
      {{1, 4, 10}, 2, false, {SessionEnd::kShutDown}},
      {{2, 4, 0}, 2, false, {SessionEnd::kShutDown}},  // Windows NT
      {{1, 4, 0}, 2, false, {}},                       // Windows 95 is not asked at all
      {{2, 10, 0}, 1, true, {SessionEnd::kRestart}},
  };
  for (const auto& c : cases) {
    SessionRig r;
    r.fake.system.version = c.version;
    r.session.end_session_works = !c.refused;
    r.Commands().mnuFileWindows_Click(c.index);
    EXPECT_EQ(r.session.ended, c.asked) << c.version.minor;
    const bool going = !c.asked.empty() && !c.refused;
    EXPECT_EQ(r.NewWrites(), std::string("OptRun=2 S_Top=5450 S_Left=6530.5 OptStat=0") +
                                 (going ? "" : " OptStat=1"));
    EXPECT_EQ(r.settings.OptStat, going ? "0" : "1");
  }
}

TEST(SystemCommandsTest, OnlyAPendingActionRunsAtItsMinuteOnceAndWithoutAQuestion) {
  const struct {
    const char *run, *hour;
    TimeOfDay now;
    std::vector<SessionEnd> asked;
  } cases[] = {{"0", "07", {7, 30}, {SessionEnd::kRestart}},
               {"1", "23", {23, 30}, {SessionEnd::kPowerOff}},
               {"2", "07", {7, 30}, {}},
               {"01", "07", {7, 30}, {}},
               {"0", "07", {7, 31}, {}},
               {"0", "07", {19, 30}, {}}};
  for (const auto& c : cases) {
    SessionRig r(c.run);
    r.settings.OptTime = {c.hour, "30"};
    r.session.now = c.now;
    SystemCommands commands = r.Commands();
    for (int tick = 0; tick < 3; ++tick)
      commands.Timer1_Timer();
    EXPECT_TRUE(r.fake.message_boxes.shown.empty()) << "the schedule asks nothing";
    EXPECT_EQ(r.session.ended, c.asked) << c.run << " " << c.now.hour << ":" << c.now.minute;
  }
  SessionRig pending("1");
  pending.Commands().mnuFileWindows_Click(1);
  EXPECT_TRUE(pending.fake.message_boxes.shown.empty()) << "a pending action is the timer's call";
  EXPECT_EQ(ClockText({9, 5}), "09:05");
}

}  // namespace
}  // namespace banchiro
