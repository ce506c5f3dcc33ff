#include "ui/main/main_window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "default_settings.h"

namespace banchiro {
namespace {

using std::to_string;
using W = WindowsName;
constexpr const char* kClassic = "Windows Standard";  // XP without its visual styles

// Where a window of 200 x 100 pixels (15 twips each) goes: on two monitors side by side, or the
// left one alone once the right one has gone; below the right one to the nearer; between two
// areas to the nearer, and as near to both to the first.
TEST(PlaceTest, OnAWorkAreaAsStoredOtherwiseWhollyInsideTheNearest) {
  const std::vector<Rect> two = {{0, 0, 1024, 738}, {1024, 0, 800, 570}}, one = {two[0]},
                          side = {{0, 0, 100, 100}, {500, 0, 100, 100}},
                          stacked = {{0, 0, 100, 100}, {0, 500, 100, 100}};
  const std::tuple<std::vector<Rect>, int, int, int, int> cases[] = {
      {two, 1500, 300, 1500, 300}, {one, 1500, 300, 824, 300}, {one, 1000, 700, 1000, 700},
      {one, -400, -900, 0, 0},     {one, 300, 2000, 300, 638}, {{}, 5000, 5000, 5000, 5000},
      {two, 1500, 900, 1500, 470}, {side, 200, 0, 0, 0},       {side, 250, 0, 500, 0},
      {stacked, 0, 300, 0, 500}};
  const ScreenMetrics screen{1024, 768, 15, 15};
  for (const auto& [areas, left, top, want_left, want_top] : cases) {
    const TwipsPoint p = OntoAWorkArea({left * 15.0, top * 15.0, 3000, 1500}, screen, areas);
    EXPECT_EQ(std::pair(p.left, p.top), std::pair(want_left * 15.0, want_top * 15.0))
        << left << "," << top;
  }
}

// Windows 10/11 at 100, 125 and 150 %: caption and fixed border, one line of
// menu bar, the toolbar with 16-pixel icons (32 from 144 dpi). Wine's are smaller.
const std::map<int, BarMetrics> kWindows10 = {
    {96, {29, 20, 26}}, {120, {35, 25, 26}}, {144, {42, 30, 42}}};

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
  bool AddTrayIcon() override {
    Add(log, "tray add"), on_tray_add();
    return refusals >= 0 && ++adds > refusals;
  }
  void DeleteTrayIcon() override { Add(log, "tray delete"); }
  void SetTrayRetry(bool on) override { retrying = on, Add(log, on ? "retry on" : "retry off"); }
  int Dpi() override { return dpi; }
  BarMetrics MeasureBar(int dpi) override { return bar = kWindows10.at(dpi); }
  void SetBar(bool menus, const PixelSize& s) override {
    client = std::max(0, s.height - bar.frame_height - (menus ? bar.menu_height * menu_lines : 0));
    Add(log, "bar " + to_string(s.width) + "x" + to_string(s.height));
  }
  int ClientHeight() override { return client; }
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
  bool retrying = false;
  BarMetrics bar;
  int refusals = 0, adds = 0, client = 0, menu_lines = 1;  // refusals of the next adds; -1: all
  int dpi = 96;                                            // of the bar's monitor
  TwipsPoint position;
  FakePlatform fake;
  FakeSession session;
  Settings settings;
  Resident resident{fake.platform, settings, {{}, {}, {}, [this] { model.OnClose(); }, {}}};
  MainWindowRoutines routines{[this] { Add(log, "settings dialog"); },
                              [this](int i) { Add(log, "help " + to_string(i)); },
                              {}};
  MainWindowModel model{fake.platform, session, settings, resident, *this, routines};
};

// The bar opens where it was stored, on a second monitor too, and wholly on the nearest monitor
// once that one has gone (167 pixels wide at 96 dpi).
TEST(PlaceTest, TheBarOpensOnItsMonitorOrTheNearestOne) {
  for (const bool second_monitor : {true, false}) {
    Rig r;
    r.settings.S_Left = "22500", r.settings.S_Top = "3000";
    r.fake.screen.work_areas = {{0, 0, 1024, 738}};
    if (second_monitor) r.fake.screen.work_areas.push_back({1024, 0, 800, 570});
    r.model.Load();
    EXPECT_EQ(std::pair(r.position.left, r.position.top),
              std::pair(second_monitor ? 22500.0 : (1024 - 167) * 15.0, 3000.0));
  }
}

TEST(MainWindowModelTest, LoadBeginsWithTheTrayIconEndsWithTheRelaysThenActivationRefreshes) {
  Rig r;  // XP without its visual styles, no toolbar, centred on a 15360 x 11520 twips screen
  r.fake.system.version = {2, 5, 1};
  r.fake.system.appearance_scheme = kClassic;
  r.settings.OptCent = "1", r.settings.OptWinS = "1", r.settings.OptTBar = "0";
  r.model.Load();
  r.model.OnActivate();
  r.settings.RgtClick[2][0] = "0";  // the settings dialog hid an item meanwhile
  r.model.OnActivate();
  EXPECT_EQ(r.log,
            "tray add, bar 149x49, move, +s, menu 19, system menu, start KOVRAN.EXE F5, "
            "restore toolbar, menu 19, topmost, menu 18, topmost");
  EXPECT_EQ(std::pair(r.position.top, r.position.left), std::pair(5392.5, 6562.5));
  // Windows may end the session while the icon is being added: no relay then. The exit
  // sequence closes the window again; that close only deletes the icon and destroys the window.
  Rig ended;
  ended.on_tray_add = [&ended] { ended.model.OnClose(); };
  ended.model.Load();
  EXPECT_TRUE(ended.resident.ended());
  EXPECT_EQ(ended.log,
            "tray add, tray delete, tray delete, destroy, destroy, bar 167x75, move, +h, "
            "menu 19, system menu");
}

// The size rule at each scale, bars on and off: the width the rule's for the look (XP with and
// without its styles, 2000 and 10/11, the others), the height the caption, the menu bar when shown
// and the whole toolbar when on, also when large text wraps the menu bar; after the slash the
// rule's own height in twips. The menus go only with the toolbar on and the menu bar off.
TEST(BarLayoutTest, WidthByLookHeightFromCaptionMenuAndToolbarAtEachScale) {
  const std::tuple<int, W, const char*, int, const char*> cases[] = {
      {96, W::k2000, "", 1, " 167x75/1000 167x55/700 152x49/620 152x49/620"},
      {120, W::k2000, "", 1, " 208x86/1000 208x61/700 190x60/620 190x60/620"},
      {144, W::k2000, "", 1, " 250x114/1000 250x84/700 228x72/620 228x72/620"},
      {96, W::k2000, "", 2, " 167x95/1000 167x55/700 152x49/620 152x49/620"},
      {96, W::kXP, kClassic, 1, " 168x75/1000 168x55/700 149x49/620 149x49/620"},
      {96, W::kXP, "", 1, " 168x75/1140 168x55/840 168x49/740 168x49/740"},
      {96, W::k98, "", 1, " 167x75/1000 167x55/700 153x49/620 153x49/620"}};
  for (const auto& [dpi, windows, scheme, menu_lines, sizes] : cases) {
    Rig r;
    r.dpi = dpi;
    r.menu_lines = menu_lines;
    std::string got;
    for (const auto& [toolbar, menu_bar] :
         {std::pair(true, true), {true, false}, {false, true}, {false, false}}) {
      r.model.ApplyBarLayout(BarLayoutFor(toolbar, menu_bar, windows, scheme));
      got += r.log.substr(r.log.rfind(' ')) + "/" + to_string(r.model.layout().size.height);
    }
    EXPECT_EQ(got, sizes) << dpi << " " << scheme;
  }
}

using Input = void (*)(Rig&, std::uint64_t value);
const Input Button = [](Rig& r, std::uint64_t n) { r.model.OnToolbarButton(n); };
const Input System = [](Rig& r, std::uint64_t command) { r.model.OnSystemCommand(command); };
const Input Tray = [](Rig& r, std::uint64_t message) { r.model.OnTrayIconEvent(message); };
// A new taskbar that refuses the icon so many times.
const Input Taskbar = [](Rig& r, std::uint64_t n) {
  r.refusals = n, r.adds = 0, r.model.OnTaskbarCreated();
};
// Windows ends the session (1), or cancels its end (0), also after ours has begun (2).
const Input Session = [](Rig& r, std::uint64_t how) {
  if (how == 2) r.resident.End();
  r.model.OnSessionEnd(how == 1);
};
const Input Item = [](Rig& r, std::uint64_t i) { r.model.OnMenuItem(MainMenuTree().at(i)); };
const Input Cancel = [](Rig& r, std::uint64_t i) {
  r.fake.message_boxes.answers = {MessageAnswer::kCancel}, Item(r, i);
};
// A restart at OptTime 07:05 (or "7":"05" for 7), the clock showing 07:05.
const Input Timer = [](Rig& r, std::uint64_t hour) {
  r.settings.OptRun = "0", r.settings.OptTime = {hour == 7 ? "7" : "07", "05"};
  r.model.OnClockTick(), r.model.OnClockTick();
};

std::uint64_t At(MenuCommand command, int method = -1) {
  return FindMenuItem(command, method) - MainMenuTree().data();
}
// A new taskbar refuses the icon so many times (-1: always), as at sign-in, and the bar is
// hidden, which asks again: the retry ends after kTrayRetries ticks; the effects are the
// hide's and the last tick's.
const Input Retry = [](Rig& r, std::uint64_t refusals) {
  Taskbar(r, refusals), Item(r, At(MenuCommand::kHideWindow));
  int ticks = 0;
  while (r.retrying && ++ticks <= kTrayRetries)
    r.log.clear(), r.model.OnTrayRetryTick();
  EXPECT_EQ(ticks, kTrayRetries);
};

// The tray's left and right button up (514, 517) and Enter or Space (0x401)
// open popups; a bar hidden while the icon is refused comes back when the
// retry gives up, with OptWinS as the user left it.
// While an arrangement shows its message about more than twenty windows, a display item, the
// timed restart and a tray click do nothing; afterwards a tray click works again.
const Input Inside = [](Rig& r, std::uint64_t i) {
  for (int n = 0; n < 19; ++n)
    r.fake.desktop.Add({});
  r.settings.OptRun = "0", r.settings.OptTime = {"07", "05"};
  r.fake.message_boxes.while_shown = [&r, i] {
    r.fake.message_boxes.while_shown = nullptr, Item(r, i), r.model.OnClockTick(), Tray(r, 514);
  };
  Item(r, i), Tray(r, 514);
};

TEST(MainWindowModelTest, EachInputDoesWhatItsItemOrButtonSays) {
  const std::tuple<Input, std::uint64_t, const char*> cases[] = {
      {Button, 7, "settings dialog"},
      {Button, 11, "close, close"},
      {Button, 1, "move, move"},
      {Button, 12, "OptRun=2, S_Top=3, S_Left=4, OptStat=0, 再起動確認, session ended"},
      {Button, 18, ""},
      {System, 1000, "settings dialog"},
      {System, 1000 | 0xF000, ""},
      {Tray, 514, "popup 0"},
      {Tray, 517, "popup 1"},
      {Tray, 516, ""},
      {Tray, 0x401, "popup 0"},
      {Taskbar, 0, "tray add"},
      {Session, 1, "OptStat=0, tray delete, tray delete, destroy, destroy, ended"},
      {Session, 0, "OptStat=1"},
      {Session, 2, "OptStat=0, tray delete, destroy, ended"},
      {Item, At(MenuCommand::kHelpKeywordSearch), "help 0"},
      {Item, At(MenuCommand::kHelpContents), "help 1"},
      {Item, At(MenuCommand::kHideWindow), "S_Top=3, S_Left=4, OptWinS=1, +s, hide, hidden"},
      {Item, At(MenuCommand::kShowWindow), "OptWinS=0, +h, show"},
      {Retry, -1, "S_Top=3, S_Left=4, OptWinS=1, tray add, retry off, +h, show"},
      {Retry, kTrayRetries + 1, "S_Top=3, S_Left=4, OptWinS=1, tray add, retry off, hidden"},
      {Item, At(MenuCommand::kEndProgram), "OptStat=0, 終了確認, tray delete, destroy, ended"},
      {Cancel, At(MenuCommand::kEndProgram), "終了確認"},
      {Timer, 705, "OptRun=2, S_Top=3, S_Left=4, OptStat=0, session ended"},
      {Timer, 7, ""},
      {Inside, At(MenuCommand::kDisplayMethod, 12), "窓の数 確認, popup 0"}};
  for (const auto& [input, value, effects] : cases) {
    Rig r;
    r.model.Load();
    r.log.clear();
    const std::size_t writes_before = r.fake.store.writes().size();
    input(r, value);
    if (r.model.hidden()) Add(r.log, "hidden");
    if (r.resident.ended()) Add(r.log, "ended");
    EXPECT_EQ(r.Effects(writes_before), effects) << value;
  }
}

// With the pointer's monitor chosen, the bar's toolbar and menu arrange the bar's
// monitor; a tray popup's item, or any while the bar is hidden, the pointer's.
TEST(MainWindowModelTest, TheBarsRequestsArrangeTheBarsMonitor) {
  for (const std::string source : {"toolbar", "menu", "tray", "hidden"}) {
    Rig r;
    r.fake.monitors.monitors.push_back({{1024, 0, 800, 600}, {1024, 0, 800, 600}, false});
    r.fake.desktop.windows[1].rect = {1100, 50, 400, 300}, r.settings.OptMon = "1";
    r.model.Load(), r.position = {1500, 18000};  // top, left: on the right monitor
    if (source == "toolbar") r.model.OnToolbarButton(5);
    if (source == "tray") r.model.OnTrayIconEvent(517);
    if (source == "hidden") r.model.HideBar();
    if (source != "toolbar") r.model.OnMenuItem(*MethodMenuEntry(DisplayMethod::kStacked));
    const bool bar = source == "toolbar" || source == "menu";
    const Rect tile = bar ? Rect{1094, 70, 660, 460} : Rect{70, 70, 884, 598};
    EXPECT_EQ(r.fake.desktop.windows[bar].rect, tile) << source;
    EXPECT_EQ(r.fake.desktop.windows[!bar].rect.left, bar ? 10 : 1100) << source;
  }
}

}  // namespace
}  // namespace banchiro
