#include "ui/main/main_window_model.h"

#include <gtest/gtest.h>

#include "default_settings.h"

namespace banchiro {
namespace {

using std::to_string;

std::string Join(const std::vector<std::string>& parts) {
  std::string text;
  for (const auto& part : parts)
    text += (text.empty() ? "" : ", ") + part;
  return text;
}

// A window that notes what it is asked, in one log with the relays started.
struct RecordingView : MainView {
  void Note(const std::string& what) { log.push_back(what); }
  WindowHandle Handle() override { return 0x30220; }
  void AddTrayIcon() override { Note("tray add"), on_tray_add(); }
  void DeleteTrayIcon() override { Note("tray delete"); }
  void ApplyBarLayout(const BarLayout& l) override { Note("layout " + to_string(l.size.height)); }
  void MoveTo(const TwipsPoint& p) override { position = p, Note("move"); }
  TwipsPoint Position() override { return position; }
  void SetShowHideState(const ShowHideState& s) override {
    Note(s.show_enabled && !s.hide_enabled ? "offer show" : "offer hide");
  }
  void SetDisplayMenu(const std::vector<const MenuEntry*>& e) override {
    Note("display menu " + to_string(e.size()));
  }
  void AppendSettingsToSystemMenu() override { Note("system menu"); }
  void Show() override { Note("show"); }
  void Hide() override { Note("hide"); }
  void RestoreToolbar() override { Note("restore toolbar"); }
  void MakeTopmost() override { Note("topmost"); }
  void ShowPopup(int position) override { Note("popup " + to_string(position)); }
  void Destroy() override { Note("destroy"); }

  std::vector<std::string> log;
  std::function<void()> on_tray_add = [] {};
  TwipsPoint position;
};

struct Rig {
  Rig() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    fake.processes.on_start = [this](const auto& s) { view.Note("start " + s.command_line); };
    fake.desktop.Add({}), fake.desktop.Add({});
  }
  // Loaded, at 300/450 twips, with nothing noted yet.
  void Load() {
    model.Form_Load();
    view.position = {300, 450};
    view.log.clear();
  }
  ExitTargets Targets() {
    ExitTargets t;
    t.main_position = [this] { return std::optional<TwipsPoint>(view.position); };
    t.unload_main_window = [this] { model.Form_QueryUnload(); };
    return t;
  }
  // What became of an input: the store writes since `from` (but the
  // arrangement's record of the windows), the message boxes, the end of the
  // session, the windows moved or closed, and what the window was asked.
  std::string Effects(std::size_t from) const {
    std::vector<std::string> out;
    const auto writes = fake.store.writes();
    for (auto w = writes.begin() + from; w != writes.end(); ++w) {
      if (w->section != kSectionHWnd) out.push_back(w->key + "=" + w->text);
    }
    for (const auto& m : fake.message_boxes.shown)
      out.push_back(m.title);
    out.insert(out.end(), session.ended.size(), "session ended");
    for (const auto& call : fake.desktop.calls)
      out.push_back(call.substr(0, call.find(' ')));
    out.insert(out.end(), view.log.begin(), view.log.end());
    return Join(out);
  }

  FakePlatform fake;
  FakeSession session;
  Settings settings;
  RecordingView view;
  Resident resident{fake.platform, settings, Targets()};
  MainWindowModel model{
      fake.platform, session, settings,
      resident,      view,    MainWindowRoutines{[this] { view.Note("settings dialog"); }, {}, {}}};
};

TEST(MainWindowModelTest, LoadStartsWithTheTrayIconAndEndsWithTheRelaysThenActivation) {
  Rig r;
  r.settings.Fkey[4] = "5";
  r.settings.OptWinS = "1";
  r.fake.system.version = {2, 5, 1};  // XP, without its visual styles
  r.fake.system.appearance_scheme = "Windows Standard";
  r.model.Form_Load();
  r.model.Form_Activate();
  r.settings.RgtClick[2][0] = "0";  // the settings dialog hid an item meanwhile
  r.model.Form_Activate();
  EXPECT_EQ(
      Join(r.view.log),
      "tray add, layout 1000, move, offer show, display menu 19, system menu, "
      "start KOVRAN.EXE F5, restore toolbar, display menu 19, topmost, display menu 18, topmost");
  // Windows may end the session while the icon is being added.
  Rig ended;
  ended.settings.Fkey[4] = "5";
  ended.view.on_tray_add = [&ended] { ended.model.Form_QueryUnload(); };
  ended.model.Form_Load();
  EXPECT_TRUE(ended.resident.ended());
  EXPECT_TRUE(ended.fake.processes.started.empty());
}

using Input = void (*)(MainWindowModel&, std::uint64_t value);
const Input Button = [](MainWindowModel& m, std::uint64_t n) { m.Toolbar1_ButtonClick(n); };
const Input System = [](MainWindowModel& m, std::uint64_t command) { m.OnSystemCommand(command); };
const Input Tray = [](MainWindowModel& m, std::uint64_t message) { m.Picture1_MouseMove(message); };
const Input ShowHide = [](MainWindowModel& m, std::uint64_t i) { m.mnuFileShow_Hide_Click(i); };
const Input End = [](MainWindowModel& m, std::uint64_t) {
  m.OnMenuItem(*FindMenuEntry("mnuFileEnd"));
};
const Input Close = [](MainWindowModel& m, std::uint64_t) { m.Form_QueryUnload(); };

TEST(MainWindowModelTest, EachInputDoesWhatItsItemOrButtonSays) {
  const struct {
    Input input;
    std::uint64_t value;
    const char* effects;
    MessageAnswer answer = MessageAnswer::kOk;
  } cases[] = {
      {Button, 7, "settings dialog"},
      {Button, 11, "close, close"},
      {Button, 12, "OptRun=2, S_Top=300, S_Left=450, OptStat=0, 再起動確認, session ended"},
      {Button, 0, ""},
      {Button, 18, ""},
      {System, 1000, "settings dialog"},
      {System, 1000 | 0xF000, ""},
      {System, 0x1000003E8, ""},
      {Tray, 514, "popup 0"},  // left button up
      {Tray, 517, "popup 1"},  // right button up
      {Tray, 513, ""},
      {Tray, 516, ""},
      {ShowHide, 1, "S_Top=300, S_Left=450, OptWinS=1, offer show, hide, hidden"},
      {ShowHide, 0, "OptWinS=0, offer hide, show"},
      {ShowHide, 2, ""},
      {End, 0, "S_Top=300, S_Left=450, OptStat=0, 終了確認, tray delete, destroy, ended"},
      {End, 0, "終了確認", MessageAnswer::kCancel},
      // The exit sequence closes the window again, which only deletes and destroys.
      {Close, 0,
       "S_Top=300, S_Left=450, OptStat=0, tray delete, tray delete, destroy, destroy, "
       "ended"}};
  for (const auto& c : cases) {
    Rig r;
    r.Load();
    r.fake.message_boxes.answers = {c.answer};
    const std::size_t writes_before = r.fake.store.writes().size();
    c.input(r.model, c.value);
    if (r.model.hidden()) r.view.Note("hidden");
    if (r.resident.ended()) r.view.Note("ended");
    EXPECT_EQ(r.Effects(writes_before), c.effects) << c.value;
  }
}

TEST(MainWindowModelTest, TimerRunsTheScheduledActionOnceWithoutAsking) {
  Rig r;
  r.Load();
  r.settings.OptRun = "0";  // restart at OptTime
  r.session.now = {7, 5};
  // One digit never equals the clock's hour.
  for (const auto& [hour, effects] :
       {std::pair{"7", ""},
        {"07", "OptRun=2, S_Top=300, S_Left=450, OptStat=0, session ended"},
        {"07", ""}}) {
    const std::size_t writes_before = r.fake.store.writes().size();
    r.session.ended.clear();
    r.settings.OptTime = {hour, "05"};
    r.model.Timer1_Timer();
    EXPECT_EQ(r.Effects(writes_before), effects) << hour;
  }
}

}  // namespace
}  // namespace banchiro
