#include "ui/settings/dialog_controls.h"

#include <iterator>

#include "common/numbers.h"

namespace banchiro {
namespace {

using K = ControlKind;
using R = ControlRole;

EdgePart PartOf(R role) {
  return role == R::kEdgeCount  ? EdgePart::kCount
         : role == R::kEdgeSize ? EdgePart::kSize
                                : EdgePart::kAdjustment;
}

bool IsEdge(R role) {
  return role == R::kEdgeCount || role == R::kEdgeSize || role == R::kEdgeAdjust;
}

// The share a ratio bar's thumb place stands for, and the place of a share.
int Upturned(int value) {
  return kRatioRange.min + kRatioRange.max - value;
}

}  // namespace

int ControlIndex(ControlKind kind, ControlRole role, int index) {
  const auto& table = SettingsDialogControls();
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    if (table[i].kind == kind && table[i].role == role && table[i].index == index) return i;
  }
  return -1;
}

SpinRange RangeOf(ControlRole role) {
  switch (role) {
    case R::kHour:
      return kHourRange;
    case R::kMinute:
      return kMinuteRange;
    case R::kCascade:
      return kCascadeRange;
    case R::kRatio:
      return kRatioRange;
    case R::kEdgeCount:
      return kIconCountRange;
    case R::kEdgeSize:
      return kIconSizeRange;
    case R::kEdgeAdjust:
      return kAdjustmentRange;
    default:
      return kSizeRuleRange;
  }
}

ControlShows WhatControlShows(const SettingsDialogState& s, const DialogControl& c) {
  const int i = c.index;
  const bool value_label = c.kind == ControlKind::kValue;
  switch (c.role) {
    case R::kNone:
      return {c.kind == ControlKind::kTabs ? s.tab : 0, {}};
    case R::kGeneral:
      return {s.general[i], {}};
    case R::kRun:
      return {s.pending_run == i, {}};
    case R::kLink:
      return {s.link_time, {}};
    case R::kHour:
      return {s.time.hour, value_label ? s.time.hour_label : ""};
    case R::kMinute:
      return {s.time.minute, value_label ? s.time.minute_label : ""};
    case R::kCascade:
      return {s.cascade, value_label ? s.cascade_label : ""};
    case R::kRatio:
      return {value_label ? s.ratio[i] : Upturned(s.ratio[i]), value_label ? s.ratio_label[i] : ""};
    case R::kEdgeCount:
    case R::kEdgeSize:
    case R::kEdgeAdjust: {
      const int part = static_cast<int>(PartOf(c.role));
      return {s.edge[part][i], value_label ? s.edge_label[part][i] : ""};
    }
    case R::kNewTitle:
      return {0, s.new_title};
    case R::kTitles: {
      std::string lines;
      for (const std::string& title : s.titles)
        lines += OneLine(title) + "\n";
      return {s.selected_title, lines};
    }
    case R::kSizeRuleOn:
      return {s.size_rule_on[i], {}};
    case R::kSizeRuleWidth:
      return {s.size_rule_width[i], value_label ? s.size_rule_width_label[i] : ""};
    case R::kSizeRuleHeight:
      return {s.size_rule_height[i], value_label ? s.size_rule_height_label[i] : ""};
    case R::kFolderVerb:
    case R::kFileVerb:
    case R::kDisplayItem:
      return {s.right_click[static_cast<int>(c.role) - static_cast<int>(R::kFolderVerb)][i], {}};
    case R::kSeparator:
      return {s.separator[i], {}};
    case R::kKey:
      return {s.pending_key[i], {}};
    case R::kOnPalette:
      return {s.on_palette[i], {}};
    case R::kGuide:
      return {s.guide, {}};
    case R::kMonitor:
      return {s.monitors == i, {}};
    case R::kArrangeUndo:
      return {s.undo_arrangement, {}};
    case R::kColour:
      return {RoundToInt32(LeadingNumber(s.colour[i])), {}};
    default:
      return {};
  }
}

void SpinControl(SettingsDialogModel& model, const DialogControl& c, int value) {
  if (c.role == R::kHour || c.role == R::kMinute) {
    model.SetRunTime(c.role == R::kMinute, value);
  } else if (c.role == R::kCascade) {
    model.SetCascade(value);
  } else if (c.role == R::kRatio) {
    model.SetRatio(c.index, Upturned(value));
  } else if (IsEdge(c.role)) {
    model.SetEdgeGap(PartOf(c.role), c.index, value);
  } else if (c.role == R::kSizeRuleWidth || c.role == R::kSizeRuleHeight) {
    model.SetSizeRuleSize(c.index, c.role == R::kSizeRuleWidth, value);
  }
}

void StepControl(SettingsDialogModel& model, const DialogControl& c, int delta) {
  const int now = WhatControlShows(model.state(), c).value;
  SpinControl(model, c, RangeOf(c.role).Clamp(now + (delta > 0) - (delta < 0)));
}

std::string OneLine(const std::string& title) {
  std::string line;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const bool crlf = title[i] == '\r' && i + 1 < title.size() && title[i + 1] == '\n';
    line += title[i] == '\r' || title[i] == '\n' ? ' ' : title[i];
    i += crlf;
  }
  return line;
}

int DefaultButton(int focused) {
  const auto& table = SettingsDialogControls();
  if (focused >= 0 && focused < static_cast<int>(table.size())) {
    const DialogControl& c = table[focused];
    if (c.kind == K::kButton) return focused;
    if (c.role == R::kNewTitle) return ControlIndex(K::kButton, R::kTitleCommand, 0);
  }
  return ControlIndex(K::kButton, R::kCommand, 0);
}

bool PressButton(SettingsDialogModel& model, const DialogControl& c) {
  using Action = void (SettingsDialogModel::*)();
  static constexpr Action kCommands[] = {&SettingsDialogModel::OnOk, &SettingsDialogModel::OnCancel,
                                         &SettingsDialogModel::OnApply,
                                         &SettingsDialogModel::OnHelp};
  static constexpr Action kTitleCommands[] = {&SettingsDialogModel::AddTitle,
                                              &SettingsDialogModel::DeleteTitle};
  const auto run = [&](const auto& actions) {
    if (c.index >= 0 && c.index < static_cast<int>(std::size(actions))) (model.*actions[c.index])();
    return true;
  };
  switch (c.role) {
    case R::kCommand:
      return run(kCommands);
    case R::kTitleCommand:
      return run(kTitleCommands);
    case R::kCustomize:
      model.CustomizeToolbar();
      return true;
    case R::kColour:
      model.ChooseColour(c.index);
      return true;
    default:
      return false;
  }
}

void TickControl(SettingsDialogModel& model, const DialogControl& c, bool ticked) {
  switch (c.role) {
    case R::kGeneral:
      return model.SetGeneralBox(c.index, ticked);
    case R::kRun:
      if (ticked) model.SetRunAction(c.index);
      return;
    case R::kLink:
      return model.SetTimeLinked(ticked);
    case R::kSizeRuleOn:
      return model.SetSizeRuleOn(c.index, ticked);
    case R::kFolderVerb:
    case R::kFileVerb:
    case R::kDisplayItem:
      return model.SetMethodChoice(static_cast<int>(c.role) - static_cast<int>(R::kFolderVerb),
                                   c.index, ticked);
    case R::kSeparator:
      return model.SetSeparator(c.index, ticked);
    case R::kOnPalette:
      return model.SetOnPalette(c.index, ticked);
    case R::kGuide:
      return model.SetGuideInFront(ticked);
    case R::kMonitor:
      if (ticked) model.ChooseMonitors(c.index);
      return;
    case R::kArrangeUndo:
      return model.SetUndoArrangement(ticked);
    default:
      return;
  }
}

}  // namespace banchiro
