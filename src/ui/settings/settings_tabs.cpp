// The settings dialog's tabs 1 to 3: the excluded titles and size rules, the
// Explorer verbs and the display menu, the hot keys and the palette.
#include <algorithm>

#include "settings/key_table.h"
#include "settings/setting_values.h"
#include "ui/main/menu_model.h"
#include "ui/settings/settings_dialog_model.h"

namespace banchiro {
namespace {

// The command of a method's Explorer verb: the program's file in its folder,
// quoted (a path with blanks would otherwise let Windows try the first word
// as a program), and the method's letter.
std::string VerbCommand(const std::string& folder, int method) {
  return "\"" + folder + "\\" + std::string(kProgramFileName) + "\" " +
         DisplayMethods()[method].letter;
}

}  // namespace

void SettingsDialogModel::SetNewTitle(const std::string& text) {
  state_.new_title = text;
}

void SettingsDialogModel::SelectTitle(int index) {
  state_.selected_title = index >= 0 && index < static_cast<int>(state_.titles.size()) ? index : -1;
}

namespace {

void Refuse(MessageBoxes& boxes, const char* text, const char* title, MessageIcon icon) {
  boxes.Show(text, title, MessageButtons::kOk, icon);
}

}  // namespace

void SettingsDialogModel::AddTitle() {
  auto& titles = state_.titles;
  auto& boxes = platform_.message_boxes;
  // Exactly as typed: case and blanks count.
  if (state_.new_title.empty()) {
    return Refuse(boxes, kNoTitleText, kNoTitleTitle, MessageIcon::kExclamation);
  }
  if (std::find(titles.begin(), titles.end(), state_.new_title) != titles.end()) {
    return Refuse(boxes, kKnownTitleText, kKnownTitleTitle, MessageIcon::kStop);
  }
  if (static_cast<int>(titles.size()) >= kMaxTitles) {
    return Refuse(boxes, kFullListText, kFullListTitle, MessageIcon::kExclamation);
  }
  titles.push_back(state_.new_title);
  state_.new_title.clear();
  Render();
  view_.FocusNewTitle();
}

void SettingsDialogModel::DeleteTitle() {
  if (state_.selected_title < 0) {
    return Refuse(platform_.message_boxes, kNothingSelectedText, kNothingSelectedTitle,
                  MessageIcon::kExclamation);
  }
  state_.titles.erase(state_.titles.begin() + state_.selected_title);
  state_.selected_title = -1;
  Render();
}

void SettingsDialogModel::SetSizeRuleOn(int rule, bool ticked) {
  if (rule < 0 || rule > 3) return;
  state_.size_rule_on[rule] = ticked;
  Render();
}

void SettingsDialogModel::SetSizeRuleSize(int rule, bool width, int value) {
  if (rule < 0 || rule > 3) return;
  auto& values = width ? state_.size_rule_width : state_.size_rule_height;
  auto& labels = width ? state_.size_rule_width_label : state_.size_rule_height_label;
  values[rule] = kSizeRuleRange.Clamp(value);
  for (int i = 0; i < 4; ++i)
    labels[i] = std::to_string(values[i]);
  Render();
}

void SettingsDialogModel::SetMethodChoice(int row, int method, bool ticked) {
  if (row < 0 || row >= kRightClickRows || method < 0 || method >= kMethodCount) return;
  state_.right_click[row][method] = ticked;
  Render();
}

void SettingsDialogModel::SetSeparator(int separator, bool ticked) {
  if (separator < 0 || separator >= kSeparatorCount) return;
  state_.separator[separator] = ticked;
  Render();
}

void SettingsDialogModel::SetHotKey(int method, int key) {
  if (method < 0 || method >= kMethodCount || key < 0 || key > 12) return;
  state_.pending_key[method] = key;
  // A method without a key cannot be on the palette.
  if (key == 0) state_.on_palette[method] = false;
  Render();
}

void SettingsDialogModel::SetOnPalette(int method, bool ticked) {
  if (method < 0 || method >= kMethodCount) return;
  state_.on_palette[method] = ticked;
  Render();
}

void SettingsDialogModel::SetGuideInFront(bool ticked) {
  state_.guide = ticked;
  Render();
}

void SettingsDialogModel::ChooseColour(int colour) {
  if (colour < 0 || colour > 1) return;
  // The record takes the colour at once; the store only when the tab is saved.
  if (const auto chosen = view_.ChooseColour(PaletteColour(settings_, colour))) {
    settings_.OptCol[colour] = std::to_string(*chosen);
    state_.colour[colour] = settings_.OptCol[colour];
  }
  Render();
}

void SettingsDialogModel::SaveExclusionTab() {
  for (int i = 0; i < kExcludedTitleCount; ++i) {
    const std::string title = i < static_cast<int>(state_.titles.size()) ? state_.titles[i] : "";
    writer_.Set(Key::JogaiWid, i, title);
  }
  settings_.exclusion_count = static_cast<std::int16_t>(state_.titles.size());
  for (int i = 0; i < 4; ++i) {
    writer_.Set(Key::OptJog, i, Flag(state_.size_rule_on[i]));
    writer_.Set(Key::OptHgt, i, state_.size_rule_height_label[i]);
    writer_.Set(Key::OptWth, i, state_.size_rule_width_label[i]);
  }
}

void SettingsDialogModel::SaveRightClickTab() {
  // Every save writes all 28 verbs anew, so a program that has moved leaves
  // its new folder in them.
  const std::string folder = platform_.process.ProgramFolder();
  const VerbPlace places[] = {VerbPlace::kFolders, VerbPlace::kFiles};
  for (int row = 0; row < 2; ++row) {
    for (int n = 0; n < kMethodCount; ++n) {
      const bool wanted = state_.right_click[row][n];
      writer_.Set(Key::RgtClick, row, n, Flag(wanted));
      const std::string name(MethodMenuCaption(n));
      if (wanted) {
        platform_.verbs.Set(places[row], name, VerbCommand(folder, n));
      } else {
        platform_.verbs.Remove(places[row], name);
      }
    }
  }
  bool any = false;
  for (int n = 0; n < kMethodCount; ++n) {
    any = any || state_.right_click[2][n];
    writer_.Set(Key::RgtClick, 2, n, Flag(state_.right_click[2][n]));
  }
  if (any) {
    for (int k = 0; k < kSeparatorCount; ++k) {
      writer_.Set(Key::OptSepa, k, Flag(state_.separator[k]));
    }
    return;
  }
  // The display menu keeps at least its first cascade; the separators keep
  // what they were.
  platform_.message_boxes.Show(kEmptyMenuText, kEmptyMenuTitle, MessageButtons::kOk,
                               MessageIcon::kExclamation);
  state_.right_click[2][0] = true;
  writer_.Set(Key::RgtClick, 2, 0, "1");
  Render();
}

bool SettingsDialogModel::SaveFunctionKeyTab() {
  const auto& keys = state_.pending_key;
  for (int i = 0; i < kMethodCount; ++i) {
    for (int j = i + 1; j < kMethodCount; ++j) {
      if (keys[i] != 0 && keys[i] == keys[j]) {
        platform_.message_boxes.Show(kKeyConflictText, kKeyConflictTitle, MessageButtons::kOk,
                                     MessageIcon::kStop);
        // Back on the tab, at the first key given twice, to be mended.
        state_.tab = 3;
        Render();
        view_.FocusKey(i);
        return false;
      }
    }
  }
  bool any_on_palette = false;
  for (int n = 0; n < kMethodCount; ++n) {
    writer_.Set(Key::Fkey, n, std::to_string(keys[n]));
    if (keys[n] == 0) {
      state_.on_palette[n] = false;
      settings_.Fname[n].clear();
    }
    writer_.Set(Key::FkeyDisp, n, Flag(state_.on_palette[n]));
    // The palette's names live in the record only.
    if (state_.on_palette[n]) settings_.Fname[n] = MethodCaption(n);
    any_on_palette = any_on_palette || state_.on_palette[n];
  }
  for (int i = 0; i < 2; ++i)
    writer_.Set(Key::OptCol, i, settings_.OptCol[i]);
  writer_.Set(Key::OptGuide, Flag(state_.guide));
  Render();
  if (hooks_.rebuild_palette) hooks_.rebuild_palette(any_on_palette);
  if (hooks_.restart_relays) hooks_.restart_relays();
  return true;
}

}  // namespace banchiro
