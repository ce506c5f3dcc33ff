#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/display_methods.h"
#include "settings/settings.h"

namespace banchiro {

// What choosing a menu item does. The toolbar and both tray popups reach the
// same handlers through these, so a click means the same wherever it comes from.
enum class MenuCommand {
  kNone,  // submenus and separators
  kHelpKeywordSearch,
  kHelpContents,
  kHelpAbout,
  kSettings,
  kShowWindow,
  kHideWindow,
  kEmptyRecycleBin,
  kClearRecentDocuments,
  kRestartWindows,
  kShutDownWindows,
  kEndProgram,
  kDisplayMethod,
};

enum class MenuEntryKind { kSubmenu, kItem, kSeparator };

// A keyboard shortcut: a function key (F1..F12) or Ctrl with a letter.
struct MenuShortcut {
  bool ctrl = false;
  char letter = 0;       // 'A'..'Z' with ctrl
  int function_key = 0;  // 1..12, or 0

  bool empty() const { return letter == 0 && function_key == 0; }
};

// One row of the main window's menu tree, in menu order (pre-order: a
// submenu is followed by its entries at the next level).
struct MenuEntry {
  int level = 1;  // 1 = on the menu bar, 2 = in a top-level menu, 3 = below that
  MenuEntryKind kind = MenuEntryKind::kItem;
  std::string_view caption;  // with its access key; "-" for a separator
  MenuShortcut shortcut;
  bool enabled = true;  // initial state
  MenuCommand command = MenuCommand::kNone;
  std::optional<DisplayMethod> method;  // for kDisplayMethod
  int separator = -1;                   // 0..4 for the display menu's separators (OptSepa index)
};

// The complete menu tree. "総合ﾒﾆｭｰ(&M)" stays first and "表示(&D)" second:
// the tray popups take them by their position on the bar.
const std::vector<MenuEntry>& MainMenuTree();
// Positions of the two popups on the menu bar.
inline constexpr int kGeneralMenuPosition = 0;
inline constexpr int kDisplayMenuPosition = 1;

// Positions in MainMenuTree() of the direct entries of the submenu at
// `parent`, or of the top-level menus for parent -1.
std::vector<int> MenuChildren(int parent);

// The item that carries this command (for kDisplayMethod, that of the
// method), or nothing.
const MenuEntry* FindMenuItem(MenuCommand command, int method = -1);

// "F1", "Ctrl+K", or "" (the text a menu shows right of the caption).
std::string ShortcutText(const MenuShortcut& shortcut);

// The display menu's item of a method (nothing only for a value cast from
// no method).
const MenuEntry* MethodMenuEntry(DisplayMethod method);
// The display menu's caption of the method of a stored index, with its
// access key: also the name of the method's Explorer verb and of its boxes
// in the settings dialog. "" for an index that is no method.
std::string_view MethodMenuCaption(int index);

// The caption without its access key and trailing "...": "各種設定(&K)" gives
// "各種設定", "ﾊﾞｰｼﾞｮﾝ情報(&A)..." gives "ﾊﾞｰｼﾞｮﾝ情報".
std::string CaptionWithoutAccessKey(std::string_view caption);

// The display menu "表示(&D)" as it must be built from the settings: a method
// item is present exactly when the number at the start of RgtClick(2,n) is 1,
// a separator when that of OptSepa(k) is 1 and it falls between two present
// items with no other separator there (never first, last or doubled; the
// settings keep what the user chose). The menu itself stays on the bar even
// when nothing is present. The entries point into MainMenuTree(), so their
// place there can serve as the command id.
std::vector<const MenuEntry*> DisplayMenuEntries(const Settings& settings);

// "ﾌｫｰﾑの表示(&S)" and "ﾌｫｰﾑのｱｲｺﾝ化(&I)": only the one that changes the
// window's state is enabled.
struct ShowHideState {
  bool show_enabled = false;
  bool hide_enabled = true;
};
ShowHideState ShowHideStateFor(bool window_hidden);

}  // namespace banchiro
