// The settings dialog's model over the fakes: what it shows, what its
// spinners do, and what its general tab writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "settings_dialog_rig.h"
#include "ui/settings/dialog_controls.h"
#include "ui/settings/dialog_layout.h"

namespace banchiro {
namespace {

TEST(SettingsDialogTest, FillsEveryControlFromTheRecord) {
  Rig r;
  r.settings.OptLATab = "9", r.settings.OptRun = "0", r.settings.OptCas = "2";
  r.settings.OptTime = {"7", "05"};  // the labels keep a stored text as it is
  r.settings.OptRat = {"12", "5"};
  r.settings.RgtClick[0][0] = "1", r.settings.OptJog[0] = "1", r.settings.OptIval[3] = "-5";
  r.settings.OptHgt[0] = "1200";  // beyond the spinner's 999
  r.settings.JogaiWid[50] = "メモ\r\n帳", r.settings.JogaiWid[60] = " ";
  r.settings.JogaiWid[70] = "a\rb\nc";
  r.settings.Fkey[0] = "3", r.settings.Fkey[4] = "5", r.settings.FkeyDisp[4] = "1";
  r.settings.OptUndo = "1";
  r.model.Load();
  const SettingsDialogState& s = r.state();
  EXPECT_EQ(r.renders, 1) << "the controls are shown once, filled";
  EXPECT_EQ(s.general, (std::array<bool, 6>{true, false, true, true, true, true}));
  EXPECT_EQ(std::tuple(s.tab, s.pending_run, s.time.hour, s.cascade, s.cascade_label,
                       s.time.hour_label + ":" + s.time.minute_label, s.colour[0],
                       s.edge_label[2][3] + " " + s.edge_label[1][0]),
            std::tuple(3, 0, 7, 20, "2.0", "7:05", "65535", "-5 70"));
  EXPECT_EQ(s.ratio, (std::array<int, 4>{12, 5, 8, 15}));
  EXPECT_EQ(s.ratio_label, (std::array<std::string, 4>{"12", "5", "8", "15"}));
  // One row for each title, in order: a line break shows as a blank.
  const auto& list =
      SettingsDialogControls()[ControlIndex(ControlKind::kList, ControlRole::kTitles)];
  EXPECT_EQ(WhatControlShows(s, list).text,
            "ばんちろ君 for Win\nファンクションキー\nメモ 帳\na b c\n");
  EXPECT_EQ(std::tuple(s.pending_key[0], s.pending_key[4], s.size_rule_height[0]),
            std::tuple(3, 5, 999));
  EXPECT_TRUE(s.size_rule_on[0] && !s.size_rule_on[1] && s.on_palette[4] && s.right_click[2][13] &&
              s.right_click[0][0] && s.separator[4] && s.undo_arrangement);
  // A run option that is no option schedules nothing, as the timer reads it.
  for (const char* damaged : {"01", "3", ""}) {
    r.settings.OptRun = damaged;
    r.model.Load();
    EXPECT_EQ(r.state().pending_run, 2) << damaged;
  }
}

TEST(SettingsDialogTest, RunTimeWrapsAndTheLinkCarriesTheMinuteIntoTheHour) {
  // hour, minute, linked, the minute stepped (or the hour), the step, shown
  const std::tuple<int, int, bool, bool, int, const char*> cases[] = {
      {23, 59, true, true, +1, "00:00"}, {23, 59, false, true, +1, "23:00"},
      {0, 0, true, true, -1, "23:59"},   {0, 0, false, true, -1, "00:59"},
      {12, 59, true, true, +1, "13:00"}, {23, 30, true, false, +1, "00:30"},
      {0, 30, true, false, -1, "23:30"}, {9, 8, true, false, +1, "10:08"},
      {12, 0, true, true, -1, "11:59"},  {8, 59, true, true, +1, "09:00"}};
  for (const auto& [hour, minute, linked, minute_step, step, shown] : cases) {
    Rig r;
    r.model.Load();
    r.model.SetTimeLinked(linked), r.model.SetRunTime(false, hour);
    r.model.SetRunTime(true, minute);
    const RunTime& t = r.state().time;
    r.model.SetRunTime(minute_step, (minute_step ? t.minute : t.hour) + step);
    EXPECT_EQ(t.hour_label + ":" + t.minute_label, shown) << hour << ":" << minute << linked;
  }
}

TEST(SettingsDialogTest, CascadeSizeInTenthsAndTheRatioPairsAddUpToTwenty) {
  Rig r;
  r.model.Load();
  EXPECT_EQ(r.state().tab, 0) << "OptLATab 0: the first tab";
  const std::pair<int, const char*> cascades[] = {{1, "0.1"},  {0, "0.1"},  {30, "3.0"},
                                                  {31, "3.0"}, {10, "1.0"}, {11, "1.1"}};
  for (const auto& [tenths, label] : cascades) {
    r.model.SetCascade(tenths);
    EXPECT_EQ(r.state().cascade_label, label) << tenths;
  }
  r.model.SetRatio(2, 15), r.model.SetRatio(1, 19);  // the bottom moves the top
  EXPECT_EQ(r.state().ratio, (std::array<int, 4>{5, 19, 15, 1}));
  EXPECT_EQ(r.state().ratio_label[0] + " " + r.state().ratio_label[3], "5 1");
  r.model.SetRatio(3, 25);  // beyond the bar's range
  EXPECT_EQ(r.state().ratio[3] + r.state().ratio[1], 20);
  EXPECT_EQ(r.state().ratio[3], 19);
  // Each edge spinner keeps its own range; every label of the row follows.
  using P = EdgePart;
  const std::tuple<EdgePart, int, const char*> edges[] = {{P::kCount, 9, "5"},
                                                          {P::kSize, -3, "0"},
                                                          {P::kSize, 151, "150"},
                                                          {P::kAdjustment, -71, "-70"},
                                                          {P::kAdjustment, 200, "200"}};
  for (const auto& [part, value, label] : edges) {
    r.model.SetEdgeGap(part, 2, value);
    EXPECT_EQ(r.state().edge_label[static_cast<int>(part)][2], label) << value;
  }
}

TEST(SettingsDialogTest, NeverBothBarsOffHelpOfTheTabShownAndTheToolbarsOwnDialog) {
  Rig r;
  r.settings.help_file_path = "B.HLP";
  r.model.Load();
  r.model.SelectTab(2), r.model.OnHelp();
  r.model.SelectTab(0), r.model.OnHelp(), r.model.CustomizeToolbar();
  r.model.NextTab(true), r.model.OnHelp();  // round from the first tab to the last
  r.model.NextTab(false), r.model.NextTab(false);
  EXPECT_EQ(r.log, "B.HLP 38, B.HLP 26, customise toolbar, B.HLP 46, focus");
  r.model.SetGeneralBox(kToolbarBox, false);
  EXPECT_EQ(r.settings.OptTBar, "0") << "in the record before any save";
  EXPECT_TRUE(r.fake.message_boxes.shown.empty());
  r.model.SetGeneralBox(kMenuBarBox, false);
  EXPECT_EQ(r.Boxes(), "設定確認, 強制設定");
  EXPECT_EQ(r.fake.message_boxes.shown[0].text, kBothBarsOffText);
  EXPECT_TRUE(r.state().general[kMenuBarBox]);
  EXPECT_EQ(r.settings.OptMBar, "1");
  r.model.SetGeneralBox(kMenuBarBox, false);  // the other way round
  r.model.SetGeneralBox(kToolbarBox, false);
  EXPECT_EQ(r.Boxes(), "設定確認, 強制設定, 設定確認, 強制設定");
  // Cancel writes nothing, but the record keeps what the boxes set.
  r.model.OnCancel();
  EXPECT_EQ(r.log.substr(r.log.rfind(' ') + 1), "close");
  EXPECT_EQ(r.Writes(), "");
  EXPECT_EQ(r.settings.OptMBar + r.settings.OptTBar, "10");
}

TEST(SettingsDialogTest, TheGeneralTabWritesEverySettingInOrder) {
  Rig r;
  r.model.Load();
  r.model.SetGeneralBox(kMenuBarBox, false), r.model.SetRunAction(1);
  r.model.SetRunTime(false, 7), r.model.SetRunTime(true, 5), r.model.SetCascade(25);
  r.model.SetRatio(0, 15), r.model.SetRatio(1, 6);
  r.model.SetEdgeGap(EdgePart::kAdjustment, 3, -5), r.model.SetUndoArrangement(true);
  r.model.SelectTab(2);
  r.model.OnOk();  // OK: every tab, this one first
  EXPECT_EQ(r.Writes().substr(0, r.Writes().find(" JogaiWid(0)=")),
            "OptLogo=1 OptMBar=0 OptTBar=1 OptCent=0 OptTBar2=1 OptLAct=1 OptLATab=2 OptRun=1 "
            "OptTime(0)=07 OptTime(1)=05 OptRel=1 OptCas=2.5 OptRat(0)=15 OptRat(1)=6 OptSat(0)=1 "
            "OptPix(0)=70 OptIval(0)=0 OptSat(1)=1 OptPix(1)=70 OptIval(1)=0 OptSat(2)=1 "
            "OptPix(2)=70 OptIval(2)=0 OptSat(3)=1 OptPix(3)=70 OptIval(3)=-5 OptUndo=1");
  // The menu bar off with the toolbar on; the toolbar saved; closed last.
  EXPECT_EQ(r.log, "bar 2500x700, save toolbar, no palette, relays, close");
  EXPECT_EQ(r.settings.S_Top + " " + r.settings.S_Left, "5445 6525");
  EXPECT_EQ(r.settings.OptCas + " " + r.settings.OptTime[0] + ":" + r.settings.OptTime[1] + " " +
                r.settings.OptRat[0] + "/" + r.settings.OptRat[1] + " " + r.settings.OptIval[3],
            "2.5 07:05 15/6 -5")
      << "the record follows the store";
}

TEST(SettingsDialogTest, CentringAndTheLastTabFollowTheirBoxes) {
  // 1024 x 768 at 15 twips a pixel; the bar is 2500 x 1000 twips, or on XP
  // 2520 x 1140 with its styles and 2520 x 1000 without (the scheme is read
  // afresh when the tab is saved).
  const struct {
    bool centre, last_tab;
    TwipsPoint place;
    const char *scheme, *log, *position, *tab;
  } cases[] = {
      {true, true, {5445, 6525}, nullptr, "bar 2500x1000, move 5260,6430", "5450 6530", "3"},
      {false, true, {0, 0}, "", "bar 2520x1140, move 5190,6420", "5190 6420", "3"},
      {false, false, {0, 900}, "Windows Standard", "bar 2520x1000", "0 900", "0"}};
  for (const auto& c : cases) {
    Rig r;
    r.place = c.place;
    if (c.scheme) {
      r.fake.system.version = {2, 5, 1};
      r.fake.system.appearance_scheme = c.scheme;
    }
    r.model.Load();
    r.model.SelectTab(3), r.model.SetGeneralBox(kCentreBox, c.centre);
    r.model.SetGeneralBox(kLastTabBox, c.last_tab), r.model.SetGeneralBox(kSaveToolbarBox, false);
    r.model.SaveGeneralTab();
    EXPECT_EQ(r.log, c.log);
    EXPECT_EQ(r.settings.S_Top + " " + r.settings.S_Left, c.position);
    EXPECT_EQ(r.fake.store.Get(kSectionPosition, "OptCent"), c.centre ? "1" : "0");
    EXPECT_EQ(r.fake.store.Get(kSectionConfig, "OptLATab"), c.tab);
    EXPECT_FALSE(r.Writes().find("S_Top") != std::string::npos) << "the record only";
  }
}

// Each control stands once (the view finds it by kind, role and index); no
// two controls of a tab overlap but frames around their contents; every
// control lies inside the client area, the page's controls on it and, but for
// the key rows and the guide's box, inside a frame.
TEST(SettingsDialogLayoutTest, EachControlOnceFittingAndNotOverlapping) {
  const auto& controls = SettingsDialogControls();
  std::set<std::tuple<ControlKind, ControlRole, int>> seen;
  for (const DialogControl& c : controls) {
    const bool label = c.role == ControlRole::kNone;  // a frame, caption or sign
    EXPECT_TRUE(label || seen.insert({c.kind, c.role, c.index}).second) << c.index;
  }
  const auto inside = [](const TwipsRect& a, const TwipsRect& b) {
    return a.left >= b.left && a.top >= b.top && a.left + a.width <= b.left + b.width &&
           a.top + a.height <= b.top + b.height;
  };
  const auto overlap = [](const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
  };
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const DialogControl& a = controls[i];
    EXPECT_TRUE(inside(a.rect, {0, 0, kSettingsWidthTwips, kSettingsHeightTwips})) << i;
    if (a.tab >= 0) {
      EXPECT_TRUE(inside(a.rect, kSettingsPageTwips)) << i;
      EXPECT_TRUE(a.kind == ControlKind::kFrame || a.role == ControlRole::kKey ||
                  a.role == ControlRole::kOnPalette || a.role == ControlRole::kGuide ||
                  std::any_of(controls.begin(), controls.end(),
                              [&](const DialogControl& f) {
                                return f.kind == ControlKind::kFrame && f.tab == a.tab &&
                                       inside(a.rect, f.rect);
                              }))
          << i;
    }
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const DialogControl& b = controls[j];
      if (a.tab != b.tab || a.kind == ControlKind::kFrame || b.kind == ControlKind::kFrame)
        continue;
      EXPECT_FALSE(overlap(a.rect, b.rect)) << i << " " << j;
    }
  }
}

// Every spinner, scroll bar, box and option button of the table reaches its
// handler, which shows the change at once (a value label its number); out of
// range, a handler changes and shows nothing. Enter presses a button.
TEST(SettingsDialogControlsTest, EachControlMovesWhatItShowsAndEnterItsButton) {
  using R = ControlRole;
  Rig r;
  r.model.Load();
  const auto& table = SettingsDialogControls();
  const auto shows = [&](const DialogControl& c) { return WhatControlShows(r.state(), c); };
  for (const DialogControl& c : table) {
    SCOPED_TRACE(std::to_string(c.index) + " of role " + std::to_string(static_cast<int>(c.role)));
    const int renders = r.renders;
    if (c.kind == ControlKind::kSpin || c.kind == ControlKind::kScroll) {
      const SpinRange range = RangeOf(c.role);
      for (const int value : {range.max - 1, range.min + 1}) {
        SpinControl(r.model, c, value);
        EXPECT_EQ(shows(c).value, value);
      }
      // One step each, however far a held arrow would go.
      StepControl(r.model, c, 20), StepControl(r.model, c, 20), StepControl(r.model, c, -5);
      EXPECT_EQ(shows(c).value, range.min + 2);
      EXPECT_EQ(shows(c).text, "") << "the arrows show no number";
    } else if (c.kind == ControlKind::kCombo) {
      r.model.SetHotKey(c.index, 12 - c.index % 12);
      EXPECT_EQ(shows(c).value, 12 - c.index % 12);
    } else if (c.kind == ControlKind::kCheck || c.kind == ControlKind::kOption) {
      if (c.kind == ControlKind::kOption && shows(c).value) continue;
      const bool tick = !shows(c).value;
      TickControl(r.model, c, tick);
      EXPECT_EQ(shows(c).value, tick);
    } else {
      // A value label shows its number; nothing else moves.
      EXPECT_TRUE(c.kind != ControlKind::kValue || !shows(c).text.empty());
      continue;
    }
    EXPECT_GT(r.renders, renders);
  }
  // A control for every entry of the state a role shows, role by role.
  std::string counts;
  for (int role = static_cast<int>(R::kCommand); role <= static_cast<int>(R::kColour); ++role) {
    counts +=
        std::to_string(std::count_if(
            table.begin(), table.end(),
            [&](const auto& c) { return c.role == R(role) && c.kind != ControlKind::kValue; })) +
        " ";
  }
  EXPECT_EQ(counts, "4 1 6 3 1 1 1 1 4 4 4 4 1 1 2 4 4 4 14 14 14 5 14 14 1 2 ");
  const int renders = r.renders;
  for (const int past : {-1, 0}) {  // before the first, or just after the last
    const auto bad = [past](int count) { return past < 0 ? past : count; };
    r.model.SelectTab(bad(kSettingsTabCount)), r.model.SetGeneralBox(bad(6), true);
    r.model.SetRunAction(bad(3)), r.model.SetRatio(bad(4), 5);
    r.model.SetEdgeGap(EdgePart::kSize, bad(4), 5), r.model.SetSizeRuleOn(bad(4), true);
    r.model.SetSizeRuleSize(bad(4), true, 5), r.model.SetMethodChoice(bad(3), 0, true);
    r.model.SetMethodChoice(0, bad(kMethodCount), true), r.model.SetSeparator(bad(5), true);
    r.model.SetHotKey(bad(kMethodCount), 1), r.model.SetHotKey(0, bad(13));
    r.model.SetOnPalette(bad(kMethodCount), true), r.model.ChooseColour(bad(2));
  }
  r.model.SelectTitle(static_cast<int>(r.state().titles.size()));
  r.model.DeleteTitle();
  EXPECT_EQ(r.fake.message_boxes.shown.back().title, kNothingSelectedTitle);
  EXPECT_EQ(r.renders, renders);
  EXPECT_EQ(r.log, "") << "no colour dialog either";
  // Enter presses the push button that has the focus, 新規追加 while a title
  // is typed, otherwise OK.
  const int ok = ControlIndex(ControlKind::kButton, R::kCommand, 0), cancel = ok + 1;
  EXPECT_EQ(
      std::tuple(DefaultButton(-1), DefaultButton(cancel),
                 DefaultButton(ControlIndex(ControlKind::kValue, R::kHour)), DefaultButton(100000)),
      std::tuple(ok, cancel, ok, ok));
  EXPECT_EQ(DefaultButton(ControlIndex(ControlKind::kEdit, R::kNewTitle)),
            ControlIndex(ControlKind::kButton, R::kTitleCommand));
}

// OptMon shown (an unknown one as the main monitor), saved once it differs from the record.
TEST(SettingsDialogTest, TheMonitorChoiceIsStoredOnceItDiffers) {
  const std::tuple<const char*, int, int, const char*> cases[] = {
      {"2", -1, 2, ""}, {"x", -1, 0, "OptMon=0"}, {"0", 1, 0, "OptMon=1"}, {"1", 3, 1, ""}};
  for (const auto& [stored, chosen, shown, written] : cases) {
    Rig r;
    r.settings.OptMon = stored;
    r.model.Load();
    EXPECT_EQ(r.state().monitors, shown) << stored;
    r.model.ChooseMonitors(chosen), r.model.SaveGeneralTab();
    const std::string writes = r.Writes();
    EXPECT_EQ(writes.substr(std::min(writes.size(), writes.find("OptMon="))), written) << stored;
  }
}

}  // namespace
}  // namespace banchiro
