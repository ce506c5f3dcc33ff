#include "ui/main/toolbar_model.h"

namespace banchiro {
namespace {

struct CommandButton {
  int number;
  const char* control;
  int index;
};

// The buttons that are not display methods; the method buttons' places come
// from the method table.
constexpr CommandButton kCommandButtons[] = {
    {7, "mnuOptSettei", -1},
    {10, "mnuFileWindows", 2},
    {12, "mnuFileWindows", 1},
};

const MenuEntry* ItemForButton(int number) {
  if (auto method = MethodForToolbarButton(number)) {
    for (const auto& e : MainMenuTree()) {
      if (e.command == MenuCommand::kDisplayMethod && e.method == *method) return &e;
    }
    return nullptr;
  }
  for (const auto& b : kCommandButtons) {
    if (b.number == number) return FindMenuEntry(b.control, b.index);
  }
  return nullptr;
}

std::array<ToolbarButton, kToolbarButtonCount> BuildButtons() {
  std::array<ToolbarButton, kToolbarButtonCount> buttons;
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    ToolbarButton& b = buttons[i];
    b.number = i + 1;
    b.item = ItemForButton(b.number);
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
