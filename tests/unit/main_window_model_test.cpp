#include "ui/main/main_window_model.h"

#include <gtest/gtest.h>

#include <tuple>

#include "default_settings.h"

namespace banchiro {
namespace {

using std::to_string;
using W = WindowsName;
constexpr const char* kClassic = "Windows Standard";  // XP without its visual styles

TEST(BarLayoutTest, SizeByBarsAndLookMenusHiddenOnlyWithToolbarOnAndMenuBarOff) {
  const std::tuple<bool, bool, W, const char*, int, int, bool> cases[] = {
      {true, true, W::k98, "", 2500, 1000, true},
      {true, true, W::kXP, "", 2520, 1140, true},
      {true, true, W::kXP, kClassic, 2520, 1000, true},
      {true, true, W::k2000, "", 2500, 1000, true},
      {true, false, W::kXP, "", 2520, 840, false},
      {true, false, W::kXP, kClassic, 2520, 700, false},
      {true, false, W::k2000, "", 2500, 700, false},
      {true, false, W::kNone, "", 2500, 700, false},
      {false, true, W::kXP, kClassic, 2240, 620, true},
      {false, true, W::kXP, "", 2520, 740, true},
      {false, true, W::k2000, kClassic, 2280, 620, true},
      {false, false, W::kNT, "", 2300, 620, true}};  // both off: the menus stay
  for (const auto& [toolbar, menu_bar, windows, scheme, width, height, menus] : cases) {
    const BarLayout l = BarLayoutFor(toolbar, menu_bar, windows, scheme);
    EXPECT_EQ(std::tuple(l.size.width, l.size.height, l.menus_visible),
              std::tuple(width, height, menus));
  }
}

void Add(std::string& list, const std::string& what) {
  list += (list.empty() ? "" : ", ") + what;
}

// A window that notes what it is asked, in one list with the relays started.
struct RecordingView : MainView {
  using Entries = std::vector<const MenuEntry*>;
  WindowHandle Handle() override { return 0x30220; }
  void AddTrayIcon() override { Add(log, "tray add"), on_tray_add(); }
  void DeleteTrayIcon() override { Add(log, "tray delete"); }
  void ApplyBarLayout(const BarLayout& l) override { Add(log, "bar " + to_string(l.size.height)); }
  void MoveTo(const TwipsPoint& p) override { position = p, Add(log, "move"); }
  TwipsPoint Position() override { return position; }
  void SetShowHideState(const ShowHideState& s) override { Add(log, s.hide_enabled ? "+h" : "+s"); }
  void SetDisplayMenu(const Entries& e) override { Add(log, "menu " + to_string(e.size())); }
  void AppendSettingsToSystemMenu() override { Add(log, "system menu"); }
  void Show() override { Add(log, "show"); }
  void Hide() override { Add(log, "hide"); }
  void RestoreToolbar() override { Add(log, "restore toolbar"); }
  void MakeTopmost() override { Add(log, "topmost"); }
  void ShowPopup(int position) override { Add(log, "popup " + to_string(position)); }
  void Destroy() override { Add(log, "destroy"); }

  std::string log;
  std::function<void()> on_tray_add = [] {};
  TwipsPoint position;
};

struct Rig {
  Rig() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.processes.on_start = [this](const auto& s) { Add(view.log, "start " + s.command_line); };
    fake.desktop.Add({}), fake.desktop.Add({});
    settings.Fkey[4] = "5", settings.S_Top = "3", settings.S_Left = "4";
  }
  // What became of an input: the store writes since `from` (but the
  // arrangement's record of the windows), the message boxes, the end of the
  // session, the windows moved or closed, and what the window was asked.
  std::string Effects(std::size_t from) const {
    std::string out;
    const auto writes = fake.store.writes();
    for (auto w = writes.begin() + from; w != writes.end(); ++w) {
      if (w->section != kSectionHWnd) Add(out, w->key + "=" + w->text);
    }
    for (const auto& m : fake.message_boxes.shown)
      Add(out, m.title);
    if (!session.ended.empty()) Add(out, "session ended");
    for (const auto& call : fake.desktop.calls)
      Add(out, call.substr(0, call.find(' ')));
    return view.log.empty() ? out : out.empty() ? view.log : out + ", " + view.log;
  }

  FakePlatform fake;
  FakeSession session;
  Settings settings;
  RecordingView view;
  Resident resident{fake.platform, settings, {{}, {}, {}, [this] { model.Form_QueryUnload(); }}};
  MainWindowRoutines routines{[this] { Add(view.log, "settings dialog"); },
                              [this](int i) { Add(view.log, "help " + to_string(i)); },
                              {}};
  MainWindowModel model{fake.platform, session, settings, resident, view, routines};
};

TEST(MainWindowModelTest, LoadStartsWithTheTrayIconAndEndsWithTheRelays) {
  Rig r;  // XP without its visual styles, centred on a 15360 x 11520 twips screen
  r.fake.system.version = {2, 5, 1};
  r.fake.system.appearance_scheme = kClassic;
  r.settings.OptCent = "1", r.settings.OptWinS = "1";
  r.model.Form_Load();
  r.model.Form_Activate();
  r.settings.RgtClick[2][0] = "0";  // the settings dialog hid an item meanwhile
  r.model.Form_Activate();
  EXPECT_EQ(r.view.log,
            "tray add, bar 1000, move, +s, menu 19, system menu, start KOVRAN.EXE F5, "
            "restore toolbar, menu 19, topmost, menu 18, topmost");
  EXPECT_EQ(std::pair(r.view.position.top, r.view.position.left), std::pair(5260.0, 6420.0));
  // Windows may end the session while the icon is being added: the close runs
  // the exit sequence, which closes the window again (a nested close only
  // deletes the icon and destroys the window), and no relay is started.
  Rig ended;
  ended.view.on_tray_add = [&ended] { ended.model.Form_QueryUnload(); };
  ended.model.Form_Load();
  EXPECT_TRUE(ended.resident.ended());
  EXPECT_EQ(ended.view.log,
            "tray add, tray delete, tray delete, destroy, destroy, bar 1000, move, +h, menu 19, "
            "system menu");
  EXPECT_EQ(std::pair(ended.view.position.top, ended.view.position.left), std::pair(3.0, 4.0));
}

using M = MainWindowModel;
using V = std::uint64_t;
using Input = void (*)(M&, V value);
const Input Button = [](M& m, V n) { m.Toolbar1_ButtonClick(n); };
const Input System = [](M& m, V command) { m.OnSystemCommand(command); };
const Input Tray = [](M& m, V message) { m.Picture1_MouseMove(message); };
const Input Help = [](M& m, V i) { m.OnMenuItem(*FindMenuEntry("mnuHelpContent_KeyWord", i)); };
const Input ShowHide = [](M& m, V i) { m.OnMenuItem(*FindMenuEntry("mnuFileShow_Hide", i)); };
const Input End = [](M& m, V) { m.OnMenuItem(*FindMenuEntry("mnuFileEnd")); };
const Input Timer = [](M& m, V) { m.Timer1_Timer(), m.Timer1_Timer(); };

TEST(MainWindowModelTest, EachInputDoesWhatItsItemOrButtonSays) {
  const struct {
    Input input;
    V value;
    const char* effects;
    MessageAnswer answer = MessageAnswer::kOk;
  } cases[] = {{Button, 7, "settings dialog"},
               {Button, 11, "close, close"},
               {Button, 1, "placement, move, placement, move"},
               {Button, 12, "OptRun=2, S_Top=3, S_Left=4, OptStat=0, 再起動確認, session ended"},
               {Button, 18, ""},
               {System, 1000, "settings dialog"},
               {System, 1000 | 0xF000, ""},
               {Tray, 514, "popup 0"},  // left button up
               {Tray, 517, "popup 1"},  // right button up
               {Tray, 516, ""},
               {Help, 1, "help 1"},
               {ShowHide, 1, "S_Top=3, S_Left=4, OptWinS=1, +s, hide, hidden"},
               {ShowHide, 0, "OptWinS=0, +h, show"},
               {End, 0, "OptStat=0, 終了確認, tray delete, destroy, ended"},
               {End, 0, "終了確認", MessageAnswer::kCancel},
               // A restart at OptTime 07:05, once; "7" is not the clock's "07".
               {Timer, 705, "OptRun=2, S_Top=3, S_Left=4, OptStat=0, session ended"},
               {Timer, 7, ""}};
  for (const auto& c : cases) {
    Rig r;
    r.model.Form_Load();
    r.view.log.clear();
    r.fake.message_boxes.answers = {c.answer};
    r.settings.OptRun = c.input == Timer ? "0" : "2";
    r.settings.OptTime = {c.value == 7 ? "7" : "07", "05"};
    r.session.now = {7, 5};
    const std::size_t writes_before = r.fake.store.writes().size();
    c.input(r.model, c.value);
    if (r.model.hidden()) Add(r.view.log, "hidden");
    if (r.resident.ended()) Add(r.view.log, "ended");
    EXPECT_EQ(r.Effects(writes_before), c.effects) << c.value;
  }
}

}  // namespace
}  // namespace banchiro
