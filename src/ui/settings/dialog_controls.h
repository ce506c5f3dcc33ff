#pragma once

#include <string>

#include "ui/settings/dialog_layout.h"
#include "ui/settings/numeric_controls.h"
#include "ui/settings/settings_dialog_model.h"

namespace banchiro {

// The place in the layout table of the control of this kind, role and
// index, -1 when there is none.
int ControlIndex(ControlKind kind, ControlRole role, int index = 0);

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

// A title as one line of the list: a line break shows as a blank, so that
// each title is one row and a row's number is its title's.
std::string OneLine(const std::string& title);

// A spinner or scroll bar of the table moved to `value`, a box or option
// button was clicked to `ticked`: the model's handler of its control. A ratio
// bar's value is its thumb's place, which stands upside down to the share:
// its upper end is the largest share, as its upper arrow raises it.
void SpinControl(SettingsDialogModel& model, const DialogControl& control, int value);
void TickControl(SettingsDialogModel& model, const DialogControl& control, bool ticked);
// A push button clicked: its action; false when the control is no push
// button with an action (a box or an option button).
bool PressButton(SettingsDialogModel& model, const DialogControl& control);
// A spinner or scroll bar stepped by the sign of `delta`: one step, however
// far the control's own acceleration would go while an arrow is held.
void StepControl(SettingsDialogModel& model, const DialogControl& control, int delta);

// The push button that Enter presses while the control at `focused` (an
// index of the table, -1 for none) has the focus: a push button itself,
// 新規追加 while a new title is typed, otherwise OK.
int DefaultButton(int focused);

}  // namespace banchiro
