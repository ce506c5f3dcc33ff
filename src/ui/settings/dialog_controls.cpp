#include "ui/settings/dialog_controls.h"

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
    model.UpDown1_Change(c.role == R::kMinute, value);
  } else if (c.role == R::kCascade) {
    model.UpDown2_Change(value);
  } else if (c.role == R::kRatio) {
    model.VScroll3_Change(c.index, Upturned(value));
  } else if (IsEdge(c.role)) {
    model.Edge_Change(PartOf(c.role), c.index, value);
  } else if (c.role == R::kSizeRuleWidth || c.role == R::kSizeRuleHeight) {
    model.SizeRule_Change(c.index, c.role == R::kSizeRuleWidth, value);
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

void TickControl(SettingsDialogModel& model, const DialogControl& c, bool ticked) {
  switch (c.role) {
    case R::kGeneral:
      return model.Check1_Click(c.index, ticked);
    case R::kRun:
      if (ticked) model.Option1_Click(c.index);
      return;
    case R::kLink:
      return model.Check2_Click(ticked);
    case R::kSizeRuleOn:
      return model.Check9_Click(c.index, ticked);
    case R::kFolderVerb:
    case R::kFileVerb:
    case R::kDisplayItem:
      return model.RightClick_Click(static_cast<int>(c.role) - static_cast<int>(R::kFolderVerb),
                                    c.index, ticked);
    case R::kSeparator:
      return model.Check7_Click(c.index, ticked);
    case R::kOnPalette:
      return model.Check6_Click(c.index, ticked);
    case R::kGuide:
      return model.Check8_Click(ticked);
    case R::kArrangeUndo:
      return model.UndoArrangementBox_Click(ticked);
    default:
      return;
  }
}

}  // namespace banchiro
