#include "ui/settings/settings_dialog_model.h"

#include "common/numbers.h"
#include "settings/appearance.h"
#include "settings/key_table.h"
#include "settings/main_position.h"
#include "settings/setting_values.h"

namespace banchiro {
namespace {

// A stored number as a control takes it: its leading number, whole.
int WholeNumber(const std::string& text) {
  return RoundToInt32(LeadingNumber(text));
}

// A check box takes the number itself: ticked for 1.
bool Ticked(const std::string& text) {
  return LeadingNumber(text) == 1.0;
}

constexpr SpinRange kEdgeRanges[3] = {kIconCountRange, kIconSizeRange, kAdjustmentRange};
constexpr Key kEdgeKeys[3] = {Key::OptSat, Key::OptPix, Key::OptIval};

}  // namespace

SettingsDialogModel::SettingsDialogModel(Platform& platform, Settings& settings, BarWindow& bar,
                                         SettingsDialogView& view, SettingsDialogHooks hooks)
    : platform_(platform), settings_(settings), bar_(bar), view_(view), hooks_(std::move(hooks)) {}

void SettingsDialogModel::Load() {
  loading_ = true;
  SettingsDialogState& s = state_;
  const Settings& r = settings_;
  const std::string* general[kGeneralBoxCount] = {&r.OptLogo, &r.OptCent,  &r.OptMBar,
                                                  &r.OptTBar, &r.OptTBar2, &r.OptLAct};
  for (int i = 0; i < kGeneralBoxCount; ++i)
    s.general[i] = *general[i] == "1";
  s.tab = SpinRange{0, kSettingsTabCount - 1}.Clamp(WholeNumber(r.OptLATab));
  // A damaged run option schedules nothing, as the timer reads it.
  const int run = WholeNumber(r.OptRun);
  s.pending_run = run >= 0 && run <= 2 && r.OptRun == std::to_string(run) ? run : 2;
  StepRunTime(s.time, false, WholeNumber(r.OptTime[0]), false);
  StepRunTime(s.time, true, WholeNumber(r.OptTime[1]), false);
  // The labels keep the stored texts until a spinner moves.
  s.time.hour_label = r.OptTime[0];
  s.time.minute_label = r.OptTime[1];
  s.link_time = r.OptRel == "1";
  s.undo_arrangement = UndoesArrangement(r);
  SetCascade(RoundToInt32(LeadingNumber(r.OptCas) * 10));
  SetRatio(0, WholeNumber(r.OptRat[0]));
  SetRatio(1, WholeNumber(r.OptRat[1]));
  s.ratio_label[0] = r.OptRat[0];
  s.ratio_label[1] = r.OptRat[1];
  for (int i = 0; i < 4; ++i) {
    SetEdgeGap(EdgePart::kCount, i, WholeNumber(r.OptSat[i]));
    SetEdgeGap(EdgePart::kSize, i, WholeNumber(r.OptPix[i]));
    SetEdgeGap(EdgePart::kAdjustment, i, WholeNumber(r.OptIval[i]));
  }
  s.monitors = static_cast<int>(ArrangedMonitors(r));

  s.titles.clear();
  s.selected_title = -1;
  s.new_title.clear();
  for (const std::string& title : r.JogaiWid) {
    if (!title.empty() && title != " ") s.titles.push_back(title);
  }
  for (int i = 0; i < 4; ++i) {
    s.size_rule_on[i] = Ticked(r.OptJog[i]);
    SetSizeRuleSize(i, false, WholeNumber(r.OptHgt[i]));
    SetSizeRuleSize(i, true, WholeNumber(r.OptWth[i]));
  }
  for (int row = 0; row < kRightClickRows; ++row) {
    for (int n = 0; n < kMethodCount; ++n)
      s.right_click[row][n] = Ticked(r.RgtClick[row][n]);
  }
  for (int k = 0; k < kSeparatorCount; ++k)
    s.separator[k] = Ticked(r.OptSepa[k]);
  for (int n = 0; n < kMethodCount; ++n) {
    s.pending_key[n] = AssignedKey(r, n).value_or(0);
    s.on_palette[n] = Ticked(r.FkeyDisp[n]);
  }
  s.colour = r.OptCol;
  s.guide = Ticked(r.OptGuide);
  loading_ = false;
  Render();
}

void SettingsDialogModel::OnOk() {
  // A refused tab keeps the dialog open with the user's choices.
  for (int tab = 0; tab < kSettingsTabCount; ++tab) {
    if (!SaveTab(tab)) return;
  }
  view_.Close();
}

void SettingsDialogModel::OnHelp() {
  view_.ShowHelp(settings_.help_file_path, kSettingsHelpContexts[state_.tab]);
}

void SettingsDialogModel::SelectTab(int tab) {
  if (tab < 0 || tab >= kSettingsTabCount) return;
  state_.tab = tab;
  Render();
  if (tab == 1) view_.FocusNewTitle();
}

void SettingsDialogModel::NextTab(bool backwards) {
  SelectTab((state_.tab + (backwards ? kSettingsTabCount - 1 : 1)) % kSettingsTabCount);
}

void SettingsDialogModel::SetGeneralBox(int box, bool ticked) {
  if (box < 0 || box >= kGeneralBoxCount) return;
  state_.general[box] = ticked;
  // The two bars reach the record at once: the main window reads them
  // whenever it lays itself out, and it must never lose both.
  if (box == kMenuBarBox) settings_.OptMBar = Flag(ticked);
  if (box == kToolbarBox) settings_.OptTBar = Flag(ticked);
  if (settings_.OptMBar == "0" && settings_.OptTBar == "0") {
    platform_.message_boxes.Show(kBothBarsOffText, kBothBarsOffTitle, MessageButtons::kOk,
                                 MessageIcon::kExclamation);
    platform_.message_boxes.Show(kMenuBarForcedText, kMenuBarForcedTitle, MessageButtons::kOk,
                                 MessageIcon::kExclamation);
    state_.general[kMenuBarBox] = true;
    settings_.OptMBar = "1";
  }
  Render();
}

void SettingsDialogModel::SetRunAction(int index) {
  if (index < 0 || index > 2) return;
  state_.pending_run = index;
  Render();
}

void SettingsDialogModel::SetUndoArrangement(bool ticked) {
  state_.undo_arrangement = ticked;
  Render();
}

void SettingsDialogModel::SetTimeLinked(bool ticked) {
  state_.link_time = ticked;
  Render();
}

void SettingsDialogModel::SetRunTime(bool minute, int value) {
  StepRunTime(state_.time, minute, value, state_.link_time);
  Render();
}

void SettingsDialogModel::SetCascade(int tenths) {
  state_.cascade = kCascadeRange.Clamp(tenths);
  state_.cascade_label = CascadeLabel(state_.cascade);
  Render();
}

void SettingsDialogModel::SetRatio(int share, int value) {
  if (share < 0 || share > 3) return;
  const int partner = (share + 2) % 4;
  state_.ratio[share] = kRatioRange.Clamp(value);
  state_.ratio[partner] = PartnerShare(state_.ratio[share]);
  state_.ratio_label[share] = std::to_string(state_.ratio[share]);
  state_.ratio_label[partner] = std::to_string(state_.ratio[partner]);
  Render();
}

void SettingsDialogModel::SetEdgeGap(EdgePart part, int edge, int value) {
  const int p = static_cast<int>(part);
  if (edge < 0 || edge > 3) return;
  state_.edge[p][edge] = kEdgeRanges[p].Clamp(value);
  for (int i = 0; i < 4; ++i)
    state_.edge_label[p][i] = std::to_string(state_.edge[p][i]);
  Render();
}

void SettingsDialogModel::ChooseMonitors(int choice) {
  if (choice < 0 || choice > 2) return;
  state_.monitors = choice;
  Render();
}

bool SettingsDialogModel::SaveTab(int tab) {
  switch (tab) {
    case 0:
      SaveGeneralTab();
      break;
    case 1:
      SaveExclusionTab();
      break;
    case 2:
      SaveRightClickTab();
      break;
    case 3:
      return SaveFunctionKeyTab();
  }
  return true;
}

void SettingsDialogModel::SaveGeneralTab() {
  const SettingsDialogState& s = state_;
  writer_.Set(Key::OptLogo, Flag(s.general[kLogoBox]));
  ReadAppearanceScheme(settings_, platform_.system);
  const BarLayout layout =
      BarLayoutFor(s.general[kToolbarBox], MenuBarOn(settings_),
                   GetWindowsName(platform_.system.Version()), settings_.appearance_scheme);
  bar_.ApplyBarLayout(layout);
  writer_.Set(Key::OptMBar, Flag(s.general[kMenuBarBox]));
  writer_.Set(Key::OptTBar, Flag(s.general[kToolbarBox]));

  const TwipsPoint centre = CentredOnScreen(platform_.screen.Metrics(), layout.size);
  if (s.general[kCentreBox]) {
    bar_.MoveTo(centre);
  } else {
    TwipsPoint place = bar_.Position();
    // A bar in the very corner was never placed by the user.
    if (place.top == 0 && place.left == 0) {
      bar_.MoveTo(centre);
      place = centre;
    }
    // The record only: hiding the bar and the end of the run store it.
    settings_.S_Top = FormatSingle(static_cast<float>(place.top));
    settings_.S_Left = FormatSingle(static_cast<float>(place.left));
  }
  writer_.Set(Key::OptCent, Flag(s.general[kCentreBox]));

  writer_.Set(Key::OptTBar2, Flag(s.general[kSaveToolbarBox]));
  if (s.general[kSaveToolbarBox]) bar_.SaveToolbar();
  writer_.Set(Key::OptLAct, Flag(s.general[kLastTabBox]));
  if (s.general[kLastTabBox]) writer_.Set(Key::OptLATab, std::to_string(s.tab));
  writer_.Set(Key::OptRun, std::to_string(s.pending_run));
  writer_.Set(Key::OptTime, 0, s.time.hour_label);
  writer_.Set(Key::OptTime, 1, s.time.minute_label);
  writer_.Set(Key::OptRel, Flag(s.link_time));
  writer_.Set(Key::OptCas, s.cascade_label);
  writer_.Set(Key::OptRat, 0, s.ratio_label[0]);
  writer_.Set(Key::OptRat, 1, s.ratio_label[1]);
  for (int i = 0; i < 4; ++i) {
    for (int p = 0; p < 3; ++p)
      writer_.Set(kEdgeKeys[p], i, s.edge_label[p][i]);
  }
  // Stored once it differs from what the record holds: the store of a user
  // who never chose stays as an older version, which knows no such key, left it.
  const std::string monitors = std::to_string(s.monitors);
  if (settings_.OptMon != monitors) writer_.Set(Key::OptMon, monitors);
  // Stored once the user has chosen it: until then an older version finds
  // no key it does not know.
  if (Flag(s.undo_arrangement) != settings_.OptUndo)
    writer_.Set(Key::OptUndo, Flag(s.undo_arrangement));
}

}  // namespace banchiro
