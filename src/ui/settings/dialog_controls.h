#pragma once

#include <string>

#include "ui/settings/dialog_layout.h"
#include "ui/settings/numeric_controls.h"
#include "ui/settings/settings_dialog_model.h"

namespace banchiro {

// The range of a spinner or scroll bar of this role.
SpinRange RangeOf(ControlRole role);

// What a control of the layout table shows for the state: its tick, arrows'
// position, selection or colour as `value`, or its text; a list's lines are
// its text, one per line, and its selection its value (-1 none).
struct ControlShows {
  int value = 0;
  std::string text;
};
ControlShows WhatControlShows(const SettingsDialogState& state, const DialogControl& control);

// A spinner or scroll bar of the table moved to `value`, a box or option
// button was clicked to `ticked`: the model's handler of its control.
void SpinControl(SettingsDialogModel& model, const DialogControl& control, int value);
void TickControl(SettingsDialogModel& model, const DialogControl& control, bool ticked);

}  // namespace banchiro
