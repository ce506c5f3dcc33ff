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
      {true, false, W::kXP, "", 2520, 840, false},
      {true, false, W::kXP, kClassic, 2520, 700, false},
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

// A place in pixels (15 twips each) on two monitors side by side, or on the
// left one alone once the right one has gone.
TEST(PlaceTest, OnAWorkAreaAsStoredOtherwiseWhollyInsideTheNearest) {
  const std::vector<Rect> two = {{0, 0, 1024, 738}, {1024, 0, 800, 570}}, one = {two[0]};
  const struct {
    std::vector<Rect> areas;
    int left, top;  // a window of 200 x 100
    int want_left, want_top;
  } cases[] = {{two, 1500, 300, 1500, 300},
               {one, 1500, 300, 824, 300},
               {one, 1000, 700, 1000, 700},
               {one, -400, -900, 0, 0},
               {one, 300, 2000, 300, 638},
               {{}, 5000, 5000, 5000, 5000},
               {two, 1500, 900, 1500, 470},  // below the right one, nearer to it
               {{{0, 0, 100, 100}, {500, 0, 100, 100}}, 200, 0, 0, 0}};  // as near to both
  const ScreenMetrics screen{1024, 768, 15, 15};
  for (const auto& c : cases) {
    const TwipsPoint p = OntoAWorkArea({c.left * 15.0, c.top * 15.0, 3000, 1500}, screen, c.areas);
    EXPECT_EQ(std::pair(p.left, p.top), std::pair(c.want_left * 15.0, c.want_top * 15.0))
        << c.left << "," << c.top;
  }
}

void Add(std::string& list, const std::string& what) {
  list += (list.empty() ? "" : ", ") + what;
}

// The main window over the fakes, noting what it is asked in one list with the relays started.
struct Rig : MainView {
  using Entries = std::vector<const MenuEntry*>;
  Rig() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.processes.on_start = [this](const auto& s) { Add(log, "start " + s.command_line); };
    fake.desktop.Add({}), fake.desktop.Add({});
    settings.Fkey[4] = "5", settings.S_Top = "3", settings.S_Left = "4";
    session.now = {7, 5};
  }
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
  void ShowPopup(int menu) override { Add(log, "popup " + to_string(menu)); }
  void Destroy() override { Add(log, "destroy"); }

  // What an input did: the store writes since `from` (but the collection's), the message boxes,
  // the end of the session, the desktop's calls, and what the window was asked.
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
    return log.empty() ? out : out.empty() ? log : out + ", " + log;
  }

  std::string log;  // +s and +h: showing, hiding the window is offered
  std::function<void()> on_tray_add = [] {};
  TwipsPoint position;
  FakePlatform fake;
  FakeSession session;
  Settings settings;
  Resident resident{
      fake.platform, settings, {{}, {}, {}, [this] { model.Form_QueryUnload(); }, {}}};
  MainWindowRoutines routines{[this] { Add(log, "settings dialog"); },
                              [this](int i) { Add(log, "help " + to_string(i)); },
                              {}};
  MainWindowModel model{fake.platform, session, settings, resident, *this, routines};
};

TEST(MainWindowModelTest, LoadBeginsWithTheTrayIconEndsWithTheRelaysThenActivationRefreshes) {
  Rig r;  // XP without its visual styles, centred on a 15360 x 11520 twips screen
  r.fake.system.version = {2, 5, 1};
  r.fake.system.appearance_scheme = kClassic;
  r.settings.OptCent = "1", r.settings.OptWinS = "1";
  r.model.Form_Load();
  r.model.Form_Activate();
  r.settings.RgtClick[2][0] = "0";  // the settings dialog hid an item meanwhile
  r.model.Form_Activate();
  EXPECT_EQ(r.log,
            "tray add, bar 1000, move, +s, menu 19, system menu, start KOVRAN.EXE F5, "
            "restore toolbar, menu 19, topmost, menu 18, topmost");
  EXPECT_EQ(std::pair(r.position.top, r.position.left), std::pair(5260.0, 6420.0));
  // Windows may end the session while the icon is being added: no relay then. The exit
  // sequence closes the window again; that close only deletes the icon and destroys the window.
  Rig ended;
  ended.on_tray_add = [&ended] { ended.model.Form_QueryUnload(); };
  ended.model.Form_Load();
  EXPECT_TRUE(ended.resident.ended());
  EXPECT_EQ(ended.log,
            "tray add, tray delete, tray delete, destroy, destroy, bar 1000, move, +h, "
            "menu 19, system menu");
  EXPECT_EQ(std::pair(ended.position.top, ended.position.left), std::pair(3.0, 4.0));
}

using Input = void (*)(Rig&, std::uint64_t value);
const Input Button = [](Rig& r, std::uint64_t n) { r.model.Toolbar1_ButtonClick(n); };
const Input System = [](Rig& r, std::uint64_t command) { r.model.OnSystemCommand(command); };
const Input Tray = [](Rig& r, std::uint64_t message) { r.model.Picture1_MouseMove(message); };
const Input Item = [](Rig& r, std::uint64_t i) { r.model.OnMenuItem(MainMenuTree().at(i)); };
const Input Cancel = [](Rig& r, std::uint64_t i) {
  r.fake.message_boxes.answers = {MessageAnswer::kCancel}, Item(r, i);
};
// A restart at OptTime 07:05 (or "7":"05" for 7), the clock showing 07:05.
const Input Timer = [](Rig& r, std::uint64_t hour) {
  r.settings.OptRun = "0", r.settings.OptTime = {hour == 7 ? "7" : "07", "05"};
  r.model.Timer1_Timer(), r.model.Timer1_Timer();
};

std::uint64_t At(const char* control, int index = -1) {
  return FindMenuEntry(control, index) - MainMenuTree().data();
}

TEST(MainWindowModelTest, EachInputDoesWhatItsItemOrButtonSays) {
  const std::tuple<Input, std::uint64_t, const char*> cases[] = {
      {Button, 7, "settings dialog"},
      {Button, 11, "close, close"},
      {Button, 1, "move, move"},
      {Button, 12, "OptRun=2, S_Top=3, S_Left=4, OptStat=0, 再起動確認, session ended"},
      {Button, 18, ""},
      {System, 1000, "settings dialog"},
      {System, 1000 | 0xF000, ""},
      {Tray, 514, "popup 0"},  // left button up
      {Tray, 517, "popup 1"},  // right button up
      {Tray, 516, ""},
      {Item, At("mnuHelpContent_KeyWord", 1), "help 1"},
      {Item, At("mnuFileShow_Hide", 1), "S_Top=3, S_Left=4, OptWinS=1, +s, hide, hidden"},
      {Item, At("mnuFileShow_Hide", 0), "OptWinS=0, +h, show"},
      {Item, At("mnuFileEnd"), "OptStat=0, 終了確認, tray delete, destroy, ended"},
      {Cancel, At("mnuFileEnd"), "終了確認"},
      {Timer, 705, "OptRun=2, S_Top=3, S_Left=4, OptStat=0, session ended"},
      {Timer, 7, ""}};
  for (const auto& [input, value, effects] : cases) {
    Rig r;
    r.model.Form_Load();
    r.log.clear();
    const std::size_t writes_before = r.fake.store.writes().size();
    input(r, value);
    if (r.model.hidden()) Add(r.log, "hidden");
    if (r.resident.ended()) Add(r.log, "ended");
    EXPECT_EQ(r.Effects(writes_before), effects) << value;
  }
}

// While an arrangement shows its message about more than twenty windows, a
// display item, the timed restart and a tray click do nothing; afterwards
// they work again.
TEST(MainWindowModelTest, NothingStartsInsideAnArrangement) {
  Rig r;
  for (int i = 0; i < 19; ++i)  // 21 with the rig's two
    r.fake.desktop.Add({});
  r.model.Form_Load();
  r.log.clear();
  r.settings.OptRun = "0", r.settings.OptTime = {"07", "05"};  // due now
  const MenuEntry& stack = MainMenuTree().at(At("mnuDispMethod", 0));
  r.fake.message_boxes.while_shown = [&] {
    r.fake.message_boxes.while_shown = nullptr;
    r.model.OnMenuItem(stack);
    r.model.Timer1_Timer();
    r.model.Picture1_MouseMove(514);
  };
  r.model.OnMenuItem(stack);
  EXPECT_EQ(r.fake.message_boxes.shown.size(), 1u);
  EXPECT_TRUE(r.session.ended.empty());
  EXPECT_EQ(r.log, "");
  r.model.Picture1_MouseMove(514);
  EXPECT_EQ(r.log, "popup 0");
}

}  // namespace
}  // namespace banchiro
