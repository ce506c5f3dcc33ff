#include "ui/main/main_window_model.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "default_settings.h"
#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

constexpr WindowHandle kMain = 0x30220;

// A window that writes down what it is asked, in one log shared with the
// relay starts, so the order of the load can be checked as a whole.
class RecordingView : public MainView {
 public:
  explicit RecordingView(std::vector<std::string>& log) : log_(log) {}
  WindowHandle Handle() override { return kMain; }
  void AddTrayIcon() override {
    log_.push_back("tray add");
    if (on_tray_add) on_tray_add();
  }
  void DeleteTrayIcon() override { log_.push_back("tray delete"); }
  void ApplyBarLayout(const BarLayout& l) override {
    layout = l;
    log_.push_back("layout");
  }
  void MoveTo(const TwipsPoint& p) override {
    position = p;
    log_.push_back("move");
  }
  TwipsPoint Position() override { return position; }
  void SetShowHideState(const ShowHideState& s) override {
    show_hide = s;
    log_.push_back("show/hide state");
  }
  void SetDisplayMenu(const std::vector<const MenuEntry*>& entries) override {
    display_menu = entries;
    log_.push_back("display menu");
  }
  void AppendSettingsToSystemMenu() override { log_.push_back("system menu"); }
  void Show() override { log_.push_back("show"); }
  void Hide() override { log_.push_back("hide"); }
  void RestoreToolbar() override { log_.push_back("restore toolbar"); }
  void MakeTopmost() override { log_.push_back("topmost"); }
  void ShowPopup(int position) override { log_.push_back("popup " + std::to_string(position)); }
  void Destroy() override { log_.push_back("destroy"); }

  std::function<void()> on_tray_add;
  BarLayout layout;
  TwipsPoint position;
  ShowHideState show_hide;
  std::vector<const MenuEntry*> display_menu;

 private:
  std::vector<std::string>& log_;
};

struct Rig {
  explicit Rig(void (*prepare)(Settings&) = nullptr) {
    loaded = testing::LoadDefaultSettings(fake, settings);
    if (prepare) prepare(settings);
    fake.processes.on_start = [this](const FakeProcesses::Started& s) {
      log.push_back("start " + s.command_line);
    };
  }

  // The exit sequence keeps a copy, so the targets are made before it.
  ExitTargets MakeTargets() {
    ExitTargets t;
    t.unload_main_window = [this] { model.Form_QueryUnload(); };
    t.main_position = [this]() -> std::optional<std::pair<double, double>> {
      return std::make_pair(view.position.top, view.position.left);
    };
    return t;
  }

  std::vector<std::string> writes_since(std::size_t from) const {
    std::vector<std::string> out;
    const auto all = fake.store.writes();
    for (std::size_t i = from; i < all.size(); ++i)
      out.push_back(all[i].key + "=" + all[i].text);
    return out;
  }

  FakePlatform fake;
  FakeSession session;
  Settings settings;
  bool loaded = false;
  std::vector<std::string> log;
  RecordingView view{log};
  RelayTable relays;
  ExitTargets targets = MakeTargets();
  ExitSequence exit{fake.platform, settings, relays, targets};
  int settings_dialogs = 0;
  std::vector<int> help;
  int version_dialogs = 0;
  MainWindowModel model{
      fake.platform,
      session,
      settings,
      relays,
      exit,
      view,
      MainWindowRoutines{[this] { ++settings_dialogs; }, [this](int i) { help.push_back(i); },
                         [this] { ++version_dialogs; }}};
};

TEST(MainWindowModelTest, LoadAddsTheTrayIconFirstAndStartsRelaysLast) {
  Rig r([](Settings& s) { s.Fkey[4] = "5"; });
  ASSERT_TRUE(r.loaded);
  r.model.Form_Load();
  // The relay is told its key on the command line.
  const std::vector<std::string> expected{"tray add",        "layout",       "move",
                                          "show/hide state", "display menu", "system menu"};
  ASSERT_GE(r.log.size(), expected.size() + 1);
  EXPECT_EQ(std::vector<std::string>(r.log.begin(), r.log.begin() + expected.size()), expected);
  EXPECT_EQ(r.log.back().rfind("start ", 0), 0u) << r.log.back();
  EXPECT_EQ(r.fake.processes.started.size(), 1u);
}

TEST(MainWindowModelTest, AnEndDuringTheLoadStartsNoRelays) {
  Rig r([](Settings& s) { s.Fkey[4] = "5"; });
  // The session ends while the icon is being added.
  r.view.on_tray_add = [&r] { r.model.Form_QueryUnload(); };
  r.model.Form_Load();
  EXPECT_TRUE(r.exit.ran());
  EXPECT_TRUE(r.fake.processes.started.empty());
}

TEST(MainWindowModelTest, LoadPlacesTheWindowByItsSizeRule) {
  struct Case {
    const char* cent;
    const char* top;
    const char* left;
    double want_top, want_left;
  };
  // Screen 1024 x 768 px at 15 twips per pixel; defaults give 2500 x 1000.
  for (const Case c : {Case{"0", "120", "360", 120, 360}, Case{"0", "abc", "", 0, 0},
                       Case{"1", "120", "360", (11520 - 1000) / 2.0, (15360 - 2500) / 2.0}}) {
    SCOPED_TRACE(c.cent);
    Rig r;
    r.settings.OptCent = c.cent;
    r.settings.S_Top = c.top;
    r.settings.S_Left = c.left;
    r.model.Form_Load();
    EXPECT_EQ(r.view.layout.size.width, 2500);
    EXPECT_EQ(r.view.layout.size.height, 1000);
    EXPECT_TRUE(r.view.layout.menus_visible);
    EXPECT_DOUBLE_EQ(r.view.position.top, c.want_top);
    EXPECT_DOUBLE_EQ(r.view.position.left, c.want_left);
  }
}

TEST(MainWindowModelTest, HiddenStartOffersOnlyShowing) {
  for (const char* wins : {"0", "1", ""}) {
    SCOPED_TRACE(wins);
    Rig r;
    r.settings.OptWinS = wins;
    r.model.Form_Load();
    const bool hidden = std::string(wins) == "1";
    EXPECT_EQ(r.model.hidden(), hidden);
    EXPECT_EQ(r.view.show_hide.show_enabled, hidden);
    EXPECT_EQ(r.view.show_hide.hide_enabled, !hidden);
  }
}

TEST(MainWindowModelTest, ActivationRestoresTheToolbarOnceAndRefreshesTheMenuEveryTime) {
  Rig r;
  r.model.Form_Load();
  r.log.clear();
  r.model.Form_Activate();
  r.settings.RgtClick[2][0] = "0";  // the settings dialog hid an item meanwhile
  r.model.Form_Activate();
  EXPECT_EQ(r.log, (std::vector<std::string>{"restore toolbar", "display menu", "topmost",
                                             "display menu", "topmost"}));
  EXPECT_EQ(r.view.display_menu.size(), 18u);  // 14 methods + 5 separators - 1
}

TEST(MainWindowModelTest, HideStoresThePositionAndTheChoice) {
  Rig r;
  r.model.Form_Load();
  r.view.position = {4321.5, 765};
  const std::size_t from = r.fake.store.writes().size();
  r.model.mnuFileShow_Hide_Click(1);
  EXPECT_EQ(r.writes_since(from),
            (std::vector<std::string>{"S_Top=4321.5", "S_Left=765", "OptWinS=1"}));
  EXPECT_TRUE(r.model.hidden());
  EXPECT_TRUE(r.view.show_hide.show_enabled);
  EXPECT_FALSE(r.view.show_hide.hide_enabled);
  EXPECT_EQ(r.log.back(), "hide");

  const std::size_t from_show = r.fake.store.writes().size();
  r.model.mnuFileShow_Hide_Click(0);
  EXPECT_EQ(r.writes_since(from_show), std::vector<std::string>{"OptWinS=0"});
  EXPECT_FALSE(r.model.hidden());
  EXPECT_EQ(r.log.back(), "show");

  const std::size_t log_size = r.log.size();
  r.model.mnuFileShow_Hide_Click(2);
  EXPECT_EQ(r.log.size(), log_size);
}

TEST(MainWindowModelTest, EndAsksAndOnlyOkEnds) {
  for (const MessageAnswer answer : {MessageAnswer::kCancel, MessageAnswer::kOk}) {
    Rig r;
    r.model.Form_Load();
    r.fake.message_boxes.answers.push_back(answer);
    const std::size_t from = r.fake.store.writes().size();
    r.model.OnMenuItem(*FindMenuEntry("mnuFileEnd"));
    ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(r.fake.message_boxes.shown[0].text, "「ばんちろ君 for Win」 を終了しますか？");
    EXPECT_EQ(r.fake.message_boxes.shown[0].title, "終了確認");
    EXPECT_EQ(r.fake.message_boxes.shown[0].buttons, MessageButtons::kOkCancel);
    if (answer == MessageAnswer::kCancel) {
      EXPECT_TRUE(r.writes_since(from).empty());
      EXPECT_FALSE(r.exit.ran());
    } else {
      EXPECT_TRUE(r.exit.ran());
      EXPECT_EQ(r.settings.OptStat, "0");
      // The exit sequence unloads the window, which takes the icon with it.
      EXPECT_EQ(r.log.back(), "destroy");
      EXPECT_NE(std::find(r.log.begin(), r.log.end(), "tray delete"), r.log.end());
    }
  }
}

TEST(MainWindowModelTest, CloseRemovesTheIconBeforeTheExitSequenceWithoutAsking) {
  Rig r;
  r.model.Form_Load();
  r.view.position = {300, 450};
  r.log.clear();
  const std::size_t from = r.fake.store.writes().size();
  r.model.Form_QueryUnload();
  EXPECT_TRUE(r.fake.message_boxes.shown.empty());
  ASSERT_FALSE(r.log.empty());
  EXPECT_EQ(r.log.front(), "tray delete");
  EXPECT_EQ(r.log.back(), "destroy");
  EXPECT_EQ(r.writes_since(from),
            (std::vector<std::string>{"S_Top=300", "S_Left=450", "OptStat=0"}));
}

TEST(MainWindowModelTest, ToolbarButtonsRunTheMenuHandlers) {
  {
    Rig r;
    r.model.Form_Load();
    r.fake.message_boxes.answers.push_back(MessageAnswer::kOk);
    r.model.Toolbar1_ButtonClick(12);
    ASSERT_EQ(r.fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(r.fake.message_boxes.shown[0].title, "再起動確認");
    EXPECT_EQ(r.session.ended, std::vector<SessionEnd>{SessionEnd::kRestart});
  }
  {
    Rig r;
    r.model.Form_Load();
    const WindowHandle w = r.fake.desktop.Add({});
    r.model.Toolbar1_ButtonClick(11);  // close all
    EXPECT_NE(std::find(r.fake.desktop.calls.begin(), r.fake.desktop.calls.end(),
                        "close " + std::to_string(w)),
              r.fake.desktop.calls.end());
  }
  {
    Rig r;
    r.model.Form_Load();
    r.model.Toolbar1_ButtonClick(7);
    EXPECT_EQ(r.settings_dialogs, 1);
  }
  for (int number : {0, -1, 18, 1000}) {
    Rig r;
    r.model.Form_Load();
    r.fake.desktop.Add({});
    const std::size_t from = r.fake.store.writes().size();
    r.model.Toolbar1_ButtonClick(number);
    EXPECT_TRUE(r.fake.desktop.calls.empty()) << number;
    EXPECT_TRUE(r.fake.message_boxes.shown.empty()) << number;
    EXPECT_TRUE(r.writes_since(from).empty()) << number;
  }
}

TEST(MainWindowModelTest, DisplayItemsArrangeTheDesktop) {
  Rig r;
  r.model.Form_Load();
  const WindowHandle a = r.fake.desktop.Add({});
  const WindowHandle b = r.fake.desktop.Add({});
  r.model.OnMenuItem(*FindMenuEntry("mnuDispMethod", 0));  // top to bottom
  const Rect ra = r.fake.desktop.Window(a).rect;
  const Rect rb = r.fake.desktop.Window(b).rect;
  EXPECT_EQ(ra.width, rb.width);
  EXPECT_NE(ra.top, rb.top);
}

TEST(MainWindowModelTest, OtherItemsReachTheirRoutines) {
  Rig r;
  r.model.Form_Load();
  r.model.OnMenuItem(*FindMenuEntry("mnuHelpContent_KeyWord", 0));
  r.model.OnMenuItem(*FindMenuEntry("mnuHelpContent_KeyWord", 1));
  r.model.OnMenuItem(*FindMenuEntry("mnuHelpAbout"));
  r.model.OnMenuItem(*FindMenuEntry("mnuOptSettei"));
  r.model.OnMenuItem(*FindMenuEntry("mnuFileDustEmpty"));
  EXPECT_EQ(r.help, (std::vector<int>{0, 1}));
  EXPECT_EQ(r.version_dialogs, 1);
  EXPECT_EQ(r.settings_dialogs, 1);
  EXPECT_EQ(r.session.recycle_bin_owners, std::vector<WindowHandle>{kMain});
}

TEST(MainWindowModelTest, SystemCommandIsComparedWhole) {
  Rig r;
  r.model.Form_Load();
  for (std::uint64_t command : {1000ull, 1001ull, 1000ull | 0xF, 0xF060ull, 0x1000003E8ull})
    r.model.OnSystemCommand(command);
  EXPECT_EQ(r.settings_dialogs, 1);
}

TEST(MainWindowModelTest, TrayOpensPopupsOnButtonUpOnly) {
  Rig r;
  r.model.Form_Load();
  r.log.clear();
  for (int message : {512, 513, 514, 515, 516, 517, 518, 519, 520, 0})
    r.model.Picture1_MouseMove(message);
  EXPECT_EQ(r.log, (std::vector<std::string>{"popup 0", "popup 1"}));
  EXPECT_EQ(TrayTip(kMainCaption), " ばんちろ君 for Win ");
}

TEST(MainWindowModelTest, TimerRunsTheScheduleOnce) {
  Rig r;
  r.model.Form_Load();
  r.settings.OptRun = "0";
  r.settings.OptTime[0] = "7";  // one digit never equals the clock's hour
  r.settings.OptTime[1] = "05";
  r.session.now = {7, 5};
  r.model.Timer1_Timer();
  EXPECT_TRUE(r.session.ended.empty());
  r.settings.OptTime[0] = "07";
  r.model.Timer1_Timer();
  r.model.Timer1_Timer();
  EXPECT_EQ(r.session.ended, std::vector<SessionEnd>{SessionEnd::kRestart});
  EXPECT_EQ(r.settings.OptRun, "2");
  EXPECT_TRUE(r.fake.message_boxes.shown.empty());
}

}  // namespace
}  // namespace banchiro
