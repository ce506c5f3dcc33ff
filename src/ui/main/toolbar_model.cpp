#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

using M = DisplayMethod;

// Button n (1-based, the default order) runs a display method's menu item or
// one of the three commands that are not layouts.
struct Slot {
  std::optional<DisplayMethod> method;  // none for a command button
  MenuCommand command = MenuCommand::kDisplayMethod;
};
constexpr Slot kSlots[kToolbarButtonCount] = {
    {M::kCascadeFromTopLeft},
    {M::kCascadeFromTopRight},
    {M::kCascadeFromBottomRight},
    {M::kCascadeFromBottomLeft},
    {M::kStacked},
    {M::kSideBySide},
    {{}, MenuCommand::kSettings},
    {M::kMinimizeAll},
    {M::kUndo},
    {{}, MenuCommand::kShutDownWindows},
    {M::kCloseAll},
    {{}, MenuCommand::kRestartWindows},
    {M::kLeftAndStacked},
    {M::kRightAndStacked},
    {M::kTopAndSideBySide},
    {M::kBottomAndSideBySide},
    {M::kGrid},
};

const MenuEntry* ItemFor(const Slot& slot) {
  return slot.method ? MethodMenuEntry(*slot.method) : FindMenuItem(slot.command);
}

std::array<ToolbarButton, kToolbarButtonCount> BuildButtons() {
  std::array<ToolbarButton, kToolbarButtonCount> buttons;
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    ToolbarButton& b = buttons[i];
    b.number = i + 1;
    b.item = ItemFor(kSlots[i]);
    // The tooltip is the menu caption, so the two never disagree; the
    // blanks keep the text off the tip's border.
    if (b.item) b.tooltip = " " + CaptionWithoutAccessKey(b.item->caption) + " ";
  }
  return buttons;
}

}  // namespace

const std::array<ToolbarButton, kToolbarButtonCount>& ToolbarButtons() {
  static const std::array<ToolbarButton, kToolbarButtonCount> kButtons = BuildButtons();
  return kButtons;
}

std::optional<ToolbarButton> ToolbarButtonFor(int number) {
  if (number < 1 || number > kToolbarButtonCount) return std::nullopt;
  return ToolbarButtons()[number - 1];
}

}  // namespace banchiro
