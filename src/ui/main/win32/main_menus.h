#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "ui/main/menu_model.h"

namespace banchiro::ui {

// Command identifiers of the menu items: an item's place in MainMenuTree()
// plus this base.
inline constexpr int kMenuCommandBase = 2000;
// The WM_COMMAND identifier of a menu item of MainMenuTree().
int MenuCommandId(const MenuEntry& entry);
// The menu item a WM_COMMAND identifier names, or null.
const MenuEntry* MenuEntryForCommand(int id);

// The main window's menus, built from the menu tree: the menu bar owns both
// top-level popups, attached to the window or not, so that the tray can
// open them while the bar is hidden; and the shortcuts of their items.
class MainMenus {
 public:
  void Build();
  HMENU bar() const { return bar_.get(); }
  // The popup at this position on the bar (general or display), or null.
  HMENU popup(int position) const;
  // Rebuilds the display menu with exactly these entries.
  void SetDisplayMenu(const std::vector<const MenuEntry*>& entries);
  void SetShowHideState(const ShowHideState& state);
  // True when the message was a shortcut of a menu item, sent to `window`.
  bool TranslateShortcut(HWND window, MSG& message);

 private:
  win32::UniqueMenu bar_;
  HMENU general_ = nullptr;
  HMENU display_ = nullptr;
  win32::UniqueAccelerators shortcuts_;
};

}  // namespace banchiro::ui
