// The program around the engine: its command line and start-up, the relays
// it starts and stops, its orderly end, and the commands that end Windows.
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/resident.h"
#include "app/startup.h"
#include "app/system_commands.h"
#include "default_settings.h"
#include "platform/fake/fake_log.h"
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
    const auto named = MethodForArgument(ArgumentText(line));
    EXPECT_EQ(named ? MethodIndex(*named) : -1, method) << line;
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

// Relays that take their command and publish a window of their own once the
// next of the delays (cycling) has been waited; till then a stale one stands.
struct RelayRig {
  static constexpr std::int64_t kNever = -1, kKeyTaken = -2;  // held by another program
  RelayRig() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.processes.window_owners[0x9999] = 4242;
    fake.processes.on_start = [this](const FakeProcesses::Started& started) {
      handed_over.push_back(fake.store.Get(kSectionDispMethod, kHandOverKey).value_or(""));
      const std::int64_t delay =
          delays.empty() ? 0 : delays[(handed_over.size() - 1) % delays.size()];
      fake.relay_store.Set(kSectionHWnd, kPublishedWindowKey, HandleText(0x9999));
      if (delay == kKeyTaken) Publish(started.id, kKeyTakenWindowKey);
      if (delay >= 0) due[started.id] = fake.clock.now_ms + delay, PublishDue();
    };
    fake.clock.during_sleep = [this] { PublishDue(), while_waiting ? while_waiting() : void(); };
  }
  void PublishDue() {
    for (auto& [id, at] : due)
      if (at <= fake.clock.now_ms && fake.processes.IsRunning(id))
        Publish(id, kPublishedWindowKey), at = INT64_MAX;
  }
  void Publish(ProcessId id, std::string_view key) {
    fake.processes.window_owners[0x5000 + id] = id;
    fake.relay_store.Set(kSectionHWnd, key, HandleText(0x5000 + id));
  }
  std::string Serving() {  // the keys of the relays running, in the order started: "F2 F5"
    std::string keys;
    for (const auto& [program, line, folder, show, id] : fake.processes.started)
      if (fake.processes.IsRunning(id)) keys += (keys.empty() ? "" : " ") + line.substr(11);
    return keys;
  }

  FakePlatform fake;
  Settings settings;
  std::vector<std::int64_t> delays;
  std::vector<std::string> handed_over;
  std::map<ProcessId, std::int64_t> due;
  std::function<void()> while_waiting;
};

class RelayTest : public ::testing::Test, public RelayRig {};

TEST_F(RelayTest, OneRelayPerKeyInMethodOrderEachWithItsCommand) {
  settings.Fkey[0] = "1", settings.Fkey[4] = "3", settings.Fkey[13] = "12";
  settings.D_Method[4] = "custom.exe G";
  Resident resident(fake.platform, settings, {});
  resident.StartRelays();
  const auto& started = fake.processes.started;
  ASSERT_EQ(Serving(), "F1 F3 F12");
  const std::string folder = fake.process.program_folder;
  EXPECT_EQ(started[2].program + "|" + started[2].command_line + "|" + started[2].folder + "|" +
                std::to_string(started[2].show_state),
            folder + "\\KOVRAN.EXE|KOVRAN.EXE F12|" + folder + "|2");  // minimised
  EXPECT_EQ(handed_over,
            (std::vector<std::string>{"BANCHIRO.EXE S", "custom.exe G", "BANCHIRO.EXE A"}));
  // The end stops these, not a relay that died and whose window is reused.
  fake.processes.window_owners[0x5000 + started[1].id] = 777;
  FakeLog log;
  resident.End();
  EXPECT_EQ(fake.processes.terminated, (std::vector<ProcessId>{started[0].id, started[2].id}));
  EXPECT_EQ(log.lines, std::vector<std::string>{"relay stop failed: window " +
                                                HandleText(0x5000 + started[1].id) +
                                                " is no longer the relay's"});
}

// A run's first relay gets 15 s (a new file is scanned), others 5 s; a late one
// is ended and reported once a run, when idle; one whose key is taken, neither.
// The developer's log has a line for each relay that does not serve.
TEST_F(RelayTest, TheFirstRelayIsWaitedForLongerAndOneThatNeverComesIsReportedOnce) {
  const struct {
    std::vector<std::int64_t> delays;
    const char *serving, *unserved;
    std::int64_t waited;
    const char* log;
    bool starts = true;
  } cases[] = {{{6000, 1000}, "F2 F4", "", 7000, ""},
               {{14980, 5000}, "F2 F4", "", 19980, ""},
               {{6000, 5020}, "F2", "Ctrl＋Ｆ４", 11000, "F4: no window published"},
               {{kNever, kNever},
                "",
                "Ctrl＋Ｆ２、Ctrl＋Ｆ４",
                20000,
                "F2: no window published F4: no window published"},
               {{kKeyTaken, 0}, "F2 F4", "", 0, "F2: the key is taken"},  // left to its message
               {{}, "", "Ctrl＋Ｆ２、Ctrl＋Ｆ４", 0, "F2 F4", false}};
  for (const auto& c : cases) {
    RelayRig r;
    r.delays = c.delays;
    r.fake.processes.fail_to_start = !c.starts;
    r.settings.Fkey[1] = "2", r.settings.Fkey[3] = "4";
    Resident resident(r.fake.platform, r.settings, {});
    FakeLog log;
    resident.StartRelays();
    std::string logged;
    for (const std::string& line : log.lines)
      logged += (logged.empty() ? "" : " ") + line.substr(line.find(".EXE ") + 5);
    EXPECT_EQ(logged, c.log);
    EXPECT_EQ(log.lines.empty() ? "" : log.lines[0].substr(0, 32),
              *c.log ? "relay start failed: KOVRAN.EXE F" : "");
    EXPECT_EQ(r.Serving(), c.serving);
    EXPECT_EQ(r.fake.clock.slept_ms, c.waited);
    EXPECT_TRUE(r.fake.message_boxes.shown.empty()) << "not in the middle of the start";
    r.fake.clock.GoIdle();
    const auto& shown = r.fake.message_boxes.shown;
    EXPECT_EQ(shown.empty() ? "" : shown[0].title + shown[0].text,
              *c.unserved ? std::string("ホットキー確認KOVRAN.EXE が起動しなかったため、") +
                                c.unserved + " は使用できません。"
                          : "");
    resident.RestartRelays();  // the same again, but only once in a run
    r.fake.clock.GoIdle();
    EXPECT_LE(shown.size(), 1u);
  }
}

// Keys saved while relays start (at start-up, then during that restart) are
// not lost: the relays end up as the keys stored last say.
TEST_F(RelayTest, KeysSavedWhileRelaysStartEndUpServed) {
  delays = {100};
  settings.Fkey[0] = "1", settings.Fkey[1] = "2", settings.Fkey[2] = "3";
  Resident resident(fake.platform, settings, {});
  const char* const saves[][4] = {{"0", "2", "5", "0"}, {"0", "0", "5", "7"}};
  std::size_t saved = 0;  // while the 2nd relay is waited for, then the 4th
  while_waiting = [&] {
    if (saved == 2 || fake.processes.started.size() != 2 * saved + 2) return;
    for (int n = 0; n < 4; ++n)
      settings.Fkey[n] = saves[saved][n];
    ++saved, resident.RestartRelays();
  };
  resident.StartRelays();
  EXPECT_EQ(Serving(), "F5 F7");
  resident.RestartRelays();
  EXPECT_EQ(Serving(), "F5 F7") << "the old ones ended first";
}

// The dialogs first; a write that fails once is made again and an unload
// that throws costs no other step. From its first step on, the end shows no
// window or message box (a dialog finishing its work as it is unloaded gets
// none) and starts no relay.
TEST_F(RelayTest, TheEndInOrderOnceThroughFailuresAndNoWindowOrRelayAfterIt) {
  settings.Fkey[2] = "3";
  std::string steps;
  std::optional<Resident> resident;
  std::optional<ResidentMessageBoxes> boxes;
  const auto show = [&] {
    resident->Show([&] { steps += "shown "; });
    if (boxes->Show("", "", MessageButtons::kOk, MessageIcon::kNone) == MessageAnswer::kOk)
      steps += "box ";
  };
  ExitTargets targets;
  targets.main_position = [&]() -> std::optional<TwipsPoint> {
    steps += "position ";
    fake.store.failing_writes = 1;
    return TwipsPoint{5450, 6530.5};
  };
  targets.unload_version_dialog = [&] {
    steps += "version ";
    throw std::runtime_error("version");
  };
  targets.unload_settings_dialog = [&] {
    steps += "dialog ";
    show();
  };
  targets.unload_palette = [&] {
    steps += "relays " + std::to_string(fake.processes.terminated.size()) + " OptStat " +
             fake.store.Get(kSectionConfig, "OptStat").value_or("") + " ";
  };
  targets.unload_main_window = [&] {
    steps += "main window";
    resident->End();  // its close request comes back here
  };
  resident.emplace(fake.platform, settings, targets);
  boxes.emplace(fake.message_boxes, *resident);
  resident->StartRelays();
  show();
  FakeLog log;
  resident->End();
  resident->StartRelays();
  show();
  EXPECT_EQ(steps, "shown box position version dialog relays 1 OptStat 0 main window");
  EXPECT_EQ(log.lines, std::vector<std::string>{"exit step failed: version"});
  EXPECT_TRUE(resident->ended());
  EXPECT_EQ(fake.store.Get(kSectionPosition, "S_Top"), "5450") << "written again";
  EXPECT_EQ(fake.processes.started.size(), 1u);
  EXPECT_EQ(fake.message_boxes.shown.size(), 1u);
}

// Our stray relay is asked to end first (it stays: the start goes on after a
// while), look-alikes are not; an end during that wait lets no relay start.
TEST_F(RelayTest, StraysAreAskedToEndAndAnEndMeanwhileStartsNoRelay) {
  settings.Fkey[1] = "2";
  FakeWindow stray;
  stray.class_name = std::string(kRelayWindowClassName);
  const WindowHandle left = fake.desktop.Add(stray);
  fake.processes.window_programs[left] = fake.process.program_folder + "\\KOVRAN.EXE";
  fake.processes.window_programs[fake.desktop.Add(stray)] = "C:\\Other\\KOVRAN.EXE";
  fake.desktop.Add(stray);
  Resident resident(fake.platform, settings, {});
  resident.StartRelays();
  EXPECT_EQ(fake.desktop.calls, std::vector<std::string>{"close " + std::to_string(left)});
  EXPECT_EQ(fake.clock.slept_ms, kStrayRelayTimeoutMs);
  while_waiting = [&] { resident.End(); };
  resident.RestartRelays();
  EXPECT_EQ(Serving(), "");
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

// Cancel is the default where OK would end the session, and changes nothing.
// OK saves the state first; the running flag is put back when Windows goes on.
TEST(SystemCommandsTest, TheQuestionsAndTheStateSavedBeforeWindowsEnds) {
  const char* const questions[] = {kClearRecentText, kRestartText, kShutDownText};
  void (SystemCommands::*const commands[])() = {&SystemCommands::ClearRecentDocuments,
                                                &SystemCommands::RestartWindows,
                                                &SystemCommands::ShutDownWindows};
  const std::string saved = "OptRun=2 S_Top=5450 S_Left=6530.5 OptStat=0";
  const struct {
    int index;
    VersionRecord version;
    bool refused;
    std::vector<SessionEnd> asked;
    std::string writes;  // none: Cancel
  } cases[] = {
      {0, {2, 10, 0}, false, {}, ""},
      {1, {2, 10, 0}, false, {}, ""},
      {2, {2, 10, 0}, false, {}, ""},
      {1, {2, 10, 0}, false, {SessionEnd::kRestart}, saved},
      {2, {2, 5, 1}, false, {SessionEnd::kPowerOff}, saved},
      {2, {1, 4, 10}, false, {SessionEnd::kShutDown}, saved},
      {2, {2, 4, 0}, false, {SessionEnd::kShutDown}, saved},  // NT
      {2, {1, 4, 0}, false, {}, saved + " OptStat=1"},        // 95: not asked
      {1, {2, 10, 0}, true, {SessionEnd::kRestart}, saved + " OptStat=1"},
  };
  for (const auto& c : cases) {
    SessionRig r;
    r.fake.system.version = c.version;
    r.session.end_session_works = !c.refused;
    r.fake.message_boxes.answers = {c.writes.empty() ? MessageAnswer::kCancel : MessageAnswer::kOk};
    (r.Commands().*commands[c.index])();
    ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
    const auto& question = r.fake.message_boxes.shown[0];
    EXPECT_EQ(question.text, questions[c.index]);
    EXPECT_EQ(question.default_button,
              c.index == 0 ? DefaultButton::kFirst : DefaultButton::kSecond);
    EXPECT_TRUE(r.session.privilege_enabled) << "enabled whatever the answer";
    EXPECT_EQ(r.session.ended, c.asked) << c.index << " " << c.version.minor;
    EXPECT_EQ(r.NewWrites(), c.writes);
    EXPECT_EQ(r.settings.OptStat, c.writes == saved ? "0" : "1");
    EXPECT_EQ(r.session.recent_documents.size(), 1u);
  }
  SessionRig r;
  r.Commands().ClearRecentDocuments();
  EXPECT_TRUE(r.session.recent_documents.empty());
  r.Commands().EmptyRecycleBin();
  EXPECT_EQ(r.session.recycle_bin_owners, std::vector<WindowHandle>{0x20440});
  EXPECT_EQ(r.fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(r.NewWrites(), "");
}

TEST(SystemCommandsTest, OnlyAPendingActionRunsAtItsMinuteOnceAndWithoutAQuestion) {
  const std::tuple<const char*, const char*, TimeOfDay, std::vector<SessionEnd>> cases[] = {
      {"0", "07", {7, 30}, {SessionEnd::kRestart}},
      {"1", "23", {23, 30}, {SessionEnd::kPowerOff}},
      {"2", "07", {7, 30}, {}},
      {"01", "07", {7, 30}, {}},
      {"0", "07", {7, 31}, {}},
      {"0", "07", {19, 30}, {}}};
  for (const auto& [run, hour, now, asked] : cases) {
    SessionRig r(run);
    r.settings.OptTime = {hour, "30"};
    r.session.now = now;
    SystemCommands commands = r.Commands();
    for (int tick = 0; tick < 3; ++tick)
      commands.OnClockTick();
    EXPECT_TRUE(r.fake.message_boxes.shown.empty()) << "the schedule asks nothing";
    EXPECT_EQ(r.session.ended, asked) << run << " " << now.hour << ":" << now.minute;
  }
  SessionRig pending("1");
  pending.Commands().RestartWindows();
  EXPECT_TRUE(pending.fake.message_boxes.shown.empty()) << "a pending action is the timer's call";
  EXPECT_EQ(ClockText({9, 5}), "09:05");
}

}  // namespace
}  // namespace banchiro
