#pragma once

#include <array>
#include <optional>
#include <string>

#include "ui/main/menu_model.h"

namespace banchiro {

inline constexpr int kToolbarButtonCount = 17;

// A toolbar button runs the handler of a menu item, so its confirmations and
// effects are those of the menu: a display method, or one of the three
// commands that are not layouts (settings dialog, restart, shut down).
struct ToolbarButton {
  int number = 0;       // 1..17, the default order and the image's place in the image list
  std::string tooltip;  // the menu item's caption with one blank before and after
  const MenuEntry* item = nullptr;  // the menu item whose handler runs
};

// The 17 buttons in their default order.
const std::array<ToolbarButton, kToolbarButtonCount>& ToolbarButtons();

// The button with this number; nothing for any other number (a click on it
// does nothing).
std::optional<ToolbarButton> ToolbarButtonFor(int number);

}  // namespace banchiro
