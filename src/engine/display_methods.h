#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace banchiro {

// The fourteen display methods share one numbering, 0..13. Everything that is
// per method (command-line letters, menus, toolbar, Explorer verbs, hot keys,
// palette names and their defaults) reads this one table.
inline constexpr int kMethodCount = 14;

// The control arrays of the main window's display menu that carry methods.
enum class MethodMenu {
  kDispMethod_Ex,   // cascades 0..3
  kDispMethod,      // stacked, side by side
  kDispMethod_Ex4,  // one beside/above two
  kDispMethod_Ex5,  // two-by-two grid (single item)
  kDispMethod_Ex2,  // minimise all, undo
  kDispMethod_Ex3,  // close all (single item)
};

struct DisplayMethod {
  int number;
  char letter;  // command-line letter, also the menu caption's access key
  MethodMenu menu;
  int menu_index;                   // index within the control array (0 for single items)
  std::string_view menu_caption;    // also the Explorer verb's caption
  std::string_view method_caption;  // default palette name Fname(n)
  int toolbar_button;               // 1-based position in the toolbar's default button order
};

const std::array<DisplayMethod, kMethodCount>& DisplayMethods();

// The method a command-line letter names, in either case.
std::optional<int> MethodForLetter(char letter);

// The method that a click on element `index` of a display-menu control array
// requests; nothing for an element that does not exist.
std::optional<int> MethodForMenu(MethodMenu menu, int index);

// The method a toolbar button (1-based) requests; nothing for the buttons
// that are not display methods.
std::optional<int> MethodForToolbarButton(int button);

// "BANCHIRO.EXE " and the method's letter: the default hot-key command.
std::string MethodCommand(int method);
std::string MethodCaption(int method);

// "" for 0, then "F1".."F12".
std::string FunctionKeyName(int key);

}  // namespace banchiro
