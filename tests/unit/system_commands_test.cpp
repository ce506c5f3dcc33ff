#include "app/system_commands.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/arrange.h"
#include "platform/fake/fake_platform.h"
#include "default_settings.h"

namespace banchiro {
namespace {

constexpr WindowHandle kMainWindow = 0x20440;

// A fresh first-start world for each case: platform, session and settings.
struct Rig {
  Rig() {
    loaded = testing::LoadDefaultSettings(fake, settings);
    writes_before = fake.store.writes().size();
  }

  SystemCommands Commands() {
    return SystemCommands(fake.platform, session, settings, kMainWindow, [] {
      return TwipsPoint{5450.0, 6530.5};
    });
  }

  // The writes made after the load.
  std::vector<FakeSettingsStore::Call> NewWrites() const {
    const auto all = fake.store.writes();
    return {all.begin() + static_cast<std::ptrdiff_t>(writes_before), all.end()};
  }

  FakePlatform fake;
  FakeSession session;
  Settings settings;
  bool loaded = false;
  std::size_t writes_before = 0;
};

TEST(SystemCommandsTest, EmptyRecycleBinLeavesTheTalkingToTheShell) {
  Rig r;
  ASSERT_TRUE(r.loaded);
  r.Commands().mnuFileDustEmpty_Click();
  EXPECT_TRUE(r.session.recycle_bin.empty());
  EXPECT_EQ(r.session.recycle_bin_owners, std::vector<WindowHandle>{kMainWindow});
  EXPECT_TRUE(r.fake.message_boxes.shown.empty());
  EXPECT_TRUE(r.NewWrites().empty());
}

TEST(SystemCommandsTest, ClearRecentDocumentsOnlyAfterOk) {
  struct Case {
    MessageAnswer answer;
    bool cleared;
  };
  for (const Case c : {Case{MessageAnswer::kCancel, false}, Case{MessageAnswer::kOk, true}}) {
    SCOPED_TRACE(c.cleared);
    Rig r;
    ASSERT_TRUE(r.loaded);
    r.fake.message_boxes.answers = {c.answer};
    r.Commands().mnuFileWindows_Click(0);
    ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
    const auto& box = r.fake.message_boxes.shown[0];
    EXPECT_EQ(box.text, "「最近使ったﾌｧｲﾙ履歴」 を初期化しますか？");
    EXPECT_EQ(box.title, "初期化確認");
    EXPECT_EQ(box.buttons, MessageButtons::kOkCancel);
    EXPECT_EQ(box.icon, MessageIcon::kQuestion);
    EXPECT_EQ(r.session.recent_documents.empty(), c.cleared);
    EXPECT_TRUE(r.session.privilege_enabled) << "enabled whatever the answer";
    EXPECT_TRUE(r.session.ended.empty());
    EXPECT_TRUE(r.NewWrites().empty());
  }
}

TEST(SystemCommandsTest, RestartAsksThenSavesStateThenRestarts) {
  Rig r;
  ASSERT_TRUE(r.loaded);
  r.fake.message_boxes.answers = {MessageAnswer::kOk};
  r.Commands().mnuFileWindows_Click(1);
  ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
  EXPECT_EQ(r.fake.message_boxes.shown[0].text, "「Microsoft Windows」 を再起動しますか？");
  EXPECT_EQ(r.fake.message_boxes.shown[0].title, "再起動確認");
  EXPECT_EQ(r.fake.message_boxes.shown[0].icon, MessageIcon::kQuestion);
  EXPECT_EQ(r.session.calls, (std::vector<std::string>{"EnableShutdownPrivilege", "EndSession"}));
  EXPECT_EQ(r.session.ended, std::vector<SessionEnd>{SessionEnd::kRestart});

  std::vector<std::string> written;
  for (const auto& w : r.NewWrites())
    written.push_back(w.section + "/" + w.key + "=" + w.text);
  EXPECT_EQ(written, (std::vector<std::string>{"Config/OptRun=2", "Position/S_Top=5450",
                                               "Position/S_Left=6530.5", "Config/OptStat=0"}));
  EXPECT_EQ(r.settings.OptRun, "2");
  EXPECT_EQ(r.settings.S_Top, "5450");
  EXPECT_EQ(r.settings.S_Left, "6530.5");
  EXPECT_EQ(r.settings.OptStat, "0");
}

TEST(SystemCommandsTest, CancelLeavesEverySettingUnchanged) {
  struct Case {
    int index;
    const char *text, *title;
  };
  const Case cases[] = {{1, "「Microsoft Windows」 を再起動しますか？", "再起動確認"},
                        {2, "「Microsoft Windows」 を終了しますか？", "終了確認"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    Rig r;
    ASSERT_TRUE(r.loaded);
    const Settings before = r.settings;
    r.fake.message_boxes.answers = {MessageAnswer::kCancel};
    r.Commands().mnuFileWindows_Click(c.index);
    ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(r.fake.message_boxes.shown[0].text, c.text);
    EXPECT_EQ(r.fake.message_boxes.shown[0].title, c.title);
    EXPECT_EQ(r.fake.message_boxes.shown[0].buttons, MessageButtons::kOkCancel);
    EXPECT_TRUE(r.NewWrites().empty());
    EXPECT_EQ(r.settings.OptRun, before.OptRun);
    EXPECT_EQ(r.settings.OptStat, before.OptStat);
    EXPECT_EQ(r.settings.S_Top, before.S_Top);
    EXPECT_TRUE(r.session.ended.empty());
  }
}

// Only a pending "0" or "1" is the timer's call and goes without a question;
// a damaged value asks like "2", and is never taken for a schedule.
TEST(SystemCommandsTest, OnlyAPendingScheduleGoesWithoutAQuestion) {
  struct Case {
    const char* opt_run;
    bool asked;
  };
  const Case cases[] = {{"0", false},  {"1", false}, {"2", true},  {"", true},
                        {"abc", true}, {"3", true},  {" 1", true}, {"01", true}};
  for (const Case& c : cases) {
    for (const int index : {1, 2}) {
      SCOPED_TRACE(std::string("'") + c.opt_run + "' " + std::to_string(index));
      Rig r;
      ASSERT_TRUE(r.loaded);
      r.settings.OptRun = c.opt_run;
      r.fake.message_boxes.answers = {MessageAnswer::kOk};
      r.Commands().mnuFileWindows_Click(index);
      EXPECT_EQ(r.fake.message_boxes.shown.size(), c.asked ? 1u : 0u);
      EXPECT_EQ(r.session.ended.size(), 1u);
      EXPECT_EQ(r.fake.store.Get(kSectionConfig, "OptRun"), "2");
      EXPECT_EQ(r.settings.OptRun, "2");
    }
  }
}

TEST(SystemCommandsTest, ShutDownKindFollowsTheWindowsName) {
  struct Case {
    VersionRecord version;
    const char* name;
    std::optional<SessionEnd> how;
  };
  const Case cases[] = {
      {{1, 4, 0}, "Windows 95", std::nullopt},
      {{1, 4, 10}, "Windows 98", SessionEnd::kShutDown},
      {{1, 4, 90}, "Windows Me", SessionEnd::kShutDown},
      {{2, 4, 0}, "Windows NT", SessionEnd::kShutDown},
      {{2, 5, 0}, "Windows 2000", SessionEnd::kPowerOff},
      {{2, 5, 1}, "Windows XP", SessionEnd::kPowerOff},
      {{3, 0, 0}, "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    ASSERT_TRUE(r.loaded);
    r.fake.system.version = c.version;
    ASSERT_EQ(GetWindowsName(c.version), c.name);
    r.Commands().mnuFileWindows_Click(2);
    EXPECT_EQ(r.session.ended, c.how ? std::vector<SessionEnd>{*c.how} : std::vector<SessionEnd>{});
    // Written whether or not Windows was asked.
    EXPECT_EQ(r.fake.store.Get(kSectionConfig, "OptRun"), "2");
    EXPECT_EQ(r.fake.store.Get(kSectionPosition, "S_Top"), "5450");
    // A session that goes on keeps the running flag of the instance that goes on.
    const char* flag = c.how ? "0" : "1";
    EXPECT_EQ(r.fake.store.Get(kSectionConfig, "OptStat"), flag);
    EXPECT_EQ(r.settings.OptStat, flag);
  }
}

TEST(SystemCommandsTest, ARefusedEndLeavesTheProgramMarkedAsRunning) {
  struct Case {
    bool privilege_works, end_session_works;
  };
  for (const Case c : {Case{false, true}, Case{true, false}}) {
    SCOPED_TRACE(c.privilege_works);
    Rig r;
    ASSERT_TRUE(r.loaded);
    r.session.privilege_works = c.privilege_works;
    r.session.end_session_works = c.end_session_works;
    r.Commands().mnuFileWindows_Click(1);
    EXPECT_EQ(r.session.ended, std::vector<SessionEnd>{SessionEnd::kRestart});
    EXPECT_EQ(r.fake.store.Get(kSectionConfig, "OptStat"), "1");
    EXPECT_EQ(r.settings.OptStat, "1");
    EXPECT_EQ(r.fake.store.Get(kSectionConfig, "OptRun"), "2") << "not tried again this minute";
    EXPECT_EQ(r.fake.store.Get(kSectionPosition, "S_Left"), "6530.5");
  }
}

TEST(SystemCommandsTest, OtherIndexesDoNothing) {
  Rig r;
  ASSERT_TRUE(r.loaded);
  for (const int index : {-1, 3, 1000}) {
    r.Commands().mnuFileWindows_Click(index);
  }
  EXPECT_TRUE(r.session.calls.empty());
  EXPECT_TRUE(r.fake.message_boxes.shown.empty());
  EXPECT_TRUE(r.NewWrites().empty());
}

TEST(SystemCommandsTest, TimerStartsTheScheduledActionInItsMinuteOnly) {
  struct Case {
    const char *opt_run, *hour, *minute;
    TimeOfDay now;
    std::optional<SessionEnd> how;
  };
  const Case cases[] = {
      {"0", "07", "30", {7, 30}, SessionEnd::kRestart},
      {"1", "23", "05", {23, 5}, SessionEnd::kPowerOff},  // the fake runs "Windows 2000"
      {"0", "00", "00", {0, 0}, SessionEnd::kRestart},
      {"2", "07", "30", {7, 30}, std::nullopt},
      {"0", "07", "30", {7, 31}, std::nullopt},
      {"0", "07", "30", {19, 30}, std::nullopt},
      {"1", "12", "00", {0, 0}, std::nullopt},  // a 24-hour clock
      {"0", "7", "30", {7, 30}, std::nullopt},  // one digit never matches
      {"abc", "07", "30", {7, 30}, std::nullopt},
      {"", "07", "30", {7, 30}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.opt_run) + " " + c.hour + ":" + c.minute);
    Rig r;
    ASSERT_TRUE(r.loaded);
    r.settings.OptRun = c.opt_run;
    r.settings.OptTime = {c.hour, c.minute};
    r.session.now = c.now;
    r.Commands().Timer1_Timer();
    EXPECT_TRUE(r.fake.message_boxes.shown.empty());
    EXPECT_EQ(r.session.ended, c.how ? std::vector<SessionEnd>{*c.how} : std::vector<SessionEnd>{});
    EXPECT_EQ(r.NewWrites().empty(), !c.how);
  }
}

TEST(SystemCommandsTest, TheScheduledActionRunsOnce) {
  Rig r;
  ASSERT_TRUE(r.loaded);
  r.settings.OptRun = "0";
  r.settings.OptTime = {"22", "15"};
  r.session.now = {22, 15};
  SystemCommands commands = r.Commands();
  for (int tick = 0; tick < 6; ++tick)
    commands.Timer1_Timer();
  EXPECT_EQ(r.session.ended, std::vector<SessionEnd>{SessionEnd::kRestart});
  EXPECT_EQ(r.settings.OptRun, "2");
}

TEST(ClockTextTest, TwoDigitsEach) {
  struct Case {
    TimeOfDay time;
    const char* text;
  };
  for (const Case& c : {Case{{0, 0}, "00:00"}, Case{{9, 5}, "09:05"}, Case{{13, 40}, "13:40"},
                        Case{{23, 59}, "23:59"}}) {
    EXPECT_EQ(ClockText(c.time), c.text);
  }
}

}  // namespace
}  // namespace banchiro
