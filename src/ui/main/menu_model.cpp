#include "ui/main/menu_model.h"

#include "common/numbers.h"

namespace banchiro {
namespace {

using K = MenuEntryKind;
using C = MenuCommand;

std::string_view MethodMenuControl(MethodMenu menu) {
  switch (menu) {
    case MethodMenu::kDispMethod_Ex:
      return "mnuDispMethod_Ex";
    case MethodMenu::kDispMethod:
      return "mnuDispMethod";
    case MethodMenu::kDispMethod_Ex4:
      return "mnuDispMethod_Ex4";
    case MethodMenu::kDispMethod_Ex5:
      return "mnuDispMethod_Ex5";
    case MethodMenu::kDispMethod_Ex2:
      return "mnuDispMethod_Ex2";
    case MethodMenu::kDispMethod_Ex3:
      return "mnuDispMethod_Ex3";
  }
  return {};
}

// The grid and the close-all item are single controls, not arrays.
bool IsSingleControl(MethodMenu menu) {
  return menu == MethodMenu::kDispMethod_Ex5 || menu == MethodMenu::kDispMethod_Ex3;
}

MenuEntry Submenu(int level, std::string_view control, std::string_view caption) {
  MenuEntry e;
  e.level = level;
  e.kind = K::kSubmenu;
  e.control = control;
  e.caption = caption;
  return e;
}

MenuEntry Item(int level, std::string_view control, int index, std::string_view caption, C command,
               MenuShortcut shortcut = {}, bool enabled = true) {
  MenuEntry e;
  e.level = level;
  e.control = control;
  e.index = index;
  e.caption = caption;
  e.command = command;
  e.shortcut = shortcut;
  e.enabled = enabled;
  return e;
}

MenuEntry Separator(int level, std::string_view control, int display_separator = -1) {
  MenuEntry e;
  e.level = level;
  e.kind = K::kSeparator;
  e.control = control;
  e.caption = "-";
  e.separator = display_separator;
  return e;
}

// Captions, control names and indexes of the method items come from the one
// method table, so the menu, the verbs and the settings dialog cannot drift.
MenuEntry Method(int number) {
  const DisplayMethod& m = DisplayMethods()[number];
  MenuEntry e = Item(2, MethodMenuControl(m.menu), IsSingleControl(m.menu) ? -1 : m.menu_index,
                     m.menu_caption, C::kDisplayMethod);
  e.method = number;
  return e;
}

MenuShortcut Ctrl(char letter) {
  return {true, letter, 0};
}
MenuShortcut FunctionKey(int key) {
  return {false, 0, key};
}

std::vector<MenuEntry> BuildTree() {
  return {
      Submenu(1, "mnuTotalMenu", "総合ﾒﾆｭｰ(&M)"),
      Submenu(2, "mnuHelp", "ﾍﾙﾌﾟ(&H)"),
      Item(3, "mnuHelpContent_KeyWord", 0, "ﾄﾋﾟｯｸの検索(&H)", C::kHelpKeywordSearch,
           FunctionKey(1)),
      Item(3, "mnuHelpContent_KeyWord", 1, "目次(&C)", C::kHelpContents),
      Separator(3, "mnuHelpDummy"),
      Item(3, "mnuHelpAbout", -1, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", C::kHelpAbout),
      Submenu(2, "mnuOption", "ｵﾌﾟｼｮﾝ(&O)"),
      Item(3, "mnuOptSettei", -1, "各種設定(&K)", C::kSettings, Ctrl('K')),
      Submenu(2, "mnuFile", "ﾌｧｲﾙ(&F)"),
      Item(3, "mnuFileShow_Hide", 0, "ﾌｫｰﾑの表示(&S)", C::kShowWindow, {}, false),
      Item(3, "mnuFileShow_Hide", 1, "ﾌｫｰﾑのｱｲｺﾝ化(&I)", C::kHideWindow, Ctrl('I')),
      Separator(3, "mnuFileDummy"),
      Item(3, "mnuFileDustEmpty", -1, "ごみ箱を空にする(&B)...", C::kEmptyRecycleBin),
      Item(3, "mnuFileWindows", 0, "最近使ったﾌｧｲﾙ履歴の初期化(&D)...", C::kClearRecentDocuments),
      Item(3, "mnuFileWindows", 1, "Microsoft Windows の再起動(&R)...", C::kRestartWindows,
           Ctrl('R')),
      Item(3, "mnuFileWindows", 2, "Microsoft Windows の終了(&E)...", C::kShutDownWindows,
           Ctrl('E')),
      Separator(3, "mnuFileDummy2"),
      Item(3, "mnuFileEnd", -1, "ばんちろ君 の終了(&X)...", C::kEndProgram),
      Submenu(1, "mnuDisplay", "表示(&D)"),
      Method(0),
      Method(1),
      Method(2),
      Method(3),
      Separator(2, "mnuDispDummy", 0),
      Method(4),
      Method(5),
      Separator(2, "mnuDispDummy2", 1),
      Method(6),
      Method(7),
      Method(8),
      Method(9),
      Separator(2, "mnuDispDummy3", 2),
      Method(10),
      Separator(2, "mnuDispDummy4", 3),
      Method(11),
      Method(12),
      Separator(2, "mnuDispDummy5", 4),
      Method(13),
  };
}

// "1", "01", " 1" and "1.0" all count: the setting is read as a number.
bool NumericallyOne(const std::string& text) {
  return LeadingNumber(text) == 1.0;
}

}  // namespace

const std::vector<MenuEntry>& MainMenuTree() {
  static const std::vector<MenuEntry> kTree = BuildTree();
  return kTree;
}

std::vector<int> MenuChildren(int parent) {
  const auto& tree = MainMenuTree();
  std::vector<int> children;
  const int n = static_cast<int>(tree.size());
  if (parent >= n || (parent >= 0 && tree[parent].kind != K::kSubmenu)) return children;
  const int level = parent < 0 ? 1 : tree[parent].level + 1;
  for (int i = parent + 1; i < n && tree[i].level >= level; ++i) {
    if (tree[i].level == level) children.push_back(i);
  }
  return children;
}

const MenuEntry* FindMenuEntry(std::string_view control, int index) {
  for (const auto& e : MainMenuTree()) {
    if (e.control == control && e.index == index) return &e;
  }
  return nullptr;
}

std::string MenuControlId(const MenuEntry& entry) {
  std::string id(entry.control);
  if (entry.index >= 0) id += "(" + std::to_string(entry.index) + ")";
  return id;
}

std::string ShortcutText(const MenuShortcut& s) {
  if (s.function_key >= 1 && s.function_key <= 12) return "F" + std::to_string(s.function_key);
  if (s.letter != 0) return std::string(s.ctrl ? "Ctrl+" : "") + s.letter;
  return {};
}

std::string CaptionWithoutAccessKey(std::string_view caption) {
  std::string_view text = caption;
  while (text.size() >= 3 && text.substr(text.size() - 3) == "...")
    text.remove_suffix(3);
  // The access key is written as "(&X)" at the end of every caption here.
  if (text.size() >= 4 && text.substr(text.size() - 4, 2) == "(&" && text.back() == ')')
    text.remove_suffix(4);
  return std::string(text);
}

std::vector<const MenuEntry*> DisplayMenuEntries(const Settings& settings) {
  std::vector<const MenuEntry*> shown;
  const auto& tree = MainMenuTree();
  for (int i : MenuChildren(-1)) {
    if (tree[i].control != "mnuDisplay") continue;
    for (int c : MenuChildren(i)) {
      const MenuEntry& e = tree[c];
      bool visible = false;
      if (e.kind == K::kSeparator && e.separator >= 0 && e.separator < kSeparatorCount)
        visible = NumericallyOne(settings.OptSepa[e.separator]);
      else if (e.command == C::kDisplayMethod && e.method >= 0 && e.method < kMethodCount)
        visible = NumericallyOne(settings.RgtClick[2][e.method]);
      if (visible) shown.push_back(&e);
    }
  }
  return shown;
}

ShowHideState ShowHideStateFor(bool window_hidden) {
  return {window_hidden, !window_hidden};
}

bool StartsHidden(const Settings& settings) {
  return IsOn(settings.OptWinS);
}

}  // namespace banchiro
